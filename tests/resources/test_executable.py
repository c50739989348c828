"""A shipped Windows executable: 32-bit i386 PE, the expected subsystem, and only Windows' own DLLs.

Usage: test_executable.py OBJDUMP gui|console EXE
"""
import re
import subprocess
import sys
import unittest

sys.dont_write_bytecode = True
import pe_image  # noqa: E402  (beside this script)

SUBSYSTEMS = {"gui": 2, "console": 3}

# DLLs that every supported Windows has. A runtime DLL of the compiler
# (libstdc++, libgcc, libwinpthread) would make the program fail to start.
WINDOWS_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "comctl32.dll", "comdlg32.dll",
    "advapi32.dll", "ole32.dll", "oleaut32.dll", "shlwapi.dll", "uxtheme.dll", "version.dll",
    "msvcrt.dll", "ucrtbase.dll", "ws2_32.dll", "ntdll.dll", "bcrypt.dll", "crypt32.dll",
}
WINDOWS_DLL_PATTERNS = [re.compile(r"api-ms-win-[a-z0-9-]+\.dll")]


class ExecutableTest(unittest.TestCase):
    objdump = None
    subsystem = None
    exe_path = None

    @classmethod
    def setUpClass(cls):
        cls.image = pe_image.PeImage(cls.exe_path)
        # Read as the i386 tool reads it; a 64-bit image is "not recognized".
        run = subprocess.run([cls.objdump, "-p", "-f", cls.exe_path], stdout=subprocess.PIPE,
                             stderr=subprocess.STDOUT, universal_newlines=True)
        cls.dump = run.stdout if run.returncode == 0 else "objdump failed: " + run.stdout

    def test_is_a_32bit_i386_image(self):
        self.assertEqual(pe_image.IMAGE_FILE_MACHINE_I386, self.image.machine, "machine")
        self.assertEqual(pe_image.PE32_MAGIC, self.image.magic, "optional header magic (PE32)")
        self.assertRegex(self.dump, r"file format pei-i386")
        self.assertRegex(self.dump, r"\nMagic\s+010b\s+\(PE32\)")

    def test_subsystem(self):
        want = SUBSYSTEMS[self.subsystem]
        self.assertEqual(want, self.image.subsystem, "subsystem in the header")
        self.assertRegex(self.dump, r"\nSubsystem\s+%08x" % want)

    def test_imports_only_windows_dlls(self):
        dlls = re.findall(r"DLL Name:\s*(\S+)", self.dump)
        self.assertTrue(dlls, "objdump lists no imported DLL")
        foreign = [dll for dll in dlls if dll.lower() not in WINDOWS_DLLS
                   and not any(p.fullmatch(dll.lower()) for p in WINDOWS_DLL_PATTERNS)]
        self.assertEqual([], foreign, "DLLs that are not part of Windows (imports: %s)" % ", ".join(dlls))


if __name__ == "__main__":
    if len(sys.argv) < 4 or sys.argv[2] not in SUBSYSTEMS:
        sys.exit(__doc__)
    ExecutableTest.objdump, ExecutableTest.subsystem, ExecutableTest.exe_path = sys.argv[1:4]
    unittest.main(argv=[sys.argv[0]] + sys.argv[4:], verbosity=2)
