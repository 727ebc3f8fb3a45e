#!/usr/bin/env python3
"""Packs one laid-out release folder into a zip or a gzipped tarball whose
bytes depend only on the files' names, contents and executable bits, so that
two builds of one commit give the same package:

  pack.py FOLDER PACKAGE EPOCH

FOLDER is the package's top folder (its name is the top entry); PACKAGE ends
in .zip or .tar.gz; EPOCH (seconds since 1970, the last commit's time) is the
time stamp of every entry. Entries go in order of their paths, folders before
what they hold; owner and group are 0 without names; folders and executables
get mode 755, other files 644. Names are UTF-8 (the zip marks them so, for
Windows to show "Каталог" as it is).
"""

import gzip
import os
import stat
import sys
import tarfile
import time
import zipfile

ZIP_EARLIEST = 315532800  # 1980-01-01, the first time a zip entry can carry


def entries(folder):
    """(path inside the package, path on disk, is folder), in path order."""
    parent = os.path.dirname(os.path.abspath(folder))
    found = []
    for root, folders, files in os.walk(folder):
        for name in folders + files:
            path = os.path.join(root, name)
            found.append((os.path.relpath(path, parent), path, os.path.isdir(path)))
    found.append((os.path.basename(os.path.abspath(folder)), folder, True))
    return sorted(found, key=lambda entry: entry[0].split(os.sep))


def mode_of(path, is_folder):
    return 0o755 if is_folder or os.stat(path).st_mode & stat.S_IXUSR else 0o644


def pack_tar(folder, package, epoch):
    with open(package, "wb") as raw, \
            gzip.GzipFile(filename="", mode="wb", fileobj=raw, compresslevel=9, mtime=epoch) as packed, \
            tarfile.open(fileobj=packed, mode="w", format=tarfile.PAX_FORMAT, encoding="utf-8") as tar:
        for name, path, is_folder in entries(folder):
            info = tarfile.TarInfo(name)
            info.mtime = epoch
            info.mode = mode_of(path, is_folder)
            info.uid = info.gid = 0
            info.uname = info.gname = ""
            if is_folder:
                info.type = tarfile.DIRTYPE
                tar.addfile(info)
            else:
                info.size = os.path.getsize(path)
                with open(path, "rb") as data:
                    tar.addfile(info, data)


def pack_zip(folder, package, epoch):
    stamp = time.gmtime(max(epoch, ZIP_EARLIEST))[:6]
    with zipfile.ZipFile(package, "w") as archive:
        for name, path, is_folder in entries(folder):
            info = zipfile.ZipInfo(name.replace(os.sep, "/") + ("/" if is_folder else ""), stamp)
            info.create_system = 3  # Unix, so the mode below is read
            info.external_attr = ((stat.S_IFDIR if is_folder else stat.S_IFREG) | mode_of(path, is_folder)) << 16
            if is_folder:
                info.external_attr |= 0x10  # the folder bit of MS-DOS
                archive.writestr(info, b"")
            else:
                info.compress_type = zipfile.ZIP_DEFLATED
                with open(path, "rb") as data:
                    archive.writestr(info, data.read(), compresslevel=9)


def main():
    if sys.argv[1:2] in (["-h"], ["--help"]):
        print(__doc__.strip())
        return 0
    if len(sys.argv) != 4:
        print("usage: pack.py FOLDER PACKAGE EPOCH (--help says more)", file=sys.stderr)
        return 2
    folder, package, epoch = sys.argv[1], sys.argv[2], int(sys.argv[3])
    if package.endswith(".zip"):
        pack_zip(folder, package, epoch)
    elif package.endswith(".tar.gz"):
        pack_tar(folder, package, epoch)
    else:
        print(f"pack.py: {package}: neither .zip nor .tar.gz", file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main())
