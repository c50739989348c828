"""The version block: fixed part, the one string table with its twelve keys, the translation."""
import struct

import resource_test_support as support
import pe_image
import version_block

FIXED_FIELDS = ("signature", "structure version", "file version MS", "file version LS",
                "product version MS", "product version LS", "file flags mask", "file flags",
                "file OS", "file type", "file subtype", "file date MS", "file date LS")
FIXED = {
    "signature": 0xFEEF04BD, "structure version": 0x00010000,
    "file version MS": 0x00010002, "file version LS": 0,        # 1.2.0.0
    "product version MS": 0x00010000, "product version LS": 0,  # 1.0.0.0
    "file flags mask": 0, "file flags": 0, "file OS": 0, "file type": 0, "file subtype": 0,
    "file date MS": 0, "file date LS": 0,
}

STRING_TABLE = "080403A8"  # Chinese (PRC), code page 936
STRINGS = [
    ("Comments", "Korvel FTP Config"),
    ("CompanyName", "FtpConfig contributors"),
    ("FileDescription", ""),
    ("FileVersion", "V1.2"),
    ("InternalName", "FtpConfig"),
    ("LegalCopyright", ""),
    ("LegalTrademarks", ""),
    ("OriginalFilename", ""),
    ("PrivateBuild", ""),
    ("ProductName", ""),
    ("ProductVersion", ""),
    ("SpecialBuild", ""),
]
TRANSLATION = struct.pack("<HH", 0x0804, 936)


class VersionTest(support.ExeTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        data = cls.resources.get((pe_image.RT_VERSION, 1, 0))
        cls.root = version_block.decode(data) if data else None

    def setUp(self):
        self.assertIsNotNone(self.root, "no version resource 1")

    def child(self, node, key):
        found = [c for c in node.children if c.key == key]
        self.assertEqual(1, len(found), "%r in %r" % (key, node.key))
        return found[0]

    def test_root_holds_the_fixed_part_and_two_blocks(self):
        self.assertEqual("VS_VERSION_INFO", self.root.key)
        self.assertEqual(["StringFileInfo", "VarFileInfo"], [c.key for c in self.root.children])

    def test_fixed_part(self):
        self.assertEqual(52, len(self.root.value), "size of the fixed part")
        actual = dict(zip(FIXED_FIELDS, struct.unpack("<13I", self.root.value)))
        self.assertNoMismatches(FIXED, actual, "fixed version information")

    def test_one_string_table_with_the_twelve_keys_in_order(self):
        string_info = self.child(self.root, "StringFileInfo")
        self.assertEqual([STRING_TABLE], [c.key for c in string_info.children])
        table = string_info.children[0]
        self.assertEqual([key for key, _ in STRINGS], [c.key for c in table.children], "keys and their order")
        actual = {}
        for node in table.children:
            self.assertEqual(1, node.value_type, "%r is not stored as text" % node.key)
            actual[node.key] = node.text()
        self.assertNoMismatches(dict(STRINGS), actual, "string table " + STRING_TABLE)

    def test_translation(self):
        var_info = self.child(self.root, "VarFileInfo")
        self.assertEqual(["Translation"], [c.key for c in var_info.children])
        translation = var_info.children[0]
        self.assertEqual(0, translation.value_type, "Translation is binary")
        self.assertEqual(TRANSLATION, translation.value, "language 0x0804, code page 936")


if __name__ == "__main__":
    support.main()
