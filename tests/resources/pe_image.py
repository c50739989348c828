"""Reads a Windows executable's headers and resources straight from its bytes.

The resource checks use this instead of a resource compiler's decompiler, so
what they see is exactly what the loader will see.
"""
import struct

RT_ICON = 3
RT_DIALOG = 5
RT_GROUP_ICON = 14
RT_VERSION = 16
RT_MANIFEST = 24

IMAGE_FILE_MACHINE_I386 = 0x14C
PE32_MAGIC = 0x10B
PE32_PLUS_MAGIC = 0x20B
RESOURCE_DIRECTORY_INDEX = 2


class FormatError(Exception):
    """The file is not the well-formed image it claims to be."""


class PeImage:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        self._read_headers()

    def _unpack(self, fmt, offset):
        size = struct.calcsize(fmt)
        if offset < 0 or offset + size > len(self.data):
            raise FormatError("read of %d bytes at 0x%x runs past the end of the file" % (size, offset))
        return struct.unpack_from(fmt, self.data, offset)

    def _read_headers(self):
        if self.data[:2] != b"MZ":
            raise FormatError("no MZ signature")
        (pe_offset,) = self._unpack("<I", 0x3C)
        if self.data[pe_offset:pe_offset + 4] != b"PE\0\0":
            raise FormatError("no PE signature")
        file_header = pe_offset + 4
        (self.machine, section_count, _, _, _, optional_size, self.characteristics) = \
            self._unpack("<HHIIIHH", file_header)
        optional = file_header + 20
        (self.magic,) = self._unpack("<H", optional)
        if self.magic == PE32_MAGIC:
            directory_count_at, directories_at = 92, 96
        elif self.magic == PE32_PLUS_MAGIC:
            directory_count_at, directories_at = 108, 112
        else:
            raise FormatError("unknown optional header magic 0x%x" % self.magic)
        (self.subsystem,) = self._unpack("<H", optional + 68)
        (directory_count,) = self._unpack("<I", optional + directory_count_at)
        self.directories = [self._unpack("<II", optional + directories_at + 8 * i)
                            for i in range(directory_count)]
        self.sections = []
        table = optional + optional_size
        for i in range(section_count):
            name, virtual_size, rva, raw_size, raw_offset = self._unpack("<8sIIII", table + 40 * i)
            self.sections.append((name.rstrip(b"\0").decode("ascii", "replace"),
                                  rva, max(virtual_size, raw_size), raw_offset, raw_size))

    def offset_of(self, rva, size=0):
        """File offset of an RVA whose `size` bytes all lie in one section's raw data."""
        for _, start, span, raw_offset, raw_size in self.sections:
            if start <= rva < start + span:
                offset = rva - start
                if offset + size > raw_size:
                    raise FormatError("RVA 0x%x (+%d) lies outside its section's file data" % (rva, size))
                return raw_offset + offset
        raise FormatError("RVA 0x%x is in no section" % rva)

    def resources(self):
        """Every resource as {(type, name, language): bytes}; names are ints or strings."""
        if len(self.directories) <= RESOURCE_DIRECTORY_INDEX or \
                self.directories[RESOURCE_DIRECTORY_INDEX][0] == 0:
            return {}
        root_rva = self.directories[RESOURCE_DIRECTORY_INDEX][0]
        root = self.offset_of(root_rva)
        found = {}
        for type_id, type_dir in self._entries(root, root, want_directory=True):
            for name_id, name_dir in self._entries(root, type_dir, want_directory=True):
                for language, leaf in self._entries(root, name_dir, want_directory=False):
                    data_rva, size, _, _ = self._unpack("<IIII", leaf)
                    start = self.offset_of(data_rva, size)
                    found[(type_id, name_id, language)] = self.data[start:start + size]
        return found

    def _entries(self, root, directory, want_directory):
        _, _, _, _, named, numbered = self._unpack("<IIHHHH", directory)
        for i in range(named + numbered):
            name, target = self._unpack("<II", directory + 16 + 8 * i)
            if name & 0x80000000:
                at = root + (name & 0x7FFFFFFF)
                (length,) = self._unpack("<H", at)
                key = self.data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
            else:
                key = name
            is_directory = bool(target & 0x80000000)
            if is_directory != want_directory:
                raise FormatError("resource entry %r: expected a %s" %
                                  (key, "directory" if want_directory else "data entry"))
            yield key, root + (target & 0x7FFFFFFF)
