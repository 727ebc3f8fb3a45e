#!/usr/bin/env python3
"""End-to-end tests of the Linux program under a virtual X server.

Each test copies one build's program, its render tool and its sample catalog
into a fresh temporary folder, starts Xvfb, starts the program from another
working folder, drives it with xdotool and reads the window back with
ImageMagick: regions are compared pixel for pixel with a frame that the render
tool draws off-screen for the state the window should show, and the texts
that change with time (the clock lines and the frame-rate line) are read with
tesseract.

    linux_e2e.py --bin build/linux/bin --language en CASE

CASE is one of: startup, navigate, dates, rename, scroll, open, close,
close_key, and (English build) backslash_names, backslash_home, open_planted,
deep_open, no_display, launch_stress, lone_copy.

Closing: a bare Xvfb has no window manager, so nothing draws a close box.
The close case sends the window the WM_DELETE_WINDOW client message that a
window manager sends when its close box is clicked (through Xlib with ctypes;
"xdotool windowclose" would destroy the X window under the program instead).
The close_key case presses Alt+F4 over the window, which the program maps to
the same close request.
"""

import argparse
import ctypes
import ctypes.util
import datetime
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from drive import builds, x11  # noqa: E402
from drive.frame_ink import Image, arrow_problems  # noqa: E402
from drive.verdict import Failure, check, verdict  # noqa: E402

WIDTH, HEIGHT = 900, 1000

# Bands of the window that change with the clocks or the frame counter.
CLOCK_BANDS = [(40, 70), (100, 130)]
FRAME_RATE_BAND = (960, 1000)


def differing_pixels(a, b, left=0, top=0, right=WIDTH, bottom=HEIGHT, skip_bands=()):
    """Number of pixels that differ inside the box between two Images of the
    client area, rows in skip_bands left out."""
    count = 0
    for y in range(top, bottom):
        if any(low <= y < high for low, high in skip_bands):
            continue
        start = (y * WIDTH + left) * 3
        end = (y * WIDTH + right) * 3
        row_a, row_b = a.rgb[start:end], b.rgb[start:end]
        if row_a != row_b:
            count += sum(1 for i in range(0, end - start, 3) if row_a[i:i + 3] != row_b[i:i + 3])
    return count


def send_delete_window(display, window_id):
    """Asks the window to close as a window manager does: WM_DELETE_WINDOW."""
    x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

    class Event(ctypes.Union):
        _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.POINTER(Event)]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    connection = x11.XOpenDisplay(display.encode())
    check(connection, "cannot open the display")
    event = Event()
    event.xclient.type = 33  # ClientMessage
    event.xclient.window = window_id
    event.xclient.message_type = x11.XInternAtom(connection, b"WM_PROTOCOLS", 0)
    event.xclient.format = 32
    event.xclient.data[0] = x11.XInternAtom(connection, b"WM_DELETE_WINDOW", 0)
    event.xclient.data[1] = 0  # CurrentTime
    x11.XSendEvent(connection, window_id, 0, 0, ctypes.byref(event))
    x11.XFlush(connection)
    x11.XCloseDisplay(connection)


class Session:
    """One build laid out in a temporary folder, running under an Xvfb of its own."""

    def __init__(self, bin_dir, language, app_name="app"):
        self.language = language
        self.table = builds.LANGUAGES[language]
        self.shift = builds.shift(language)  # of the lower panels
        self.work = tempfile.mkdtemp(prefix="orvane-e2e-")
        programs = [f"orvane_{language}", f"orvane_render_{language}"]
        self.app_dir, self.catalog, self.elsewhere = builds.lay_out(bin_dir, language, programs, self.work, app_name)
        self.render_dir = self.app_dir  # where the render tool and the catalog it draws lie
        self.xvfb = x11.Xvfb(self.work)
        self.display = None
        self.program = None
        self.window = None

    def __enter__(self):
        try:
            self.xvfb.__enter__()
        except BaseException:
            shutil.rmtree(self.work, ignore_errors=True)
            raise
        self.display = x11.Display(self.xvfb.name, self.work)
        return self

    def __exit__(self, *exc):
        if self.program and self.program.poll() is None:
            self.program.kill()
            self.program.wait()
        self.xvfb.__exit__()
        shutil.rmtree(self.work, ignore_errors=True)

    @property
    def env(self):
        return self.display.env

    def start(self, extra_path=None):
        env = dict(self.env)
        if extra_path:
            env["PATH"] = extra_path + os.pathsep + env.get("PATH", "")
        # Started from another folder: the program must find its catalog itself.
        self.program = subprocess.Popen([os.path.join(self.app_dir, f"orvane_{self.language}")],
                                        cwd=self.elsewhere, env=env, stderr=subprocess.PIPE)
        self.window = self.display.find_window("Orvane", timeout=20)
        check(self.window, "the window did not appear")
        time.sleep(0.5)

    def xdotool(self, *args):
        self.display.xdotool(*args, timeout=20)

    def click(self, x, y):
        self.display.click(x, y)

    def screenshot(self):
        return self.display.client_image(WIDTH, HEIGHT)

    def render(self, *args):
        out = os.path.join(self.work, "expected.png")
        env = {k: v for k, v in self.env.items() if k != "DISPLAY"}
        subprocess.run([os.path.join(self.render_dir, f"orvane_render_{self.language}"), "--out", out,
                        *map(str, args)], cwd=self.elsewhere, env=env, check=True, capture_output=True, timeout=60)
        image = Image.load(out)
        check((image.width, image.height) == (WIDTH, HEIGHT), f"{out}: not a {WIDTH}x{HEIGHT} image")
        return image

    def wait_until_shown(self, expected, timeout=5.0, **box):
        """Polls screenshots until the box matches the expected frame; returns seconds taken."""
        started = time.time()
        while True:
            shot = self.screenshot()
            differing = differing_pixels(shot, expected, **box)
            if differing == 0:
                return time.time() - started
            if time.time() - started > timeout:
                self.display.screenshot(os.path.join(tempfile.gettempdir(), "orvane-e2e-failed.png"))
                raise Failure(f"{differing} pixels differ from the expected frame in {box}")
            time.sleep(0.1)

    def ocr(self, shot, top, bottom, left=0, right=WIDTH):
        """Text in a band of a screenshot, upscaled for tesseract."""
        text = self.display.read_text(shot, [(left, top, right, bottom)], self.table["ocr"], psm=7, normalize=True)
        return x11.normal(text)


def today():
    return datetime.date.today()


def add_months(date, months):
    month_index = date.month - 1 + months
    year, month = date.year + month_index // 12, month_index % 12 + 1
    days = [31, 29 if year % 4 == 0 and (year % 100 != 0 or year % 400 == 0) else 28, 31, 30, 31, 30, 31, 31,
            30, 31, 30, 31][month - 1]
    return datetime.date(year, month, min(date.day, days))


def add_years(date, years):
    # 29 February into a common year gives 28 February.
    try:
        return date.replace(year=date.year + years)
    except ValueError:
        return date.replace(year=date.year + years, day=28)


def case_startup(session):
    session.start()
    geometry = session.display.geometry(session.window)
    check(geometry == (0, 0, WIDTH, HEIGHT), f"window at {geometry}, not at 0, 0 with {WIDTH}x{HEIGHT}")
    expected = session.render("--date", today().isoformat())
    session.wait_until_shown(expected, skip_bands=CLOCK_BANDS + [FRAME_RATE_BAND])
    time.sleep(2.5)  # two whole measuring seconds
    now_utc = datetime.datetime.now(datetime.timezone.utc)
    now_local = datetime.datetime.now()
    shot = session.screenshot()
    arrows = arrow_problems(shot, session.shift)
    check(not arrows, f"an arrow button holds no arrowhead: {arrows}")
    clock = " ".join(session.ocr(shot, top, top + 22, 240, right) for top, right in
                     ((14, 600), (44, 700), (74, 600), (104, 700)))
    print("clock panel reads:", clock)
    missing = builds.clock_problems(clock, session.catalog, session.language, now_utc, now_local)
    check(not missing, f"the clock panel {clock!r} lacks {missing}")
    rate_line = session.ocr(shot, FRAME_RATE_BAND[0], FRAME_RATE_BAND[1] - 14, 480, 900)
    rate, frame = builds.frame_rate_of(rate_line, session.language)
    check(rate is not None, f"frame-rate line not read: {rate_line!r}")
    print(f"frame rate shown: {rate}, current frame {frame}")
    check(1 <= rate <= 1001, f"frame rate {rate} beyond the 1000-frame cap")


def case_navigate(session):
    session.start()
    folder = session.table["sample_folder"]
    list_box = dict(left=0, top=0, right=240, bottom=HEIGHT)
    session.click(60, 76)  # row 2: the first folder after "." and ".."
    session.wait_until_shown(session.render("--folder", f"{session.table['catalog']}\\{folder}"), **list_box)
    session.click(60, 46)  # row 1: ".."
    session.wait_until_shown(session.render(), **list_box)


def case_dates(session):
    session.start()
    panels = dict(left=240, top=150, right=WIDTH, bottom=FRAME_RATE_BAND[0])
    date = today()
    session.click(550, 561 + session.shift)  # next month
    date = add_months(date, 1)
    session.wait_until_shown(session.render("--date", date.isoformat()), **panels)
    session.click(550, 645 + session.shift)  # next year
    date = add_years(date, 1)
    session.wait_until_shown(session.render("--date", date.isoformat()), **panels)
    session.click(634, 680 + session.shift)  # 100 years back
    date = add_years(date, -100)
    session.wait_until_shown(session.render("--date", date.isoformat()), **panels)


def case_rename(session):
    session.start()
    folder = builds.key_folder(session.catalog, session.language, "day_folder",
                               builds.day_key(session.language, today()))
    (word_file,) = os.listdir(folder)
    os.rename(os.path.join(folder, word_file), os.path.join(folder, "Renamed.txt"))
    expected = session.render("--date", today().isoformat())
    seconds = session.wait_until_shown(expected, left=290, top=156, right=420, bottom=190)
    print(f"renamed word shown after {seconds:.2f} s")


def case_scroll(session):
    session.start()
    session.xdotool("mousemove", 220, 300)
    session.xdotool("mousedown", 1)
    session.xdotool("mousemove", 220, 360)
    session.xdotool("mouseup", 1)
    session.wait_until_shown(session.render("--scroll", 60), left=0, top=0, right=240, bottom=HEIGHT)


def case_open(session):
    tools, record = opener_logger(session)
    session.start(extra_path=tools)
    session.click(60, 106)  # row 3
    lines = wait_for_file(record, timeout=10)
    check(lines[:2] == [session.catalog, "./" + session.table["sample_document"]], f"xdg-open got {lines[:2]}")
    time.sleep(1.0)
    children = subprocess.run(["ps", "--ppid", str(session.program.pid), "-o", "stat="], capture_output=True,
                              text=True).stdout.split()
    check(not any(state.startswith("Z") for state in children), f"a zombie remains: {children}")
    check(session.program.poll() is None, "the program ended")


def case_close(session):
    session.start()
    send_delete_window(session.display.name, session.window)
    try:
        code = session.program.wait(timeout=10)
    except subprocess.TimeoutExpired:
        raise Failure("the program did not end when its window was closed")
    check(code == 1, f"exit code {code}, not 1")


def case_close_key(session):
    # Alt+F4 over the window closes it, as the default handling does on Windows.
    session.start()
    session.xdotool("mousemove", 400, 400)
    session.xdotool("key", "alt+F4")
    try:
        code = session.program.wait(timeout=10)
    except subprocess.TimeoutExpired:
        raise Failure("the program did not end on Alt+F4")
    check(code == 1, f"exit code {code}, not 1")


def write_logger(path, record):
    """A stand-in for xdg-open that writes down its working folder, its
    arguments and what the file it was given holds, then renames the record
    into place (so a reader never sees half of it)."""
    with open(path, "w") as script:
        script.write(f'#!/bin/sh\n{{ pwd; for a in "$@"; do printf "%s\\n" "$a"; done; cat -- "$1" 2>/dev/null; }} '
                     f'> "{record}.part"\nmv "{record}.part" "{record}"\n')
    os.chmod(path, 0o755)


def opener_logger(session):
    """A stand-in for xdg-open (write_logger) in a folder of its own: that
    folder, for PATH, and the record it writes."""
    tools = os.path.join(session.work, "tools")
    os.makedirs(tools)
    record = os.path.join(session.work, "opened")
    write_logger(os.path.join(tools, "xdg-open"), record)
    return tools, record


def wait_for_file(path, timeout=15.0):
    """The lines of a record that a stand-in for xdg-open renames into place."""
    lines = x11.wait_for_lines(path, timeout=timeout)
    check(lines, f"{path} did not appear")
    return lines


def row_y(row):
    """The middle of list row `row` (0 is ".") with the list at its top."""
    return 16 + 30 * row


def case_backslash_names(session):
    """A backslash in a Linux name is a character of that name:
    - "..\\..\\...\\canary.fifo" (it has a full stop, so a click takes it for a
      file) is handed to the opener as itself, and the FIFO outside the
      catalog that it would name with "\\" as a separator is never opened:
      a writer waiting on it stays blocked;
    - a folder named "back\\slashdir" and one named "\\" are entered and list
      their own entries, exactly as plain folders with the same entries do."""
    catalog = session.catalog
    attack = os.path.join(catalog, "Attack")
    os.makedirs(attack)
    canary = os.path.join(session.work, "canary.fifo")
    os.mkfifo(canary)
    climb = "..\\" * (session.app_dir.count("/") + 3)
    escape = climb + canary.lstrip("/").replace("/", "\\")
    open(os.path.join(attack, escape), "w").close()
    for folder, entry, reference in (("back\\slashdir", "inner-1.txt", "Ref1"), ("\\", "inner-2.txt", "Ref2")):
        for parent in (attack, catalog):
            os.makedirs(os.path.join(parent, folder if parent == attack else reference), exist_ok=True)
            open(os.path.join(parent, folder if parent == attack else reference, entry), "w").close()
    tools, record = opener_logger(session)

    # A writer blocks on the FIFO until someone opens it for reading.
    released = []
    writer = threading.Thread(target=lambda: released.append(os.open(canary, os.O_WRONLY)), daemon=True)
    writer.start()

    session.start(extra_path=tools)
    list_box = dict(left=0, top=0, right=240, bottom=HEIGHT)
    session.click(60, row_y(2))  # Attack: ".", "..", the escape name, "back\\slashdir", "\\"
    session.wait_until_shown(session.render("--folder", f"{session.table['catalog']}/Attack"), **list_box)
    session.click(60, row_y(2))
    lines = wait_for_file(record)
    check(lines[:2] == [attack, "./" + escape], f"the opener got {lines[:2]}")
    time.sleep(1.5)
    check(not released and writer.is_alive(), "the FIFO outside the catalog was opened")

    session.click(60, row_y(3))  # back\\slashdir
    session.wait_until_shown(session.render("--folder", f"{session.table['catalog']}/Ref1"), **list_box)
    session.click(60, row_y(1))  # ".." back to Attack
    session.wait_until_shown(session.render("--folder", f"{session.table['catalog']}/Attack"), **list_box)
    session.click(60, row_y(4))  # the folder named "\\"
    session.wait_until_shown(session.render("--folder", f"{session.table['catalog']}/Ref2"), **list_box)
    check(session.program.poll() is None, "the program ended")

    # Let the writer go.
    reader = os.open(canary, os.O_RDONLY | os.O_NONBLOCK)
    writer.join(5)
    os.close(reader)
    for fd in released:
        os.close(fd)


def case_backslash_home(session):
    """The program's own folder has a backslash in its absolute path: the
    window shows the catalog and the words as a copy in a plain folder draws
    them, folders are entered and left, and a file opens in its folder."""
    plain = os.path.join(session.work, "plain")
    os.makedirs(plain)
    shutil.copy2(os.path.join(session.app_dir, f"orvane_render_{session.language}"), plain)
    shutil.copytree(session.catalog, os.path.join(plain, session.table["catalog"]))
    session.render_dir = plain
    tools, record = opener_logger(session)

    session.start(extra_path=tools)
    session.wait_until_shown(session.render("--date", today().isoformat()),
                             skip_bands=CLOCK_BANDS + [FRAME_RATE_BAND])
    list_box = dict(left=0, top=0, right=240, bottom=HEIGHT)
    session.click(60, row_y(2))  # Documents
    session.wait_until_shown(session.render("--folder", f"{session.table['catalog']}\\Documents"), **list_box)
    session.click(60, row_y(1))
    session.wait_until_shown(session.render(), **list_box)
    session.click(60, row_y(3))  # Notes.txt
    lines = wait_for_file(record)
    check(lines[:2] == [session.catalog, "./Notes.txt"],
          f"the opener got {lines[:2]}")


def case_open_planted(session):
    """PATH begins with an empty entry, "." and a relative folder, each of
    which names the browsed folder for a child working there: the xdg-open
    planted there never runs, the one on PATH's absolute folder does."""
    catalog = session.catalog
    planted_record = os.path.join(session.work, "planted")
    write_logger(os.path.join(catalog, "xdg-open"), planted_record)
    os.makedirs(os.path.join(catalog, "bin"))
    write_logger(os.path.join(catalog, "bin", "xdg-open"), planted_record)
    tools, record = opener_logger(session)

    session.start(extra_path=":.:bin:" + tools)
    session.click(60, row_y(4))  # ".", "..", "bin", "Documents", "Notes.txt"
    lines = wait_for_file(record)
    check(lines[:2] == [catalog, "./Notes.txt"], f"the opener got {lines[:2]}")
    time.sleep(1.0)
    check(not os.path.exists(planted_record), "the xdg-open planted in the browsed folder ran")


def case_deep_open(session):
    """A file 250 folders below the catalog (a path of over 7000 bytes, past
    the system's 4096-byte limit for one call) is listed, reached by clicks
    and opened in its own folder."""
    catalog = session.catalog
    os.makedirs(os.path.join(catalog, "Deep"))
    levels = 250
    token = f"deep file {os.getpid()}"
    folder = os.open(os.path.join(catalog, "Deep"), os.O_RDONLY | os.O_DIRECTORY)
    for level in range(levels):
        name = f"level{level:03d}" + "x" * 20
        os.mkdir(name, dir_fd=folder)
        inner = os.open(name, os.O_RDONLY | os.O_DIRECTORY, dir_fd=folder)
        os.close(folder)
        folder = inner
    with os.fdopen(os.open("deep.txt", os.O_WRONLY | os.O_CREAT, 0o644, dir_fd=folder), "w") as deep:
        deep.write(token + "\n")
    os.close(folder)
    tools, record = opener_logger(session)

    session.start(extra_path=tools)
    # Row 2 is "Deep", then the one folder of each level, then deep.txt.
    session.display.xdotool("mousemove", 60, row_y(2), "click", "--repeat", levels + 2, "--delay", 40, 1,
                            timeout=60)
    lines = wait_for_file(record, timeout=60)
    check(lines[1:] == ["./deep.txt", token], f"the opener got {lines[1:]}")


def case_no_display(session):
    """Without a reachable display the program says why on one line and ends
    with 3 at once; it never runs unseen on an off-screen driver."""
    program = os.path.join(session.app_dir, f"orvane_{session.language}")
    base = {k: v for k, v in session.env.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER")}
    attempts = [
        (base, "orvane: cannot open a window: no display (DISPLAY is not set)"),
        (dict(base, DISPLAY=":4091"), 'orvane: cannot open a window: cannot reach the display ":4091"'),
        (dict(base, DISPLAY=session.display.name, SDL_VIDEODRIVER="offscreen"),
         "orvane: cannot open a window: SDL_VIDEODRIVER=offscreen names no display driver"),
    ]
    for env, line in attempts:
        started = time.time()
        try:
            done = subprocess.run([program], cwd=session.elsewhere, env=env, capture_output=True, timeout=10)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program ran on without a window ({line})")
        seconds = time.time() - started
        err = done.stderr.decode(errors="replace").splitlines()
        check(done.returncode == 3, f"exit code {done.returncode}, not 3: {err}")
        check(len(err) == 1 and err[0].startswith(line), f"stderr {err}, not {line!r}")
        print(f"{seconds:.2f} s: {err[0]}")


def case_launch_stress(session):
    """50 launches one after another under one Xvfb: each shows its window
    (and closes with 1), or fails loudly (one line, exit code 3); none runs
    unseen. The Xvfb resets whenever its last client leaves, so a launch
    that connects during a reset finds no display: that one must say so."""
    program = os.path.join(session.app_dir, f"orvane_{session.language}")
    shown = failed = 0
    started = time.time()
    for launch in range(50):
        child = subprocess.Popen([program], cwd=session.elsewhere, env=session.env, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.PIPE)
        window = session.display.find_window("Orvane", timeout=15, process=child) is not None
        if window:
            child.terminate()  # SIGTERM: SDL turns it into a close request
        try:
            _, err = child.communicate(timeout=10)
        except subprocess.TimeoutExpired:
            child.kill()
            child.communicate()
            raise Failure(f"launch {launch}: no window and still running")
        lines = err.decode(errors="replace").splitlines()
        if window:
            check(child.returncode == 1, f"launch {launch}: closed with {child.returncode}, not 1")
            shown += 1
        else:
            check(child.returncode == 3 and len(lines) == 1 and
                  lines[0].startswith("orvane: cannot open a window: "),
                  f"launch {launch}: no window, exit code {child.returncode}, stderr {lines}")
            failed += 1
    print(f"{shown} launches showed their window, {failed} said why they could not, "
          f"in {time.time() - started:.1f} s")


def case_lone_copy(session):
    """The program copied alone, without its catalog: within 3 s one line on
    standard error names the catalog folder it looked for, and the program
    runs on with its window shown."""
    catalog = session.catalog
    shutil.rmtree(catalog)
    started = time.time()
    session.start()
    os.set_blocking(session.program.stderr.fileno(), False)
    said = b""
    while time.time() < started + 3:
        said += session.program.stderr.read() or b""
        time.sleep(0.1)
    lines = said.decode(errors="replace").splitlines()
    check(session.program.poll() is None, f"the program ended with {session.program.returncode}")
    check(len(lines) == 1 and lines[0].startswith(f"orvane: cannot read the catalog folder {catalog}: "),
          f"stderr within 3 s: {lines}, not one line naming {catalog}")
    print(f"said within 3 s, and running: {lines[0]}")


CASES = {name[len("case_"):]: function for name, function in globals().items() if name.startswith("case_")}


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--bin", required=True, help="folder of the executables and sample catalogs")
    parser.add_argument("--language", choices=("en", "ru"), default="en")
    parser.add_argument("case", choices=sorted(CASES))
    args = parser.parse_args()
    if x11.missing_tool(("Xvfb", "xdotool", "import", "convert", "tesseract")):
        return 77
    # The program's own folder has a backslash in its absolute path.
    app_name = "app\\with\\backslash" if args.case == "backslash_home" else "app"

    def body():
        with Session(os.path.abspath(args.bin), args.language, app_name) as session:
            CASES[args.case](session)
    return verdict(body)


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    sys.exit(main())
