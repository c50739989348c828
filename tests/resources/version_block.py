"""Decodes a version resource into its tree of blocks as the version API reads it."""
import struct


class VersionError(Exception):
    pass


class Node:
    def __init__(self, key, value_type, value, children):
        self.key = key
        self.value_type = value_type  # 1 text, 0 binary
        self.value = value            # bytes as stored
        self.children = children

    def text(self):
        """The text value without its terminating NUL; raises on any other NUL."""
        decoded = self.value.decode("utf-16-le")
        if decoded.endswith("\0"):
            decoded = decoded[:-1]
        if "\0" in decoded:
            raise VersionError("value of %r holds a NUL inside: %r" % (self.key, decoded))
        return decoded


def align(offset):
    return (offset + 3) & ~3


def decode(data, start=0, end=None):
    """The node at `start`; its wLength must fit within `end`."""
    end = len(data) if end is None else end
    if start + 6 > end:
        raise VersionError("block header at %d runs past its parent" % start)
    length, value_length, value_type = struct.unpack_from("<HHH", data, start)
    stop = start + length
    if length < 6 or stop > end:
        raise VersionError("block at %d has length %d, its parent ends at %d" % (start, length, end))
    at = start + 6
    key_end = at
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
        if key_end >= stop:
            raise VersionError("unterminated key in block at %d" % start)
    key = data[at:key_end].decode("utf-16-le")
    at = align(key_end + 2)
    value_size = value_length * 2 if value_type == 1 else value_length
    if at + value_size > stop:
        raise VersionError("value of %r runs past its block" % key)
    value = data[at:at + value_size]
    at = align(at + value_size)
    children = []
    while at < stop:
        child = decode(data, at, stop)
        children.append(child)
        at = align(at + struct.unpack_from("<H", data, at)[0])
    return Node(key, value_type, value, children)
