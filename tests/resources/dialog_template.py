"""Decodes a classic (not extended) dialog template as the dialog manager reads it."""
import struct

DS_SETFONT = 0x40

# Predefined window classes are stored as these atoms.
CLASS_ATOMS = {0x80: "BUTTON", 0x81: "EDIT", 0x82: "STATIC", 0x83: "LISTBOX",
               0x84: "SCROLLBAR", 0x85: "COMBOBOX"}


class TemplateError(Exception):
    pass


class Reader:
    def __init__(self, data):
        self.data = data
        self.at = 0

    def take(self, fmt):
        size = struct.calcsize(fmt)
        if self.at + size > len(self.data):
            raise TemplateError("template ends inside a field at offset %d" % self.at)
        values = struct.unpack_from(fmt, self.data, self.at)
        self.at += size
        return values if len(values) > 1 else values[0]

    def text(self):
        end = self.at
        while True:
            if end + 2 > len(self.data):
                raise TemplateError("unterminated text at offset %d" % self.at)
            if self.data[end:end + 2] == b"\0\0":
                break
            end += 2
        value = self.data[self.at:end].decode("utf-16-le")
        self.at = end + 2
        return value

    def text_or_ordinal(self):
        """A text, or ("ordinal", n) for the 0xFFFF form, or None for an empty field."""
        (first,) = struct.unpack_from("<H", self.data, self.at) if self.at + 2 <= len(self.data) else (None,)
        if first == 0:
            self.at += 2
            return None
        if first == 0xFFFF:
            self.at += 2
            return ("ordinal", self.take("<H"))
        return self.text()

    def align(self):
        self.at = (self.at + 3) & ~3


def decode(data):
    """Returns (header dict, list of control dicts) of a classic template."""
    reader = Reader(data)
    if len(data) >= 4 and struct.unpack_from("<HH", data, 0) == (1, 0xFFFF):
        raise TemplateError("extended template (DIALOGEX), expected the classic form")
    header = {}
    header["style"] = reader.take("<I")
    header["exstyle"] = reader.take("<I")
    count = reader.take("<H")
    header["count"] = count
    header["x"], header["y"], header["cx"], header["cy"] = reader.take("<hhhh")
    header["menu"] = reader.text_or_ordinal()
    header["class"] = reader.text_or_ordinal()
    header["title"] = reader.text()
    if header["style"] & DS_SETFONT:
        header["font size"] = reader.take("<H")
        header["font face"] = reader.text()
    controls = []
    for _ in range(count):
        reader.align()
        control = {}
        control["style"] = reader.take("<I")
        control["exstyle"] = reader.take("<I")
        control["x"], control["y"], control["cx"], control["cy"] = reader.take("<hhhh")
        control["id"] = reader.take("<H")
        window_class = reader.text_or_ordinal()
        if isinstance(window_class, tuple):
            window_class = CLASS_ATOMS.get(window_class[1], "atom 0x%X" % window_class[1])
        elif isinstance(window_class, str):
            window_class = window_class.upper()
        control["class"] = window_class
        text = reader.text_or_ordinal()
        control["text"] = "" if text is None else text
        creation_size = reader.take("<H")
        control["creation data"] = data[reader.at:reader.at + creation_size]
        reader.at += creation_size
        controls.append(control)
    header["trailing bytes"] = len(data) - reader.at
    return header, controls
