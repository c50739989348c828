"""The manifest: version-6 common controls and asInvoker, and nothing else."""
import xml.etree.ElementTree as ElementTree

import resource_test_support as support
import pe_image

ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
XML_DECLARATION = b'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'

# Every element of the manifest as (tag, attributes, children): the whole tree
# is compared, so any extra declaration (DPI, supported systems, an identity
# of the executable, long paths) fails the check.
EXPECTED = (ASM_V1 + "assembly", {"manifestVersion": "1.0"}, [
    (ASM_V1 + "dependency", {}, [
        (ASM_V1 + "dependentAssembly", {}, [
            (ASM_V1 + "assemblyIdentity", {
                "type": "win32",
                "name": "Microsoft.Windows.Common-Controls",
                "version": "6.0.0.0",
                "processorArchitecture": "*",
                "publicKeyToken": "6595b64144ccf1df",
                "language": "*",
            }, []),
        ]),
    ]),
    (ASM_V3 + "trustInfo", {}, [
        (ASM_V3 + "security", {}, [
            (ASM_V3 + "requestedPrivileges", {}, [
                (ASM_V3 + "requestedExecutionLevel", {"level": "asInvoker", "uiAccess": "false"}, []),
            ]),
        ]),
    ]),
])


def tree(element):
    return (element.tag, dict(element.attrib), [tree(child) for child in element])


def differences(expected, actual, path):
    tag, attributes, children = expected
    found_tag, found_attributes, found_children = actual
    here = path + "/" + found_tag
    if tag != found_tag:
        return ["%s: expected element %s" % (here, tag)]
    lines = ["%s @%s: expected %r, found %r" % (here, name, attributes.get(name), found_attributes.get(name))
             for name in sorted(set(attributes) | set(found_attributes))
             if attributes.get(name) != found_attributes.get(name)]
    if [c[0] for c in children] != [c[0] for c in found_children]:
        lines.append("%s: expected children %s, found %s" %
                     (here, [c[0] for c in children], [c[0] for c in found_children]))
    else:
        for want, got in zip(children, found_children):
            lines += differences(want, got, here)
    return lines


class ManifestTest(support.ExeTestCase):
    def test_declares_utf8_standalone_xml(self):
        data = self.resource(pe_image.RT_MANIFEST, 1)
        self.assertTrue(data.startswith(XML_DECLARATION), "manifest starts with %r" % data[:60])
        data.decode("utf-8")

    def test_holds_exactly_the_common_controls_dependency_and_as_invoker(self):
        root = ElementTree.fromstring(self.resource(pe_image.RT_MANIFEST, 1))
        lines = differences(EXPECTED, tree(root), "")
        if lines:
            self.fail("manifest:\n  " + "\n  ".join(lines))


if __name__ == "__main__":
    support.main()
