"""Shared by the resource checks: the executable under test and field-by-field comparison."""
import os
import sys
import unittest

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import pe_image  # noqa: E402


def mismatches(expected, actual):
    """One line per differing field: "name: expected X, found Y"."""
    lines = []
    for field, want in expected.items():
        got = actual.get(field, "<missing>")
        if got != want:
            lines.append("%s: expected %s, found %s" % (field, show(want), show(got)))
    return lines


def show(value):
    if isinstance(value, int) and not isinstance(value, bool) and value > 9:
        return "0x%X" % value
    return repr(value)


class ExeTestCase(unittest.TestCase):
    """Base of the checks: `image` and `resources` of the executable named on the command line."""
    exe_path = None

    @classmethod
    def setUpClass(cls):
        cls.image = pe_image.PeImage(cls.exe_path)
        cls.resources = cls.image.resources()

    def resource(self, type_id, name):
        """The one neutral-language resource of that type and name."""
        found = [(key, data) for key, data in self.resources.items() if key[:2] == (type_id, name)]
        self.assertEqual([(type_id, name, 0)], [key for key, _ in found],
                         "resource type %s name %s: expected exactly one, language 0" % (type_id, name))
        return found[0][1]

    def assertNoMismatches(self, expected, actual, what):
        lines = mismatches(expected, actual)
        if lines:
            self.fail("%s:\n  %s" % (what, "\n  ".join(lines)))


def main():
    """Usage: <test script> EXE [unittest arguments]."""
    if len(sys.argv) < 2:
        sys.exit("usage: %s EXE [unittest arguments]" % sys.argv[0])
    ExeTestCase.exe_path = sys.argv[1]
    unittest.main(argv=[sys.argv[0]] + sys.argv[2:], verbosity=2)
