#!/usr/bin/env python3
"""Checks the shipped form of the Windows programs without running them: each
imports only DLLs that every Windows installation has, and carries its
resources: the manifest (the caller's rights, per-monitor DPI awareness,
Windows 7 to 11), the version information (product, version, a description
naming the build's language) and the icon the shell shows (group 1).

  check_executables.py OBJDUMP BIN_DIR VERSION [--stripped]

--stripped also asks for executables without a symbol table (the release
package's). The package test imports program_faults() from here.
"""

import struct
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

# The description each program gives of itself, in its own language.
DESCRIPTIONS = {"orvane_en.exe": "Orvane (English)", "orvane_ru.exe": "Orvane (русский)"}
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "shlwapi.dll",
               "oleaut32.dll", "ole32.dll", "msvcrt.dll", "advapi32.dll"}
RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
# supportedOS ids: Windows 7, 8, 8.1, and 10 (which Windows 11 shares).
WINDOWS_7_TO_11 = {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                   "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}


def imported_dlls(objdump, exe):
    output = subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True).stdout
    return {line.split(":", 1)[1].strip().lower() for line in output.splitlines()
            if line.strip().startswith("DLL Name:")}


class PeImage:
    """The parts of a PE image the checks read: the COFF symbol table's place
    and the resource tree (type, id, language) of the .rsrc section."""

    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        self.symbol_table, self.symbol_count = struct.unpack_from("<II", data, pe + 12)
        sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
        table = pe + 24 + optional_size
        self.rsrc = None
        for i in range(sections):
            name, _, address, _, raw = struct.unpack_from("<8sIIII", data, table + 40 * i)
            if name.rstrip(b"\0") == b".rsrc":
                self.rsrc = (address, raw)

    def _entries(self, offset):
        _, raw = self.rsrc
        named, numbered = struct.unpack_from("<12xHH", self.data, raw + offset)
        for n in range(named + numbered):
            yield struct.unpack_from("<II", self.data, raw + offset + 16 + 8 * n)

    def _subdirectory(self, offset, wanted):
        for ident, target in self._entries(offset):
            if ident == wanted and target & 0x80000000:
                return target & 0x7FFFFFFF
        return None

    def ids(self, kind):
        """The numeric ids of the resources of one type."""
        by_type = self._subdirectory(0, kind) if self.rsrc else None
        if by_type is None:
            return []
        return [ident for ident, _ in self._entries(by_type) if not ident & 0x80000000]

    def resource(self, kind, ident):
        """The data of one resource (its first language), or None."""
        by_type = self._subdirectory(0, kind) if self.rsrc else None
        by_id = self._subdirectory(by_type, ident) if by_type is not None else None
        if by_id is None:
            return None
        address, raw = self.rsrc
        for _, leaf in self._entries(by_id):
            data, size = struct.unpack_from("<II", self.data, raw + leaf)
            return self.data[raw + data - address:raw + data - address + size]
        return None


def version_tree(data, offset=0):
    """One node of a VS_VERSIONINFO block: (key, value bytes, children), and
    its length. Every node is wLength, wValueLength, wType, a NUL-ended
    UTF-16 key, then the value and the children, each on a 4-byte boundary."""
    def aligned(n):
        return (n + 3) & ~3
    length, value_length, text = struct.unpack_from("<HHH", data, offset)
    position = offset + 6
    while data[position:position + 2] != b"\0\0":
        position += 2
    key = data[offset + 6:position].decode("utf-16-le")
    position = aligned(position + 2)
    value_size = value_length * 2 if text else value_length
    value = data[position:position + value_size]
    position = aligned(position + value_size)
    children = []
    while position < offset + length:
        child, child_length = version_tree(data, position)
        children.append(child)
        position = aligned(position + child_length)
    return (key, value, children), length


def version_strings(data):
    """The fixed file version (four numbers) and the strings of every
    StringFileInfo table, with the tables' names."""
    (key, fixed, children), _ = version_tree(data)
    if key != "VS_VERSION_INFO" or len(fixed) < 52:
        return None, {}, []
    ms, ls = struct.unpack_from("<II", fixed, 8)
    numbers = (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    strings, tables = {}, []
    for block, _, block_children in children:
        if block != "StringFileInfo":
            continue
        for table, _, entries in block_children:
            tables.append(table)
            for name, value, _ in entries:
                strings[name] = value.decode("utf-16-le").rstrip("\0")
    return numbers, strings, tables


def icon_sizes(image):
    """The pixel sizes of the icons of group 1, when each is in the image."""
    group = image.resource(RT_GROUP_ICON, 1)
    if not group:
        return None
    _, _, count = struct.unpack_from("<HHH", group, 0)
    present = set(image.ids(RT_ICON))
    sizes = []
    for n in range(count):
        width, height, _, _, _, _, _, ident = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * n)
        if ident not in present:
            return None
        sizes.append(width or 256)
    return sorted(sizes)


def manifest_faults(data):
    if not data:
        return ["no manifest as RT_MANIFEST 1"]
    try:
        root = ElementTree.fromstring(data)
    except ElementTree.ParseError as error:
        return [f"the manifest is not well-formed XML: {error}"]
    found = {}
    for element in root.iter():
        found.setdefault(element.tag.rsplit("}", 1)[-1], []).append(element)
    faults = []
    levels = [e.get("level") for e in found.get("requestedExecutionLevel", [])]
    if levels != ["asInvoker"]:
        faults.append(f"execution level {levels}, not asInvoker")
    aware = [(e.text or "").strip().lower() for e in found.get("dpiAware", [])]
    awareness = [(e.text or "").replace(" ", "").split(",")[0] for e in found.get("dpiAwareness", [])]
    if aware != ["true/pm"] or awareness != ["PerMonitorV2"]:
        faults.append(f"DPI awareness {aware} {awareness}, not true/pm and PerMonitorV2")
    supported = {e.get("Id", "").lower() for e in found.get("supportedOS", [])}
    if not WINDOWS_7_TO_11 <= supported:
        faults.append(f"supportedOS lacks {sorted(WINDOWS_7_TO_11 - supported)}")
    return faults


def program_faults(objdump, exe, version, stripped):
    """Every fault of one program, as lines of text."""
    name = exe.replace("\\", "/").rsplit("/", 1)[-1]
    faults = []
    dlls = imported_dlls(objdump, exe)
    if not dlls or not dlls <= SYSTEM_DLLS:
        faults.append(f"imports non-system DLLs: {sorted(dlls - SYSTEM_DLLS)}")
    with open(exe, "rb") as file:
        image = PeImage(file.read())
    faults += manifest_faults(image.resource(RT_MANIFEST, 1))

    numbers, strings, tables = version_strings(image.resource(RT_VERSION, 1) or b"\0" * 6)
    expected_numbers = tuple(int(n) for n in version.split(".")) + (0,)
    if numbers != expected_numbers:
        faults.append(f"file version {numbers}, not {expected_numbers}")
    expected = {"CompanyName": "Orvane", "ProductName": "Orvane", "ProductVersion": version,
                "FileVersion": version, "FileDescription": DESCRIPTIONS[name], "OriginalFilename": name,
                "LegalCopyright": "Copyright \u00a9 2026 Orvane"}
    for key, value in expected.items():
        if strings.get(key) != value:
            faults.append(f"version information {key} is {strings.get(key)!r}, not {value!r}")

    sizes = icon_sizes(image)
    if not sizes or not {16, 32, 48, 256} <= set(sizes):
        faults.append(f"icon group 1 holds sizes {sizes}, not 16, 32, 48 and 256")
    if stripped and (image.symbol_table or image.symbol_count):
        faults.append(f"not stripped: {image.symbol_count} symbols")
    for fault in faults:
        print(f"FAIL {name}: {fault}")
    if not faults:
        print(f"ok   {name}: imports {', '.join(sorted(dlls))}; version {strings.get('FileVersion')} "
              f"({strings.get('FileDescription')}, tables {tables}); icons {sizes}")
    return faults


def main():
    if sys.argv[1:2] in (["-h"], ["--help"]):
        print(__doc__.strip())
        return 0
    if len(sys.argv) < 4:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    objdump, bin_dir, version = sys.argv[1:4]
    stripped = "--stripped" in sys.argv[4:]
    faults = []
    for program in DESCRIPTIONS:
        faults += program_faults(objdump, f"{bin_dir}/{program}", version, stripped)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
