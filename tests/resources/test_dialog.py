"""The dialog template compiled into the executable, field by field."""

import resource_test_support as support
import dialog_template
import pe_image

IDD_FTP_CONFIG = 100

HEADER = {
    "style": 0x90C808CC,   # popup, visible, caption, system menu, centred, modal frame, font
    "exstyle": 0,
    "count": 24,
    "x": 0, "y": 0, "cx": 266, "cy": 266,
    "menu": None,
    "class": None,
    "title": "FTP配置",
    "font size": 8,
    "font face": "Ms Shell Dlg",
    "trailing bytes": 0,
}

# Template order: creation, Tab and lookup by identifier all follow it.
#  id,   class,      style,      exstyle, x,   y,   cx,  cy,  text
CONTROLS = [
    (40018, "STATIC",   0x50000000, 0,      18,  4,   104, 9,   "选择FTP类别"),
    (40001, "COMBOBOX", 0x50000202, 0,      16,  19,  106, 30,  ""),
    (40013, "BUTTON",   0x50000007, 0,      15,  36,  233, 152, "FTP SET"),
    (40000, "STATIC",   0x50000000, 0,      25,  46,  216, 9,   "URL"),
    (40019, "EDIT",     0x50810080, 0,      24,  56,  217, 14,  ""),
    (40004, "STATIC",   0x50000000, 0,      24,  71,  63,  9,   "端口"),
    (40005, "EDIT",     0x50812080, 0,      23,  82,  66,  14,  ""),
    (40003, "STATIC",   0x50000000, 0,      24,  98,  216, 9,   "User"),
    (40017, "EDIT",     0x50810080, 0,      24,  108, 217, 14,  ""),
    (40006, "STATIC",   0x50000000, 0,      24,  125, 216, 9,   "Password"),
    (40012, "BUTTON",   0x40000007, 0x1000, 18,  132, 227, 43,  "备用"),
    (40020, "EDIT",     0x508100A0, 0,      24,  135, 217, 14,  ""),
    (40012, "STATIC",   0x48000000, 0,      23,  142, 32,  9,   "URL 1"),
    (40015, "BUTTON",   0x48010003, 0,      131, 143, 9,   10,  "Check1"),
    (40016, "STATIC",   0x48000000, 0,      142, 143, 38,  9,   "启用URL 1"),
    (40021, "BUTTON",   0x50000007, 0,      20,  150, 223, 34,  "FTP DIR"),
    (40024, "EDIT",     0x48810080, 0,      22,  155, 217, 14,  ""),
    (40023, "COMBOBOX", 0x50000202, 0,      24,  164, 66,  20,  ""),
    (40022, "EDIT",     0x50810080, 0,      95,  164, 144, 14,  "/"),
    (40008, "BUTTON",   0x50000007, 0,      15,  194, 233, 34,  "保存路径"),
    (40011, "BUTTON",   0x50010000, 0,      23,  206, 36,  16,  "浏览"),
    (40009, "EDIT",     0x50810084, 0,      68,  207, 170, 14,  ""),
    (40010, "BUTTON",   0x50010000, 0,      81,  235, 104, 23,  "生成配置文件"),
    (40007, "STATIC",   0x58000000, 0,      11,  251, 48,  9,   "版本号：V1.2"),
]
FIELDS = ("id", "class", "style", "exstyle", "x", "y", "cx", "cy", "text")


class DialogTemplateTest(support.ExeTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        data = cls.resources.get((pe_image.RT_DIALOG, IDD_FTP_CONFIG, 0))
        cls.header, cls.controls = dialog_template.decode(data) if data else (None, [])

    def test_template_is_a_single_neutral_resource(self):
        self.resource(pe_image.RT_DIALOG, IDD_FTP_CONFIG)

    def test_header(self):
        self.assertIsNotNone(self.header, "no dialog 100")
        self.assertNoMismatches(HEADER, self.header, "dialog header")

    def test_controls_in_template_order(self):
        self.assertIsNotNone(self.header, "no dialog 100")
        self.assertEqual(len(CONTROLS), len(self.controls), "number of controls")
        for number, (row, control) in enumerate(zip(CONTROLS, self.controls), start=1):
            with self.subTest(control=number, id=row[0]):
                expected = dict(zip(FIELDS, row))
                expected["creation data"] = b""
                self.assertNoMismatches(expected, control, "control %d (id %d)" % (number, row[0]))


if __name__ == "__main__":
    support.main()
