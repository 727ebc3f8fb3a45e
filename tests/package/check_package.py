#!/usr/bin/env python3
"""Checks a release package as a user gets it. The package is unpacked into a
folder whose path has spaces, Cyrillic letters and the characters a desktop
entry must escape; its contents are checked; then each program is started
from another working folder and its first screenshot is read back: the clock
labels and the month word of the packed catalog, by OCR.

  check_package.py windows PACKAGE.zip --source DIR --version V --objdump OBJDUMP
      (under scripts/with-wine --xvfb --host: the programs run under Wine)
  check_package.py linux PACKAGE.tar.gz --source DIR --version V

Contents checked:
  both  one top folder Orvane-<version>-<platform>; both programs, stripped;
        the catalogs exactly as sample_catalog.cmake lays them afresh (so not
        a build folder's copy); every text file UTF-8 with a byte-order mark
  zip   non-ASCII names marked UTF-8; each program's manifest, version
        information and icon (check_executables.py); a README with CRLF lines
  tar   the desktop entries valid (desktop-file-validate); the icon at 16 to
        256 pixels; a README naming the runtime packages; add-to-menu installs
        entries whose Exec names the unpacked programs, and removes them
"""

import argparse
import datetime
import os
import re
import shutil
import struct
import subprocess
import sys
import tarfile
import tempfile
import time
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "windows"))
import check_executables  # noqa: E402
import winesession  # noqa: E402

UNPACK_FOLDER = "Распакованный пакет 100% $HOME"
BOM = b"\xef\xbb\xbf"
RUNTIME_PACKAGES = ["libsdl2-2.0-0", "libfreetype6", "libfontconfig1", "libharfbuzz0b", "libfribidi0",
                    "fonts-liberation", "xdg-utils"]
ICON_SIZES = [16, 32, 48, 64, 128, 256]

# What each build shows and where its month words lie in its catalog.
BUILDS = {
    "en": {"catalog": "Catalog", "ocr": "eng", "labels": ["London time:", "Local time:"],
           "months": ["Standards", "Time", "Months"],
           "month_keys": ["January", "February", "March", "April", "May", "June", "July", "August",
                          "September", "October", "November", "December"]},
    "ru": {"catalog": "Каталог", "ocr": "rus", "labels": ["Лондонское время:", "Местное время:"],
           "months": ["Стандарты", "Время", "Родительный", "Месяцы"],
           "month_keys": ["Январь", "Февраль", "Март", "Апрель", "Май", "Июнь", "Июль", "Август",
                          "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"]},
}
# The clock panel in client coordinates (left, top, right, bottom): both
# labels and both lines.
CLOCK_BOX = (246, 10, 892, 136)


class Checks:
    def __init__(self):
        self.failed = []

    def check(self, condition, message):
        print(("ok   " if condition else "FAIL ") + message, flush=True)
        if not condition:
            self.failed.append(message)


def files_under(folder):
    """{relative path: bytes} of every file below a folder, and its folders."""
    found, folders = {}, set()
    for root, dirs, files in os.walk(folder):
        for name in dirs:
            folders.add(os.path.relpath(os.path.join(root, name), folder))
        for name in files:
            path = os.path.join(root, name)
            with open(path, "rb") as file:
                found[os.path.relpath(path, folder)] = file.read()
    return found, folders


def fresh_catalogs(source, work):
    """The catalogs as sample_catalog.cmake lays them in an empty folder."""
    folder = os.path.join(work, "fresh")
    subprocess.run(["cmake", f"-DORVANE_BIN_DIR={folder}", "-P",
                    os.path.join(source, "cmake", "sample_catalog.cmake")], check=True)
    return files_under(folder)


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack_from(">II", data, 16)


def elf_stripped(data):
    """True when a 64-bit ELF file has no symbol table section (SHT_SYMTAB)."""
    if data[:4] != b"\x7fELF":
        return False
    section_table, = struct.unpack_from("<Q", data, 0x28)
    entry_size, count = struct.unpack_from("<HH", data, 0x3A)
    return all(struct.unpack_from("<I", data, section_table + n * entry_size + 4)[0] != 2
               for n in range(count))


def desktop_exec_path(value):
    """The program an Exec value starts: the entry's string escapes first,
    then the command line's: a quoted argument takes \\ before " ` $ and \\;
    %% is a %."""
    value = re.sub(r"\\([sntr\\])", lambda m: {"s": " ", "n": "\n", "t": "\t", "r": "\r", "\\": "\\"}[m.group(1)],
                   value).replace("%%", "%")
    if not value.startswith('"'):
        return value.split(" ")[0]
    program, i = [], 1
    while i < len(value) and value[i] != '"':
        if value[i] == "\\" and i + 1 < len(value) and value[i + 1] in '"`$\\':
            i += 1
        program.append(value[i])
        i += 1
    return "".join(program)


# --- contents -------------------------------------------------------------------

def unpack(platform, package, work, checks):
    destination = os.path.join(work, UNPACK_FOLDER)
    os.makedirs(destination)
    if platform == "windows":
        with zipfile.ZipFile(package) as archive:
            unmarked = [i.filename for i in archive.infolist()
                        if not i.filename.isascii() and not i.flag_bits & 0x800]
            checks.check(not unmarked, f"the zip marks non-ASCII names as UTF-8 ({len(unmarked)} unmarked)")
            archive.extractall(destination)
    else:
        with tarfile.open(package) as archive:
            archive.extractall(destination)
    tops = os.listdir(destination)
    checks.check(len(tops) == 1, f"one top folder: {tops}")
    return os.path.join(destination, tops[0]), tops[0]


def check_contents(platform, top, top_name, args, work, checks):
    expected_top = f"Orvane-{args.version}-" + ("windows" if platform == "windows" else "linux-x86_64")
    checks.check(top_name == expected_top, f"top folder {top_name!r} is {expected_top!r}")
    files, _ = files_under(top)
    fresh, fresh_folders = fresh_catalogs(args.source, work)
    packed = {path: data for path, data in files.items() if path.split(os.sep)[0] in ("Catalog", "Каталог")}
    _, packed_folders = files_under(top)
    packed_folders = {f for f in packed_folders if f.split(os.sep)[0] in ("Catalog", "Каталог")}
    checks.check(packed == fresh and packed_folders == fresh_folders,
                 f"the catalogs are laid afresh ({len(packed)} files; differing: "
                 f"{sorted(set(packed) ^ set(fresh)) or [p for p in packed if packed[p] != fresh.get(p)]})")
    texts = [path for path in packed if path.endswith(".txt")]
    without_bom = [path for path in texts if not packed[path].startswith(BOM)]
    checks.check(texts and not without_bom, f"the catalogs' {len(texts)} text files start with a byte-order "
                                            f"mark (without: {without_bom})")

    readme = files.get("README.txt", b"")
    if platform == "windows":
        bare_line_feeds = readme.count(b"\n") - readme.count(b"\r\n")
        checks.check(readme.startswith(BOM) and b"\r\n" in readme and bare_line_feeds == 0,
                     "README.txt for Windows: byte-order mark and CRLF lines")
        for program in ("orvane_en.exe", "orvane_ru.exe"):
            faults = check_executables.program_faults(args.objdump, os.path.join(top, program), args.version,
                                                      stripped=True)
            checks.check(not faults, f"{program}: stripped, manifest, version information and icon")
        return

    text = readme.decode("utf-8", "replace")
    missing = [name for name in RUNTIME_PACKAGES if name not in text]
    checks.check(not missing, f"README.txt names the runtime packages (missing: {missing})")
    for program in ("orvane_en", "orvane_ru"):
        path = os.path.join(top, program)
        checks.check(os.access(path, os.X_OK) and elf_stripped(files[program]), f"{program}: executable, stripped")
    for size in ICON_SIZES:
        icon = files.get(os.path.join("icons", "hicolor", f"{size}x{size}", "apps", "orvane.png"), b"")
        checks.check(png_size(icon) == (size, size), f"icon {size}x{size}: {png_size(icon)}")
    entries = [os.path.join(top, f"{program}.desktop") for program in ("orvane_en", "orvane_ru")]
    validated = subprocess.run(["desktop-file-validate", *entries], capture_output=True, text=True)
    checks.check(validated.returncode == 0 and not validated.stdout.strip(),
                 f"desktop entries valid {validated.stdout.strip()}")
    check_add_to_menu(top, work, checks)


def check_add_to_menu(top, work, checks):
    data = os.path.join(work, "data home")
    env = dict(os.environ, XDG_DATA_HOME=data)
    subprocess.run([os.path.join(top, "add-to-menu")], env=env, check=True, stdout=subprocess.DEVNULL)
    for program in ("orvane_en", "orvane_ru"):
        entry = os.path.join(data, "applications", f"{program}.desktop")
        validated = subprocess.run(["desktop-file-validate", entry], capture_output=True, text=True)
        with open(entry, encoding="utf-8") as file:
            values = dict(line.rstrip("\n").split("=", 1) for line in file if "=" in line)
        started = desktop_exec_path(values.get("Exec", ""))
        checks.check(validated.returncode == 0 and started == os.path.join(top, program),
                     f"add-to-menu: {program}.desktop valid and starts {started!r}")
    icons = [os.path.exists(os.path.join(data, "icons", "hicolor", f"{s}x{s}", "apps", "orvane.png"))
             for s in ICON_SIZES]
    checks.check(all(icons), "add-to-menu: icons installed")
    subprocess.run([os.path.join(top, "add-to-menu"), "--remove"], env=env, check=True, stdout=subprocess.DEVNULL)
    left = [name for name in os.listdir(os.path.join(data, "applications")) if name.endswith(".desktop")]
    checks.check(not left, f"add-to-menu --remove leaves no entry ({left})")


# --- the programs on screen -------------------------------------------------------

def month_word(top, build, month):
    folder = os.path.join(top, BUILDS[build]["catalog"], *BUILDS[build]["months"],
                          BUILDS[build]["month_keys"][month - 1])
    names = os.listdir(folder)
    return names[0].rsplit(".", 1)[0] if len(names) == 1 else None


def read_clock_panel(shot, origin, language, work):
    left, top, right, bottom = CLOCK_BOX
    crop = os.path.join(work, "clock.png")
    subprocess.run(["convert", shot, "-crop", f"{right - left}x{bottom - top}+{left + origin[0]}+{top + origin[1]}",
                    "+repage", "-colorspace", "Gray", "-threshold", "35%", "-bordercolor", "white",
                    "-border", "8", "-resize", "400%", crop], check=True)
    text = subprocess.run(["tesseract", crop, "stdout", "-l", language, "--psm", "6"], check=True,
                          capture_output=True, text=True, env=dict(os.environ, OMP_THREAD_LIMIT="1")).stdout
    return " ".join(text.split())


def check_screen(build, shot, origin, top, work, checks):
    text = read_clock_panel(shot, origin, BUILDS[build]["ocr"], work)
    print(f"{build} clock panel reads: {text}")
    for label in BUILDS[build]["labels"]:
        checks.check(label in text, f"{build}: label {label!r} shown")
    # The clock lines write today's month (London's, and the local one) with
    # the packed catalog's word; either date may be the one on screen.
    now = datetime.datetime.now()
    utc = datetime.datetime.now(datetime.timezone.utc)
    words = {month_word(top, build, now.month), month_word(top, build, utc.month)}
    checks.check(any(word and word in text for word in words), f"{build}: month word {words} from the packed catalog")


def run_linux(top, work, checks):
    elsewhere = os.path.join(work, "другая папка")
    os.makedirs(elsewhere)
    display_file = os.path.join(work, "display")
    with open(display_file, "w") as out:
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(out.fileno()), "-screen", "0", "1280x1024x24",
                                 "-nolisten", "tcp"], pass_fds=(out.fileno(),), stderr=subprocess.DEVNULL)
    try:
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline and not open(display_file).read().strip():
            time.sleep(0.05)
        env = dict(os.environ, DISPLAY=":" + open(display_file).read().strip())
        for build in ("en", "ru"):
            program = subprocess.Popen([os.path.join(top, f"orvane_{build}")], cwd=elsewhere, env=env,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                found = subprocess.run(["xdotool", "search", "--sync", "--name", "^Orvane$"], env=env,
                                       capture_output=True, timeout=60)
                checks.check(found.returncode == 0, f"{build}: the window opened")
                time.sleep(1.5)
                shot = os.path.join(work, f"{build}.png")
                subprocess.run(["import", "-window", "root", shot], env=env, check=True)
                check_screen(build, shot, (0, 0), top, work, checks)
            finally:
                program.kill()
                program.wait()
    finally:
        xvfb.terminate()
        xvfb.wait()


def run_windows(top, work, checks):
    session = winesession.from_environment()
    elsewhere = os.path.join(work, "другая папка")
    os.makedirs(elsewhere)
    for build in ("en", "ru"):
        process = session.start_program(os.path.join(top, f"orvane_{build}.exe"), cwd=elsewhere)
        try:
            window = session.find_window("Orvane", timeout=90)
            time.sleep(2)
            shot = session.screenshot(os.path.join(work, f"{build}.png"))
            check_screen(build, shot, winesession.CLIENT_ORIGIN, top, work, checks)
            session.close_with_alt_f4(window)
            process.wait(timeout=30)
        finally:
            if process.poll() is None:
                process.kill()
        checks.check(process.returncode == 1, f"{build}: ended with exit code {process.returncode} on Alt+F4")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("platform", choices=("windows", "linux"))
    parser.add_argument("package")
    parser.add_argument("--source", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--objdump")
    args = parser.parse_args()
    tools = ["Xvfb", "xdotool", "import", "convert", "tesseract"]
    tools += ["wine"] if args.platform == "windows" else ["desktop-file-validate"]
    missing = [tool for tool in tools if not shutil.which(tool)]
    if missing:
        print(f"missing: {' '.join(missing)} (scripts/install-deps test)", file=sys.stderr)
        return 77
    checks = Checks()
    work = tempfile.mkdtemp(prefix="orvane-package-")
    try:
        top, top_name = unpack(args.platform, args.package, work, checks)
        check_contents(args.platform, top, top_name, args, work, checks)
        (run_windows if args.platform == "windows" else run_linux)(top, work, checks)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    if checks.failed:
        print(f"{len(checks.failed)} check(s) failed")
        return 1
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
