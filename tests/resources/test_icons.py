"""The icon group and its four images: sizes, depth, uncompressed DIBs with AND masks."""
import struct

import resource_test_support as support
import pe_image

IDI_APP = 101
BI_RGB = 0

# Group entry order, icon resource id, size in pixels.
IMAGES = [(1, 16), (2, 32), (3, 48), (4, 64)]


def and_mask_stride(width):
    return ((width + 31) // 32) * 4


class IconTest(support.ExeTestCase):
    def group_entries(self):
        data = self.resource(pe_image.RT_GROUP_ICON, IDI_APP)
        reserved, kind, count = struct.unpack_from("<HHH", data, 0)
        self.assertNoMismatches({"reserved": 0, "type": 1, "count": len(IMAGES), "size": 6 + 14 * len(IMAGES)},
                                {"reserved": reserved, "type": kind, "count": count, "size": len(data)},
                                "icon group %d directory" % IDI_APP)
        entries = []
        for i in range(count):
            width, height, colours, pad, planes, bits, size, icon_id = struct.unpack_from("<BBBBHHIH", data, 6 + 14 * i)
            entries.append({"width": width, "height": height, "colours": colours, "reserved": pad,
                            "planes": planes, "bits": bits, "bytes": size, "icon id": icon_id})
        return entries

    def test_group_lists_the_four_images(self):
        entries = self.group_entries()
        for number, ((icon_id, pixels), entry) in enumerate(zip(IMAGES, entries), start=1):
            with self.subTest(entry=number):
                image = self.resources.get((pe_image.RT_ICON, icon_id, 0), b"")
                self.assertNoMismatches({"width": pixels, "height": pixels, "colours": 0, "reserved": 0,
                                         "planes": 1, "bits": 32, "bytes": len(image), "icon id": icon_id},
                                        entry, "group entry %d" % number)

    def test_images_are_uncompressed_32bit_dibs_with_and_masks(self):
        for icon_id, pixels in IMAGES:
            with self.subTest(icon=icon_id):
                data = self.resource(pe_image.RT_ICON, icon_id)
                self.assertFalse(data.startswith(b"\x89PNG"), "icon %d is PNG-compressed" % icon_id)
                fields = struct.unpack_from("<IiiHHIIiiII", data, 0)
                names = ("header size", "width", "height", "planes", "bits", "compression",
                         "image size", "x pixels per metre", "y pixels per metre", "colours used", "colours important")
                actual = dict(zip(names, fields))
                # Height counts the colour image and the mask together.
                colour_bytes = pixels * pixels * 4
                mask_bytes = and_mask_stride(pixels) * pixels
                actual["resource size"] = len(data)
                self.assertNoMismatches({"header size": 40, "width": pixels, "height": 2 * pixels, "planes": 1,
                                         "bits": 32, "compression": BI_RGB, "colours used": 0,
                                         "resource size": 40 + colour_bytes + mask_bytes},
                                        actual, "icon %d (%d px)" % (icon_id, pixels))

    def test_alpha_is_used_and_the_and_mask_agrees_with_it(self):
        for icon_id, pixels in IMAGES:
            with self.subTest(icon=icon_id):
                data = self.resource(pe_image.RT_ICON, icon_id)
                colour = data[40:40 + pixels * pixels * 4]
                mask = data[40 + pixels * pixels * 4:]
                stride = and_mask_stride(pixels)
                alphas = colour[3::4]
                self.assertEqual(pixels * pixels, len(alphas), "icon %d: colour data" % icon_id)
                self.assertIn(0, alphas, "icon %d has no transparent pixel" % icon_id)
                self.assertIn(255, alphas, "icon %d has no opaque pixel" % icon_id)
                self.assertTrue(any(0 < a < 255 for a in alphas),
                                "icon %d has no partly transparent edge" % icon_id)
                wrong = []
                for row in range(pixels):
                    for column in range(pixels):
                        alpha = alphas[row * pixels + column]
                        masked = bool(mask[row * stride + column // 8] & (0x80 >> (column % 8)))
                        if (alpha == 0) != masked:
                            wrong.append((column, pixels - 1 - row))
                self.assertEqual([], wrong[:8],
                                 "icon %d: AND mask disagrees with alpha at (x, y) %s" % (icon_id, wrong[:8]))


if __name__ == "__main__":
    support.main()
