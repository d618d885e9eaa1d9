"""Options.ini as the program keeps it: a profile file, UTF-16LE with a byte-order mark."""

from __future__ import annotations

from pathlib import Path

Sections = dict[str, dict[str, str]]


def render(sections: Sections) -> str:
    lines = []
    for section, keys in sections.items():
        lines.append(f"[{section}]")
        lines.extend(f"{key}={value}" for key, value in keys.items())
    return "\r\n".join(lines) + "\r\n"


def write_options(path: Path | str, sections: Sections, encoding: str = "utf-16") -> Path:
    """Write `sections` in file order; "utf-16" means UTF-16LE with its BOM."""
    path = Path(path)
    text = render(sections)
    if encoding == "utf-16":
        data = b"\xff\xfe" + text.encode("utf-16-le")
    else:
        data = text.encode(encoding)
    path.write_bytes(data)
    return path


def decode(data: bytes) -> str:
    if data.startswith(b"\xff\xfe"):
        return data[2:].decode("utf-16-le")
    if data.startswith(b"\xef\xbb\xbf"):
        return data[3:].decode("utf-8")
    # Without a mark the profile functions read the ANSI code page of the Turkish systems.
    return data.decode("cp1254")


def parse(text: str) -> Sections:
    """Sections and keys in file order; a repeated key keeps its first value, as the
    profile functions do."""
    sections: Sections = {}
    current = None
    for raw in text.splitlines():
        line = raw.strip()
        if not line or line.startswith(";"):
            continue
        if line.startswith("[") and "]" in line:
            current = sections.setdefault(line[1:line.index("]")], {})
        elif current is not None and "=" in line:
            key, value = line.split("=", 1)
            current.setdefault(key.strip(), value.strip())
    return sections


def read_options(path: Path | str) -> Sections:
    return parse(decode(Path(path).read_bytes()))


def is_utf16(path: Path | str) -> bool:
    return Path(path).read_bytes().startswith(b"\xff\xfe")
