#!/usr/bin/env python3
"""Checks the shipped form of the Windows programs: each imports only DLLs
that every Windows installation has, carries the manifest that asks for the
caller's rights, and the zip package holds both programs with their catalogs.

  check_executables.py OBJDUMP BIN_DIR [CPACK CPACK_CONFIG OUT_DIR]

With the last three it first makes the package with CPack into OUT_DIR.
"""

import glob
import os
import shutil
import struct
import subprocess
import sys
import zipfile

PROGRAMS = ["orvane_en.exe", "orvane_ru.exe"]
CATALOGS = {"orvane_en.exe": "Catalog", "orvane_ru.exe": "Каталог"}
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "shlwapi.dll",
               "oleaut32.dll", "msvcrt.dll", "advapi32.dll"}


def imported_dlls(objdump, exe):
    output = subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True).stdout
    return {line.split(":", 1)[1].strip().lower() for line in output.splitlines()
            if line.strip().startswith("DLL Name:")}


def manifest(image):
    """The data of resource type RT_MANIFEST (24), id 1, of a PE image, or
    None. Walks the section table to .rsrc, then its three-level directory:
    type, id, language."""
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H12xH", image, pe + 6)
    table = pe + 24 + optional_size
    for i in range(sections):
        name, _, address, _, raw = struct.unpack_from("<8sIIII", image, table + 40 * i)
        if name.rstrip(b"\0") == b".rsrc":
            break
    else:
        return None

    def entries(offset):
        named, numbered = struct.unpack_from("<12xHH", image, raw + offset)
        for n in range(named + numbered):
            ident, target = struct.unpack_from("<II", image, raw + offset + 16 + 8 * n)
            yield ident, target

    def find(offset, wanted):
        for ident, target in entries(offset):
            if ident == wanted and target & 0x80000000:
                return target & 0x7FFFFFFF
        return None

    by_type = find(0, 24)
    by_id = find(by_type, 1) if by_type is not None else None
    if by_id is None:
        return None
    for _, leaf in entries(by_id):
        data, size = struct.unpack_from("<II", image, raw + leaf)
        return image[raw + data - address:raw + data - address + size]
    return None


def main():
    objdump, bin_dir = sys.argv[1], sys.argv[2]
    failed = []
    for program in PROGRAMS:
        exe = f"{bin_dir}/{program}"
        dlls = imported_dlls(objdump, exe)
        print(f"{program} imports: {', '.join(sorted(dlls))}")
        if not dlls or not dlls <= SYSTEM_DLLS:
            failed.append(f"{program} imports non-system DLLs: {sorted(dlls - SYSTEM_DLLS)}")
        with open(exe, "rb") as image:
            data = manifest(image.read())
        if not data or b'level="asInvoker"' not in data:
            failed.append(f"{program} carries no asInvoker manifest as RT_MANIFEST 1")
    if len(sys.argv) > 5:
        cpack, config, out_dir = sys.argv[3:6]
        shutil.rmtree(out_dir, ignore_errors=True)
        subprocess.run([cpack, "--config", config, "-B", out_dir], check=True,
                       stdout=subprocess.DEVNULL, cwd=os.path.dirname(config))
        zips = glob.glob(os.path.join(out_dir, "*.zip"))
        if len(zips) != 1:
            print(f"FAIL CPack made {len(zips)} zip files")
            return 1
        print(f"package {zips[0]}")
        with zipfile.ZipFile(zips[0]) as package:
            names = package.namelist()
        tops = {name.split("/", 1)[0] for name in names}
        if len(tops) != 1:
            failed.append(f"package has several top folders: {sorted(tops)}")
        top = next(iter(tops))
        for program, catalog in CATALOGS.items():
            if f"{top}/{program}" not in names:
                failed.append(f"package lacks {program}")
            if not any(name.startswith(f"{top}/{catalog}/") for name in names):
                failed.append(f"package lacks the catalog {catalog}")
        print(f"package holds {len(names)} entries under {top}/")
    for message in failed:
        print("FAIL " + message)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
