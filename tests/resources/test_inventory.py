"""Which resources the executable carries: exactly these, all language-neutral."""
import resource_test_support as support
import pe_image

# (type, name): dialog, icon images, icon group, version, manifest. No string
# tables, menus, accelerators, bitmaps or cursors, and no second manifest
# slipped in by a toolchain default.
EXPECTED = sorted([
    (pe_image.RT_DIALOG, 100),
    (pe_image.RT_ICON, 1), (pe_image.RT_ICON, 2), (pe_image.RT_ICON, 3), (pe_image.RT_ICON, 4),
    (pe_image.RT_GROUP_ICON, 101),
    (pe_image.RT_VERSION, 1),
    (pe_image.RT_MANIFEST, 1),
])


class InventoryTest(support.ExeTestCase):
    def test_exactly_the_expected_resources(self):
        found = sorted({key[:2] for key in self.resources}, key=repr)
        self.assertEqual(sorted(EXPECTED, key=repr), found)

    def test_every_resource_is_language_neutral(self):
        # The resource compiler's default is US English (0x409); neutral is 0.
        wrong = ["type %s name %s: language 0x%X" % key for key in sorted(self.resources, key=repr) if key[2] != 0]
        self.assertEqual([], wrong)

    def test_each_resource_exists_once(self):
        names = [key[:2] for key in self.resources]
        self.assertEqual(sorted(set(names), key=repr), sorted(names, key=repr), "a resource in several languages")


if __name__ == "__main__":
    support.main()
