"""The committed icon file is what its generator draws, so the two never drift apart.

Usage: test_icon_file.py GENERATOR ICON_FILE
"""
import os
import subprocess
import sys
import tempfile
import unittest


class IconFileTest(unittest.TestCase):
    generator = None
    icon_file = None

    def test_committed_icon_matches_the_generator(self):
        with tempfile.TemporaryDirectory() as folder:
            drawn = os.path.join(folder, "drawn.ico")
            subprocess.run([sys.executable, "-B", self.generator, drawn], check=True)
            with open(drawn, "rb") as f:
                fresh = f.read()
        with open(self.icon_file, "rb") as f:
            committed = f.read()
        self.assertTrue(fresh == committed,
                        "%s differs from what %s draws: run the generator and commit its output"
                        % (self.icon_file, self.generator))


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    IconFileTest.generator, IconFileTest.icon_file = sys.argv[1:3]
    unittest.main(argv=[sys.argv[0]] + sys.argv[3:], verbosity=2)
