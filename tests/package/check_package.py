#!/usr/bin/env python3
"""Checks a release package as a user gets it: unpacked into a folder whose
path has spaces, Cyrillic letters and characters a desktop entry must escape,
its contents checked, then each program started from another working folder
and its first screenshot read back by OCR (the clock labels, and the month
word of the packed catalog); under Wine, files clicked in the English
program's list reach a registered document program by their full paths,
names Windows would read as other entries reach nothing, and files deeper
than 260 characters open.

  check_package.py windows PACKAGE.zip --source DIR --version V --objdump OBJDUMP --handler EXE
      (under scripts/with-wine --xvfb --host: the programs run under Wine; EXE is
      registered for ".txt" and logs each file the English program opens)
  check_package.py linux PACKAGE.tar.gz --source DIR --version V
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
import e2e_wine  # noqa: E402
import winesession  # noqa: E402

UNPACK_FOLDER = "Распакованный пакет 100% $HOME"
BOM = b"\xef\xbb\xbf"
RUNTIME_PACKAGES = ["libsdl2-2.0-0", "libx11-6", "libfreetype6", "libfontconfig1", "libharfbuzz0b",
                    "libfribidi0", "fonts-liberation", "xdg-utils"]
ICON_SIZES = [16, 32, 48, 64, 128, 256]
BUILDS = {
    "en": {"catalog": "Catalog", "ocr": "eng", "labels": ["London time:", "Local time:"],
           "months": ["Standards", "Time", "Months"],
           "month_keys": ["January", "February", "March", "April", "May", "June", "July",
                          "August", "September", "October", "November", "December"]},
    "ru": {"catalog": "Каталог", "ocr": "rus", "labels": ["Лондонское время:", "Местное время:"],
           "months": ["Стандарты", "Время", "Родительный", "Месяцы"],
           "month_keys": ["Январь", "Февраль", "Март", "Апрель", "Май", "Июнь", "Июль",
                          "Август", "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"]},
}
CLOCK_BOX = (246, 10, 892, 136)  # client area: both labels and both clock lines
failed = []


def check(condition, message):
    print(("ok   " if condition else "FAIL ") + message, flush=True)
    if not condition:
        failed.append(message)


def tree(folder):
    """{relative path: bytes, or None for a folder} of everything below a folder."""
    found = {}
    for root, dirs, files in os.walk(folder):
        for name in dirs:
            found[os.path.relpath(os.path.join(root, name), folder)] = None
        for name in files:
            with open(os.path.join(root, name), "rb") as file:
                found[os.path.relpath(os.path.join(root, name), folder)] = file.read()
    return found


def elf_stripped(data):
    """A 64-bit ELF file without a symbol table section (SHT_SYMTAB, 2)."""
    table, = struct.unpack_from("<Q", data, 0x28)
    size, count = struct.unpack_from("<HH", data, 0x3A)
    return data[:4] == b"\x7fELF" and all(struct.unpack_from("<I", data, table + n * size + 4)[0] != 2
                                          for n in range(count))


def newest_versions(program):
    """The newest version of each library's symbols the program asks for, e.g. {"GLIBC": (2, 34)}."""
    listing = subprocess.run(["objdump", "-T", program], capture_output=True, text=True, check=True).stdout
    newest = {}
    for library, version in re.findall(r"\b(GLIBC|GLIBCXX|CXXABI)_([\d.]+)", listing):
        newest[library] = max(newest.get(library, ()), tuple(int(n) for n in version.split(".")))
    return newest


def desktop_exec_program(value):
    """The program an Exec value starts: the entry's string escapes first, then
    the command line's quoting (\\ before " ` $ \\ inside quotes), %% for %."""
    value = re.sub(r"\\([sntr\\])", lambda m: {"s": " ", "n": "\n", "t": "\t", "r": "\r", "\\": "\\"}[m.group(1)],
                   value).replace("%%", "%")
    if not value.startswith('"'):
        return value.split(" ")[0]
    return re.sub(r'\\(["`$\\])', r"\1", re.match(r'"((?:[^"\\]|\\.)*)"', value).group(1))


def check_contents(platform, top, args, work):
    files = tree(top)
    subprocess.run(["cmake", f"-DORVANE_BIN_DIR={work}/fresh", f"-DORVANE_PLATFORM={platform}", "-P",
                    os.path.join(args.source, "cmake", "sample_catalog.cmake")], check=True)
    packed = {p: d for p, d in files.items() if p.split(os.sep)[0] in ("Catalog", "Каталог")}
    check(packed == tree(f"{work}/fresh"),
          f"the catalogs are those laid afresh from the source ({len(packed)} entries)")
    texts = [p for p in packed if p.endswith(".txt")]
    check(texts and all(packed[p].startswith(BOM) for p in texts), f"{len(texts)} catalog texts start with a BOM")
    readme = files.get("README.txt") or b""

    if platform == "windows":
        check(readme.startswith(BOM) and b"\r\n" in readme and readme.count(b"\n") == readme.count(b"\r\n"),
              "README.txt for Windows: a byte-order mark and CRLF lines")
        for program in ("orvane_en.exe", "orvane_ru.exe"):
            faults = check_executables.program_faults(args.objdump, os.path.join(top, program), args.version,
                                                      stripped=True)
            check(not faults, f"{program}: stripped, with its manifest, version information and icon")
        return

    missing = [name for name in RUNTIME_PACKAGES if name.encode() not in readme]
    check(not missing, f"README.txt names the runtime packages (missing: {missing})")
    for program in ("orvane_en", "orvane_ru"):
        check(os.access(os.path.join(top, program), os.X_OK) and elf_stripped(files[program]),
              f"{program}: executable, stripped")
        # The oldest systems the README names: glibc 2.34, the C++ library of GCC 11.
        needed = newest_versions(os.path.join(top, program))
        check(needed.get("GLIBC", ()) <= (2, 34) and needed.get("GLIBCXX", ()) <= (3, 4, 29),
              f"{program} needs at most GLIBC_2.34 and GLIBCXX_3.4.29 (it needs {needed})")
    icons = [files.get(os.path.join("icons", "hicolor", f"{s}x{s}", "apps", "orvane.png")) or b""
             for s in ICON_SIZES]
    check([struct.unpack_from(">II", icon, 16) if icon[:4] == b"\x89PNG" else None for icon in icons]
          == [(s, s) for s in ICON_SIZES], f"the icon as PNG at {ICON_SIZES} pixels")

    # add-to-menu installs entries that start the unpacked programs.
    data = os.path.join(work, "data home")
    subprocess.run([os.path.join(top, "add-to-menu")], env=dict(os.environ, XDG_DATA_HOME=data), check=True,
                   stdout=subprocess.DEVNULL)
    for program in ("orvane_en", "orvane_ru"):
        installed = os.path.join(data, "applications", f"{program}.desktop")
        for entry in (os.path.join(top, f"{program}.desktop"), installed):
            validated = subprocess.run(["desktop-file-validate", entry], capture_output=True, text=True)
            check(validated.returncode == 0 and not validated.stdout.strip(),
                  f"{os.path.relpath(entry, work)} valid {validated.stdout.strip()}")
        with open(installed, encoding="utf-8") as file:
            started = desktop_exec_program(re.search(r"^Exec=(.*)$", file.read(), re.M).group(1))
        check(started == os.path.join(top, program), f"the menu's {program} starts {started!r}")


def check_screen(build, shot, origin, top, work):
    left, upper, right, lower = CLOCK_BOX
    crop = os.path.join(work, "clock.png")
    box = f"{right - left}x{lower - upper}+{left + origin[0]}+{upper + origin[1]}"
    subprocess.run(["convert", shot, "-crop", box, "+repage", "-colorspace", "Gray", "-threshold", "35%",
                    "-bordercolor", "white", "-border", "8", "-resize", "400%", crop], check=True)
    text = " ".join(subprocess.run(["tesseract", crop, "stdout", "-l", BUILDS[build]["ocr"], "--psm", "6"],
                                   check=True, capture_output=True, text=True,
                                   env=dict(os.environ, OMP_THREAD_LIMIT="1")).stdout.split())
    print(f"{build} clock panel reads: {text}")
    for label in BUILDS[build]["labels"]:
        check(label in text, f"{build}: label {label!r} shown")
    # The clock lines write London's and the local month with the packed
    # catalog's word; either may be on screen.
    words = set()
    for month in (datetime.datetime.now().month, datetime.datetime.now(datetime.timezone.utc).month):
        folder = os.path.join(top, BUILDS[build]["catalog"], *BUILDS[build]["months"],
                              BUILDS[build]["month_keys"][month - 1])
        words |= {name.rsplit(".", 1)[0] for name in os.listdir(folder)}
    check(any(word in text for word in words), f"{build}: month word {words} from the packed catalog")


def run_linux(top, work, elsewhere, _handler):
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
                check(found.returncode == 0, f"{build}: the window opened")
                time.sleep(1.5)
                shot = os.path.join(work, f"{build}.png")
                subprocess.run(["import", "-window", "root", shot], env=env, check=True)
                check_screen(build, shot, (0, 0), top, work)
            finally:
                program.kill()
                program.wait()
    finally:
        xvfb.terminate()
        xvfb.wait()


def opened(lines):
    """(file, working folder) of each line of the document program's log,
    both as long paths and lower-cased (Windows paths ignore case)."""
    return [tuple(part.lower() for part in line.split("|")[1:3]) for line in lines]


def check_shell_open(session, top, work):
    """Clicks in the English program's list, with a document program that logs
    what it is given registered for ".txt": the catalog's Readme.txt opens by
    its full path (not the README.txt beside the program). Names that Windows
    would read as another entry open nothing and enter nothing: names holding
    a backslash (which a Linux disk seen through Wine lists), a file ending in
    a full stop beside its plain twin, a folder ending in a space beside its
    plain twin, and a device's name."""
    catalog = os.path.join(top, "Catalog")
    for path in (os.path.join(work, "secret.txt"),  # what ..\\..\\secret.txt reaches from the program's folder
                 os.path.join(catalog, "..\\..\\secret.txt"), os.path.join(catalog, "Documents\\Letters"),
                 os.path.join(catalog, "Notes.txt."), os.path.join(catalog, "COM1.txt")):
        with open(path, "w") as file:
            file.write("not to be opened\n")
    os.makedirs(os.path.join(catalog, "Documents "))
    rows = e2e_wine.listing_order(catalog)
    # The last Readme.txt is still the catalog's own if no click moved the list;
    # a file opened for Notes.txt. would be its twin Notes.txt.
    clicks = ("Readme.txt", "..\\..\\secret.txt", "Documents\\Letters", "Notes.txt.", "Documents ", "COM1.txt",
              "Readme.txt")
    for name in clicks:
        session.click(100, 16 + 30 * rows.index(name))
        time.sleep(1)
    lines = e2e_wine.wait_for_log_lines(session, 3, timeout=8)  # a third would be a fault
    print("the document program's log:", lines)
    expected = (session.windows_path(os.path.join(catalog, "Readme.txt")).lower(),
                session.windows_path(catalog).lower())
    check(opened(lines) == [expected] * 2,
          "en: Readme.txt of the catalog opened by its full path in the catalog, twice; the names with a "
          "backslash, a final full stop or space, or a device's name opened and entered nothing")


def check_deep_open(session, top, work):
    """The English program copied into a folder whose name ends in a space, so
    deep that the catalog's files pass 260 characters, started from elsewhere:
    it lists its catalog, and a click on Readme.txt opens exactly that file."""
    # The program's folder 250 characters long as Windows names it, as from
    # a deep folder of a network share or a project tree.
    parts, room = [], 250 - len(session.windows_path(work)) - len("\\Orvane ")
    while room > 1:
        parts.append("d" * min(50, room - 1))
        room -= len(parts[-1]) + 1
    deep = os.path.join(work, *parts, "Orvane ")
    os.makedirs(deep)
    shutil.copy2(os.path.join(top, "orvane_en.exe"), deep)
    shutil.copytree(os.path.join(top, "Catalog"), os.path.join(deep, "Catalog"))
    readme = os.path.join(deep, "Catalog", "Readme.txt")
    if os.path.exists(e2e_wine.handler_log(session)):
        os.remove(e2e_wine.handler_log(session))

    def readme_opens(session):
        session.click(100, 16 + 30 * e2e_wine.listing_order(os.path.join(deep, "Catalog")).index("Readme.txt"))
        lines = e2e_wine.wait_for_log_lines(session, 1, timeout=15)
        print("the document program's log:", lines)
        check(opened(lines) == [(session.windows_path(readme).lower(),
                                 session.windows_path(os.path.dirname(readme)).lower())],
              f"en: Readme.txt opened from a folder ending in a space, "
              f"{len(session.windows_path(readme))} characters deep")

    run_windows_program(session, os.path.join(deep, "orvane_en.exe"), work, "en from the deep folder", readme_opens)


def run_windows_program(session, program, cwd, what, checks):
    """Starts a Windows program, runs `checks` on its window, closes it with
    Alt+F4 and checks its exit code."""
    process = session.start_program(program, cwd=cwd)
    try:
        window = session.find_window("Orvane", timeout=90)
        time.sleep(2)
        checks(session)
        session.close_with_alt_f4(window)
        process.wait(timeout=30)
    finally:
        if process.poll() is None:
            process.kill()
    check(process.returncode == 1, f"{what}: exit code {process.returncode} after Alt+F4")


def run_windows(top, work, elsewhere, handler):
    session = winesession.from_environment()
    e2e_wine.prepare(session, argparse.Namespace(bin=os.path.dirname(handler)))
    for build in ("en", "ru"):
        def screen_and_clicks(session, build=build):
            shot = session.screenshot(os.path.join(work, f"{build}.png"))
            check_screen(build, shot, winesession.CLIENT_ORIGIN, top, work)
            if build == "en":
                check_shell_open(session, top, work)

        run_windows_program(session, os.path.join(top, f"orvane_{build}.exe"), elsewhere, build, screen_and_clicks)
    check_deep_open(session, top, work)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("platform", choices=("windows", "linux"))
    parser.add_argument("package")
    parser.add_argument("--source", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--objdump")
    parser.add_argument("--handler", help="the document program registered for .txt (Windows)")
    args = parser.parse_args()
    tools = ["Xvfb", "xdotool", "import", "convert", "tesseract"]
    tools.append("wine" if args.platform == "windows" else "desktop-file-validate")
    missing = [tool for tool in tools if not shutil.which(tool)]
    if missing:
        print(f"missing: {' '.join(missing)} (scripts/install-deps test)", file=sys.stderr)
        return 77
    work = tempfile.mkdtemp(prefix="orvane-package-")
    try:
        unpacked = os.path.join(work, UNPACK_FOLDER)
        if args.platform == "windows":
            with zipfile.ZipFile(args.package) as archive:
                unmarked = [i.filename for i in archive.infolist()
                            if not i.filename.isascii() and not i.flag_bits & 0x800]
                check(not unmarked, f"the zip marks non-ASCII names as UTF-8 (unmarked: {unmarked[:3]})")
                archive.extractall(unpacked)
        else:
            with tarfile.open(args.package) as archive:
                archive.extractall(unpacked)
        expected = f"Orvane-{args.version}-" + ("windows" if args.platform == "windows" else "linux-x86_64")
        check(os.listdir(unpacked) == [expected], f"one top folder {expected}: {os.listdir(unpacked)}")
        top = os.path.join(unpacked, expected)
        check_contents(args.platform, top, args, work)
        elsewhere = os.path.join(work, "другая папка")
        os.makedirs(elsewhere)
        (run_windows if args.platform == "windows" else run_linux)(top, work, elsewhere, args.handler)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print(f"{len(failed)} check(s) failed" if failed else "passed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
