#!/usr/bin/env python3
"""End-to-end tests of the Windows programs orvane_en.exe and orvane_ru.exe
under Wine on a virtual display. Run under scripts/with-wine --xvfb --host:

  e2e_wine.py --bin DIR --out DIR [all | en | ru | frame_rate]

en and ru check the window, the screen, the file list and the shell open, the
date buttons, a renamed word and the close; frame_rate sets the program's
frame rate beside a bare GDI loop; all (the default) runs the three in turn.

Each program run works on its own copy of the executable and its catalog in
the session folder, started from another working folder, so the build tree is
never changed. Screenshots go to the --out folder.
"""

import argparse
import datetime
import os
import re
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import winesession  # noqa: E402  (puts tests/ on the path for drive)
from drive import builds  # noqa: E402
from drive.builds import LANGUAGES, listing_order, word_of  # noqa: E402
from drive.frame_ink import Image, arrow_problems  # noqa: E402
from drive.verdict import Checks  # noqa: E402
from drive.x11 import normal, wait_for_lines  # noqa: E402

# Client-area boxes (left, top, right, bottom) of what the tests read back.
CLOCK_BOX = (246, 10, 892, 136)
FRAME_RATE_BOX = (430, 930, 892, 966)


def button_boxes(d):
    """Click points of the date buttons, D pixels lower per build."""
    return {
        "next_month": (550, 561 + d),
        "previous_month": (550, 596 + d),
        "plus_1000": (676, 650 + d),
        "minus_1000": (676, 680 + d),
    }


class ProgramRun:
    """One copy of a build with its catalog, started under Wine."""

    def __init__(self, session, args, language):
        self.session = session
        self.language = language
        self.table = LANGUAGES[language]
        self.out = args.out
        base = os.path.join(session.folder, "run-" + language)
        shutil.rmtree(base, ignore_errors=True)
        self.app, self.catalog, self.elsewhere = builds.lay_out(args.bin, language, [self.table["exe"]], base)
        self.process = None
        self.window = None
        self.shots = 0

    def start(self):
        exe = os.path.join(self.app, self.table["exe"])
        self.process = self.session.start_program(exe, cwd=self.elsewhere)
        self.window = self.session.find_window("Orvane", timeout=60)

    def screenshot(self, what):
        self.shots += 1
        path = os.path.join(self.out, f"{self.language}-{self.shots:02d}-{what}.png")
        return self.session.screenshot(path)

    def read(self, shot, box, scale=4, psm=6):
        return self.read_strips(shot, [box], scale=scale, psm=psm)

    def read_strips(self, shot, boxes, scale=4, psm=6):
        """OCR of client-area boxes read as one page, one under the other.
        The program's texts are not antialiased and touch the lines of their
        boxes, so the boxes are cut inside those lines; each is made black on
        white, framed in white and upscaled."""
        return self.session.read_text(shot, boxes, self.table["ocr"], scale=scale, psm=psm, threshold="35%",
                                      border=8)

    def frame_rate(self, shot):
        text = normal(self.read(shot, FRAME_RATE_BOX, psm=7))
        rate, frame = builds.frame_rate_of(text, self.language)
        return rate, frame, text

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
        self.process = None


def handler_log(session):
    return os.path.join(session.folder, "handler", "open_log.txt")


def wait_for_log_lines(session, count, timeout=15):
    """The handler's log once it holds `count` lines (or what it holds then)."""
    return wait_for_lines(handler_log(session), count, timeout)


def ink(session, shot, box):
    """(darkest, lightest) gray level, 0 to 1, inside a client-area box."""
    left, top, right, bottom = box
    ox, oy = session.origin
    text = session.run(["convert", shot, "-crop",
                        f"{right - left}x{bottom - top}+{left + ox}+{top + oy}", "+repage",
                        "-colorspace", "Gray", "-format", "%[fx:minima] %[fx:maxima]", "info:"])
    darkest, lightest = (float(v) for v in text.split())
    return darkest, lightest


def caption_button_problems(image):
    """What is wrong with the minimise, maximise and close buttons Wine draws
    at the right of the caption (screen boxes inside their edges) when it
    has its Marlett face: a flat bar, a hollow square, a cross. Without that
    face Wine writes the letters "0 1 r" there instead."""
    def marks(box):
        left, top, right, bottom = box
        return {(x, y) for y in range(top, bottom) for x in range(left, right) if image.level(x, y) < 150}

    problems = []
    bar = marks((845, 6, 858, 18))
    if not bar or max(y for _, y in bar) - min(y for _, y in bar) > 2:
        problems.append("minimise is no flat bar")
    square = marks((861, 6, 874, 18))
    if not square or max(x for x, _ in square) - min(x for x, _ in square) < 6 or \
            ((min(x for x, _ in square) + max(x for x, _ in square)) // 2,
             (min(y for _, y in square) + max(y for _, y in square)) // 2) in square:
        problems.append("maximise is no hollow square")
    cross = marks((879, 6, 892, 18))
    if cross:
        xs, ys = [x for x, _ in cross], [y for _, y in cross]
        corners = [any(abs(x - cx) <= 1 and abs(y - cy) <= 1 for x, y in cross)
                   for cx in (min(xs), max(xs)) for cy in (min(ys), max(ys))]
    if not cross or not all(corners) or max(xs) - min(xs) < 4:
        problems.append("close is no cross")
    return problems


def check_screen(run, shot, failures, now_utc, now_local):
    """What a person sees at start: labels, both clock lines in the catalog's
    words, the working date, the calendar, the buttons, the frame-rate line."""
    table = run.table
    d = builds.shift(run.language)

    clock = normal(run.read(shot, CLOCK_BOX))
    print("clock panel reads:", clock)
    missing = builds.clock_problems(clock, run.catalog, run.language, now_utc, now_local)
    failures.check(not missing, f"{run.language}: both labels, both clock lines in the catalog's words and two "
                                f"times of day shown (missing: {missing})")

    weekday_word, _ = word_of(builds.key_folder(run.catalog, run.language, "day_folder",
                                                builds.day_key(run.language, now_local)))
    working = normal(run.read(shot, (292, 160, 404, 186)) + " " + run.read(shot, (292, 192, 404, 254), scale=1))
    print("working date reads:", working)
    failures.check(weekday_word in working and f"{now_local.day:02d}" in working,
                   f"{run.language}: working date shows {weekday_word!r} and {now_local.day:02d}")

    # Calendar heads stand vertically, one letter per 20 pixels: each column
    # has ink down to its name's length and none below it.
    keys = table["day_keys"][1:] + table["day_keys"][:1]
    heads_ok = True
    for k, name in enumerate(keys):
        x = 250 + 40 * k
        darkest, _ = ink(run.session, shot, (x, 266, x + 36, 266 + 20 * len(name)))
        below = (x, 266 + 20 * len(name) + 2, x + 36, 286 + d - 2)
        empty = below[1] >= below[3] or ink(run.session, shot, below)[0] > 0.45
        heads_ok = heads_ok and darkest < 0.3 and empty
    failures.check(heads_ok, f"{run.language}: calendar heads stand vertically, one letter each")

    # The month grid: ink in exactly the cells that hold a day (the month's
    # first day under its weekday), and the day numbers read back.
    first = datetime.date(now_local.year, now_local.month, 1)
    days = (datetime.date(first.year + first.month // 12, first.month % 12 + 1, 1)
            - datetime.timedelta(days=1)).day
    filled = set()
    for n in range(days):
        r, k = divmod(first.weekday() + n, 7)
        filled.add((r, k))
    wrong = []
    for r in range(6):
        for k in range(7):
            x, y = 250 + 40 * k, 286 + d + 40 * r
            has_ink = ink(run.session, shot, (x + 2, y + 2, x + 30, y + 16))[0] < 0.3
            if has_ink != ((r, k) in filled):
                wrong.append((r, k))
    failures.check(not wrong, f"{run.language}: calendar cells filled for the month's {days} days "
                              f"from weekday {first.weekday()} (wrong cells: {wrong})")
    grid = run.read_strips(shot, [(251, 286 + d + 40 * r + 1, 528, 286 + d + 40 * r + 18)
                                  for r in range(6)])
    shown = set(re.findall(r"\d\d", grid))
    expected_days = {f"{n:02d}" for n in range(1, days + 1)}
    print("calendar reads:", normal(grid))
    failures.check(len(shown & expected_days) >= days // 2,
                   f"{run.language}: calendar day numbers read back ({len(shown & expected_days)} of {days})")

    month_word, _ = word_of(builds.key_folder(run.catalog, run.language, "month_folder",
                                              builds.month_key(run.language, now_local.month)))
    big = normal(run.read(shot, (246, 540 + d, 528, 710 + d), scale=1))
    print("month and year read:", big)
    failures.check(month_word in big and str(now_local.year) in big,
                   f"{run.language}: month {month_word!r} and year {now_local.year} shown")

    buttons = normal(run.read_strips(shot, [(573 + 42 * i, 631 + d + 35 * j, 611 + 42 * i, 659 + d + 35 * j)
                                            for i in range(3) for j in range(2)]))
    print("year buttons read:", buttons)
    found = sum(label in buttons.split() for label in ("+10", "-10", "+100", "-100", "+1000", "-1000"))
    failures.check(found >= 4, f"{run.language}: year buttons labelled ({found} of 6 read)")

    image = Image.load(shot)
    arrows = arrow_problems(image, d, run.session.origin)
    failures.check(not arrows,
                   f"{run.language}: each arrow button holds an arrowhead, not a missing-glyph box ({arrows})")
    failures.check(not caption_button_problems(image),
                   f"{run.language}: Wine's caption buttons are drawn as symbols, not letters "
                   f"({caption_button_problems(image)})")

    rate, counter, text = run.frame_rate(shot)
    print("frame-rate line reads:", text)
    failures.check(rate is not None and 0 < rate <= 1001 and counter >= 1,
                   f"{run.language}: frame-rate line shows a rate and a frame number")
    return rate


def list_reads(run, shot, rows):
    """The names in the first rows of the list, one per line, reduced to
    letters and digits: the row boxes' lines cut through the full stops."""
    text = run.read_strips(shot, [(30, 15 + 30 * i, 197, 29 + 30 * i) for i in range(rows)])
    return [key(line) for line in text.splitlines() if key(line)]


def click_row_and_read(run, row, shot_name, rows, what):
    """Clicks row `row` of the list, waits for the frame and reads back the
    first `rows` rows; prints them under `what`."""
    run.session.click(100, 16 + 30 * row)
    time.sleep(0.7)
    lines = list_reads(run, run.screenshot(shot_name), rows)
    print(what, "reads:", lines)
    return lines


def listed(name, lines):
    """Whether a list read back shows `name`: a line begins with its stem."""
    stem = key(os.path.splitext(name)[0])
    return any(line.startswith(stem) for line in lines)


def key(name):
    """A name reduced to its lower-case letters and digits."""
    return "".join(c for c in name.lower() if c.isalnum())


def check_file_list(run, failures):
    """Entering a folder, coming back with "..", and documents reaching the
    shell with their name and the browsed folder as working folder."""
    table = run.table
    session = run.session
    rows = listing_order(run.catalog)
    folder_row = rows.index(table["test_folder"])
    shot = run.screenshot("list")
    first = list_reads(run, shot, len(rows))
    print("list reads:", first)
    failures.check(listed(table["test_folder"], first) and listed(table["test_document"], first),
                   f"{run.language}: list shows {table['test_folder']!r} and {table['test_document']!r}")

    inside = click_row_and_read(run, folder_row, "folder-entered", len(rows), "list inside the folder")
    failures.check(listed(table["inner_document"], inside) and not listed(table["test_folder"], inside),
                   f"{run.language}: a click on {table['test_folder']!r} enters it")

    inner_rows = listing_order(os.path.join(run.catalog, table["test_folder"]))
    run.session.click(100, 16 + 30 * inner_rows.index(table["inner_document"]))
    lines = wait_for_log_lines(session, 1)
    print("shell handler log:", lines)
    expected_folder = "\\" + table["catalog"] + "\\" + table["test_folder"]
    ok = (len(lines) == 1 and table["inner_document"] in lines[0].split("|")[0]
          and lines[0].split("|")[-1].rstrip("\\").endswith(expected_folder))
    failures.check(ok, f"{run.language}: {table['inner_document']!r} opened by the shell in {expected_folder!r}")

    time.sleep(0.3)
    back = click_row_and_read(run, 1, "folder-left", len(rows), "list after '..'")  # row 1 is ".."
    failures.check(listed(table["test_folder"], back) and not listed(table["inner_document"], back),
                   f"{run.language}: '..' comes back to the catalog")

    run.session.click(100, 16 + 30 * rows.index(table["test_document"]))
    lines = wait_for_log_lines(session, 2)
    print("shell handler log:", lines)
    ok = (len(lines) == 2 and table["test_document"] in lines[1].split("|")[0]
          and lines[1].split("|")[-1].rstrip("\\").endswith("\\" + table["catalog"]))
    failures.check(ok, f"{run.language}: {table['test_document']!r} opened by the shell in the catalog")


def read_month_and_year(run, d, with_day=False):
    """The big month and year; with_day adds the working date's weekday and
    day number, as one text."""
    shot = run.screenshot("date")
    shown = normal(run.read(shot, (246, 540 + d, 528, 710 + d), scale=1))
    if with_day:
        shown += " | " + normal(run.read(shot, (292, 160, 404, 186)) + " " +
                                run.read(shot, (292, 192, 404, 254), scale=1))
    return shown


def check_date_buttons(run, failures, now_local):
    """Next month, +1000 years, and a +1000 move from the far end cancelled."""
    d = builds.shift(run.language)
    buttons = button_boxes(d)
    month = now_local.month % 12 + 1
    year = now_local.year + (1 if month == 1 else 0)
    month_word, _ = word_of(builds.key_folder(run.catalog, run.language, "month_folder",
                                              builds.month_key(run.language, month)))

    run.session.click(*buttons["next_month"])
    time.sleep(0.5)
    shown = read_month_and_year(run, d)
    print("after next month:", shown)
    failures.check(month_word in shown and str(year) in shown.split(),
                   f"{run.language}: next month shows {month_word!r} {year}")

    run.session.click(*buttons["plus_1000"])
    time.sleep(0.5)
    shown = read_month_and_year(run, d)
    print("after +1000:", shown)
    failures.check(str(year + 1000) in shown.split(), f"{run.language}: +1000 shows {year + 1000}")
    year += 1000

    while year + 1000 <= 9999:
        run.session.click(*buttons["plus_1000"])
        year += 1000
        time.sleep(0.3)
    time.sleep(0.3)
    far_end = read_month_and_year(run, d, with_day=True)
    print("at the far end:", far_end)
    failures.check(str(year) in far_end.split(), f"{run.language}: +1000 clicks reach {year}")

    run.session.click(*buttons["plus_1000"])
    time.sleep(0.5)
    shown = read_month_and_year(run, d, with_day=True)
    print("after a move past 9999:", shown)
    failures.check(shown == far_end and str(year) in shown.split() and month_word in shown,
                   f"{run.language}: a move past 9999 is cancelled whole ({month_word} {year}, "
                   f"weekday and day kept)")


def check_word_rename(run, failures):
    """Renaming the year's word file shows the new word within a second."""
    old_word, path = word_of(builds.key_folder(run.catalog, run.language, "year_folder"))
    extension = os.path.splitext(path)[1]
    new_word = run.table["new_year_word"]
    os.rename(path, os.path.join(os.path.dirname(path), new_word + extension))
    renamed = time.monotonic()
    time.sleep(0.8)
    shot = run.screenshot("renamed")
    taken = time.monotonic() - renamed
    clock = normal(run.read(shot, CLOCK_BOX))
    print(f"clock panel in a screenshot finished {taken:.2f} s after the rename reads:", clock)
    failures.check(clock.count(new_word + ".") == 2 and (old_word + ".") not in clock,
                   f"{run.language}: year word {old_word!r} renamed to {new_word!r} shows in both lines")


def check_close(run, failures):
    run.session.close_with_alt_f4(run.window)
    try:
        code = run.process.wait(timeout=20)
    except Exception:  # noqa: BLE001 - any failure to end is a failed check
        code = None
    failures.check(code == 1, f"{run.language}: Alt+F4 ends the program with exit code 1 (got {code})")


def run_program(session, args, language):
    run = ProgramRun(session, args, language)
    table = run.table
    os.makedirs(os.path.join(run.catalog, table["test_folder"]))
    for path in (os.path.join(run.catalog, table["test_document"]),
                 os.path.join(run.catalog, table["test_folder"], table["inner_document"])):
        with open(path, "w", encoding="utf-8") as document:
            document.write("Orvane test document\n")
    if os.path.exists(handler_log(session)):
        os.remove(handler_log(session))

    failures = Checks()
    try:
        run.start()
        x, y, width, height = session.geometry(run.window)
        failures.check((x, y, width, height) == (0, 0, 900, 1000),
                       f"{run.language}: window at 0, 0, 900 by 1000 (got {x}, {y}, {width} by {height})")
        title = session.window_name(run.window)
        failures.check(title == "Orvane", f"{run.language}: window titled 'Orvane' (got {title!r})")
        time.sleep(2.5)  # the first measured second has passed
        now_utc = datetime.datetime.now(datetime.timezone.utc)
        now_local = datetime.datetime.now()
        shot = run.screenshot("start")
        check_screen(run, shot, failures, now_utc, now_local)
        check_file_list(run, failures)
        check_date_buttons(run, failures, now_local)
        check_word_rename(run, failures)
        check_close(run, failures)
    finally:
        run.stop()
    return failures.finish()


def run_frame_rate(session, args):
    """The frame rate the English program shows, beside a bare GDI loop that
    does the same number of rectangles and texts per frame."""
    run = ProgramRun(session, args, "en")
    run.start()
    time.sleep(2.5)
    # Screenshots only while the program runs; reading them waits until it
    # has ended, so that OCR takes no processor time from it.
    shots = []
    for _ in range(4):
        shots.append(run.screenshot("frame-rate"))
        time.sleep(1.1)
    run.session.close_with_alt_f4(run.window)
    try:
        run.process.wait(timeout=20)
    finally:
        run.stop()
    rates = []
    for shot in shots:
        rate, _, text = run.frame_rate(shot)
        print("frame-rate line reads:", text)
        if rate:
            rates.append(rate)

    # The program's frame at the catalog root: list frame, track, a box and a
    # text per row; clock 4 texts; date 2 boxes, 4 texts; calendar 50 head
    # letters, 6 boxes, about 35 cells; buttons 12 boxes, 16 texts; 1 line.
    rows = len(listing_order(run.catalog))
    rectangles = 2 + rows + 2 + 6 + 12
    texts = rows + 4 + 4 + 50 + 35 + 16 + 1
    output = session.wine([os.path.join(args.bin, "gdi_loop.exe"), "4", str(rectangles), str(texts)],
                          timeout=60)
    found = re.search(r"fps ([\d.]+)", output)
    bare = float(found.group(1)) if found else None
    program = sorted(rates)[len(rates) // 2] if rates else None
    report = (f"orvane_en.exe under Wine/Xvfb: {program} frames per second (read from its frame-rate "
              f"line: {rates})\nbare GDI loop, {rectangles} rectangles + {texts} texts per frame: "
              f"{bare} frames per second\n")
    print(report, end="")
    with open(os.path.join(args.out, "frame_rate.txt"), "w") as out:
        out.write(report)
    return 0 if program and bare else 1


def prepare(session, args):
    """Registers the shell handler stand-in for ".txt" in the prefix."""
    handler = os.path.join(session.folder, "handler")
    os.makedirs(handler, exist_ok=True)
    shutil.copy2(os.path.join(args.bin, "open_logger.exe"), handler)
    session.register_open_handler(".txt", os.path.join(handler, "open_logger.exe"))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bin", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("what", nargs="?", default="all", choices=["all", "en", "ru", "frame_rate"])
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for old in os.listdir(args.out):
        if old.endswith(".png"):
            os.remove(os.path.join(args.out, old))
    session = winesession.from_environment()
    prepare(session, args)
    cases = ["en", "ru", "frame_rate"] if args.what == "all" else [args.what]
    failed = []
    for case in cases:
        print(f"=== {case}", flush=True)
        result = run_frame_rate(session, args) if case == "frame_rate" else run_program(session, args, case)
        if result:
            failed.append(case)
    print("failed: " + ", ".join(failed) if failed else "all passed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
