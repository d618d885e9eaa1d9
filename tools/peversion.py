#!/usr/bin/env python3
"""Prints what Windows shows in a 32-bit program's properties: the version resource's fixed
versions and strings, and which resources (icons, version, manifest) the file carries."""
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pecheck import PeError, PeFile  # noqa: E402

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
FIXED_SIGNATURE = 0xFEEF04BD


def resources(pe: PeFile):
    """{type id: {name id: bytes of its first language}}; named entries are keyed by name."""
    directories = pe.optional + 96
    rva, size = struct.unpack_from("<II", pe.data, directories + 2 * 8)
    if not rva or not size:
        return {}
    base = pe.offset(rva)

    def entries(offset):
        named, numbered = struct.unpack_from("<HH", pe.data, base + offset + 12)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", pe.data, base + offset + 16 + 8 * i)
            if name & 0x80000000:
                at = base + (name & 0x7FFFFFFF)
                length = struct.unpack_from("<H", pe.data, at)[0]
                name = pe.data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
            yield name, target & 0x7FFFFFFF, bool(target & 0x80000000)

    result = {}
    for kind, kind_offset, is_dir in entries(0):
        if not is_dir:
            raise PeError("a resource type without a directory")
        for name, name_offset, _ in entries(kind_offset):
            # one level more: the languages; the first one is enough here
            _, data_entry, _ = next(entries(name_offset))
            data_rva, data_size = struct.unpack_from("<II", pe.data, base + data_entry)
            start = pe.offset(data_rva)
            result.setdefault(kind, {})[name] = pe.data[start:start + data_size]
    return result


def _align4(n):
    return (n + 3) & ~3


def _block(data, pos):
    """(key, value bytes, value is text, children, end) of one version-resource block."""
    length, value_length, value_type = struct.unpack_from("<HHH", data, pos)
    if length < 6 or pos + length > len(data):
        raise PeError("a damaged version resource")
    end = pos + length
    key_end = pos + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[pos + 6:key_end].decode("utf-16-le")
    start = _align4(key_end + 2)
    size = value_length * 2 if value_type == 1 else value_length
    value = data[start:start + size]
    children = []
    child = _align4(start + size)
    while child < end:
        block = _block(data, child)
        children.append(block)
        child = _align4(block[4])
    return key, value, value_type == 1, children, end


def _text(value: bytes) -> str:
    return value.decode("utf-16-le").split("\0", 1)[0]


def version_info(data: bytes):
    """{"file": (a, b, c, d), "product": (a, b, c, d), "strings": {block: {key: text}},
    "translations": [(language, code page)]} of a version resource."""
    key, fixed, _, children, _ = _block(data, 0)
    if key != "VS_VERSION_INFO" or len(fixed) < 52:
        raise PeError("no VS_VERSION_INFO block")
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", fixed)
    if signature != FIXED_SIGNATURE:
        raise PeError("the fixed version information has a wrong signature")

    def quad(ms, ls):
        return (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)

    info = {"file": quad(file_ms, file_ls), "product": quad(product_ms, product_ls),
            "strings": {}, "translations": []}
    for name, _, _, blocks, _ in children:
        if name == "StringFileInfo":
            for table, _, _, values, _ in blocks:
                info["strings"][table] = {k: _text(v) for k, v, _, _, _ in values}
        elif name == "VarFileInfo":
            for _, value, _, _, _ in blocks:
                pairs = struct.unpack_from(f"<{len(value) // 2}H", value)
                info["translations"] += list(zip(pairs[0::2], pairs[1::2]))
    return info


def read(path):
    """(resources, version information or None) of a program file."""
    found = resources(PeFile(open(path, "rb").read()))
    version = found.get(RT_VERSION, {})
    return found, (version_info(next(iter(version.values()))) if version else None)


def main() -> int:
    if len(sys.argv) != 2:
        print("usage: peversion.py PROGRAM.exe", file=sys.stderr)
        return 2
    try:
        found, info = read(sys.argv[1])
    except (OSError, PeError, struct.error) as error:
        print(f"{sys.argv[1]}: {error}", file=sys.stderr)
        return 1
    names = {RT_ICON: "icon", RT_GROUP_ICON: "icon group", RT_VERSION: "version", RT_MANIFEST: "manifest"}
    for kind, items in sorted(found.items(), key=lambda item: str(item[0])):
        print(f"resource {names.get(kind, kind)}: {', '.join(str(n) for n in items)}")
    if info is None:
        print("no version resource", file=sys.stderr)
        return 1
    print("file version=" + ".".join(map(str, info["file"])))
    print("product version=" + ".".join(map(str, info["product"])))
    for language, code_page in info["translations"]:
        print(f"translation={language:04X} {code_page}")
    for table, values in info["strings"].items():
        for key, value in values.items():
            print(f"{table} {key}={value}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
