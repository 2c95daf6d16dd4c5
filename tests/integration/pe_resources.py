"""Reads the resource section of a PE file (32 or 64 bit) without Windows:
every resource as (type, name, language) -> bytes, and decoders for string
table blocks and version information."""
import struct


def _section_offset(data, sections_at, count, rva):
    for i in range(count):
        s = sections_at + 40 * i
        virtual_size, address, raw_size, raw = struct.unpack_from("<IIII", data, s + 8)
        if address <= rva < address + max(virtual_size, raw_size):
            return rva - address + raw
    raise ValueError("address 0x%x outside the sections" % rva)


def read_resources(path):
    """All resources of the PE file at `path`: {(type, name, language): bytes}.
    Named entries (as opposed to numbered ones) keep their name as a string."""
    with open(path, "rb") as f:
        data = f.read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("no PE signature")
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    resource_rva, resource_size = struct.unpack_from("<II", data, directories + 2 * 8)
    if resource_rva == 0:
        return {}
    sections_at = optional + optional_size
    base = _section_offset(data, sections_at, sections, resource_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<HH", data, base + directory + 12)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", data, base + directory + 16 + 8 * i)
            if name & 0x80000000:
                at = base + (name & 0x7FFFFFFF)
                length = struct.unpack_from("<H", data, at)[0]
                key = data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
            else:
                key = name
            yield key, target

    result = {}
    for type_key, type_target in entries(0):
        for name_key, name_target in entries(type_target & 0x7FFFFFFF):
            for language, leaf in entries(name_target & 0x7FFFFFFF):
                if leaf & 0x80000000:
                    raise ValueError("a fourth level in the resource tree")
                rva, size = struct.unpack_from("<II", data, base + leaf)
                start = _section_offset(data, sections_at, sections, rva)
                result[(type_key, name_key, language)] = data[start:start + size]
    return result


def decode_string_block(block):
    """The 16 strings of one string table block (empty where none is stored)."""
    strings = []
    at = 0
    for _ in range(16):
        length = struct.unpack_from("<H", block, at)[0]
        at += 2
        strings.append(block[at:at + 2 * length].decode("utf-16-le"))
        at += 2 * length
    if block[at:].strip(b"\0"):
        raise ValueError("bytes after the 16th string")
    return strings


def _align4(n):
    return (n + 3) & ~3


def _version_node(data, at):
    """One node of a version resource: (key, value bytes, value type, children, end)."""
    length, value_length, value_type = struct.unpack_from("<HHH", data, at)
    end = at + length
    key_at = at + 6
    key_end = key_at
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[key_at:key_end].decode("utf-16-le")
    value_at = _align4(key_end + 2)
    # Text values count UTF-16 units, binary values bytes.
    value_bytes = value_length * 2 if value_type == 1 else value_length
    value = data[value_at:value_at + value_bytes]
    children = []
    child = _align4(value_at + value_bytes)
    while child < end:
        node = _version_node(data, child)
        children.append(node)
        child = _align4(node[4])
    return key, value, value_type, children, end


def decode_version(data):
    """The version resource as (fixed file information as a dict, {block: {key: text}},
    translations as a list of (language, code page))."""
    key, value, _, children, _ = _version_node(data, 0)
    if key != "VS_VERSION_INFO":
        raise ValueError("not a version resource: %r" % key)
    names = ("signature", "struct_version", "file_ms", "file_ls", "product_ms", "product_ls",
             "flags_mask", "flags", "os", "type", "subtype", "date_ms", "date_ls")
    fixed = dict(zip(names, struct.unpack_from("<13I", value)))
    strings = {}
    translations = []
    for child_key, _, _, grand_children, _ in children:
        if child_key == "StringFileInfo":
            for table_key, _, _, entries, _ in grand_children:
                strings[table_key] = {
                    entry[0]: entry[1].decode("utf-16-le").rstrip("\0") for entry in entries}
        elif child_key == "VarFileInfo":
            for var_key, var_value, _, _, _ in grand_children:
                if var_key == "Translation":
                    for i in range(0, len(var_value), 4):
                        translations.append(struct.unpack_from("<HH", var_value, i))
    return fixed, strings, translations
