#!/usr/bin/env python3
"""The Linux build's frame beside the Windows build's, for one state.

Both render tools (orvane_render_en/_ru on Linux, orvane_render_en/_ru.exe
under Wine) draw the same catalog on the same working date with the same
fixed clocks, and measure the same texts drawn alone. Run under
scripts/with-wine --xvfb --host:

  fidelity.py --linux-bin DIR --windows-bin DIR --out DIR

Checks, for each build:
  - every rectangle of the layout is where the layout puts it, and outside
    the texts the two frames are the same pixel for pixel;
  - every text's ink box, from the point the text is drawn at, is within
    2 pixels in each edge on Linux of where it is under Wine;
  - the twelve month names in the 64-pixel font, the six year-button labels
    and the four arrows, drawn alone, end within 2 pixels of each other;
  - each arrow button of both frames holds an arrowhead (frame_ink.arrow_problem).
The worst differences are printed as a table and written to DIR/fidelity.txt.
Exit status 77 when the Linux render tools are not built.
"""

import argparse
import calendar
import datetime
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import e2e_wine  # noqa: E402
import winesession  # noqa: E402
from drive import frame_ink  # noqa: E402

DATE = datetime.date(2026, 9, 8)  # a Tuesday; September is the widest English month name
UTC = "2026-09-08T09:15:30"
LOCAL = "2026-09-08T21:47:08"
TOLERANCE = 2
YEAR_LABELS = ["+10", "-10", "+100", "-100", "+1000", "-1000"]
ARROWS = ["\u02c2", "\u02c3", "\u02c4", "\u02c5"]
FRAME_RATE_LINE = {"en": "Frame rate 1001, current frame 0001.",
                   "ru": "Частота кадров 1001, текущий кадр 0001."}


def rectangles(d, width, height, rows):
    """The layout's rectangles for a client area of width by height."""
    boxes = [(1, 1, 199, height - 1), (201, 1, 239, height - 1)]
    for i in range(rows):
        y = 16 + 30 * i
        if y - 14 >= 0 and y + 14 <= height:
            boxes.append((1, y - 14, 199, y + 14))
    boxes += [(250, 156, 460, 256), (290, 156, 420, 256)]
    boxes += [(250, 286 + d + 40 * r, 530, 326 + d + 40 * r) for r in range(6)]
    for left in (530, 572, 614, 656):
        if left == 530:
            boxes += [(530, 546 + d, 570, 576 + d), (530, 581 + d, 570, 611 + d)]
        boxes += [(left, 630 + d, left + 40, 660 + d), (left, 665 + d, left + 40, 695 + d)]
    return boxes


def outline(box):
    left, top, right, bottom = box
    pixels = {(x, y) for x in range(left, right) for y in (top, bottom - 1)}
    return pixels | {(x, y) for y in range(top, bottom) for x in (left, right - 1)}


def texts(d, width, height, rows, weekday_names, grid_rows, rate_line):
    """(name, anchor x, anchor y, region) of every text of the frame; the
    region holds that text's ink and no other text's."""
    found = [(f"row {i}", 32, 16 + 30 * i, (28, 14 + 30 * i, 240, 33 + 30 * i)) for i in range(rows)
             if 16 + 30 * i <= height]
    found += [(f"clock {y}", 250, y, (246, y - 2, width, y + 18)) for y in (16, 46, 76, 106)]
    found += [("weekday", 300, 164, (292, 162, 419, 182)), ("day", 300, 194, (292, 190, 419, 255)),
              ("previous-day arrow", 260, 194, (251, 190, 289, 214)),
              ("next-day arrow", 430, 194, (421, 190, 459, 214))]
    for k, name in enumerate(weekday_names):
        for j in range(len(name)):
            x, y = 250 + 40 * k, 266 + 20 * j
            found.append((f"head {k}.{j}", x, y, (x - 2, y - 2, x + 36, y + 18)))
    for r in range(grid_rows):
        for k in range(7):
            x, y = 250 + 40 * k, 286 + d + 40 * r
            found.append((f"cell {r}.{k}", x, y, (x - 1, y - 2, x + 39, y + 18)))
    found += [("month", 250, 546 + d, (246, 540 + d, 530, 612 + d)),
              ("year", 250, 630 + d, (246, 626 + d, 530, 698 + d))]
    for name, y in (("month up", 556), ("month down", 586), ("year up", 635), ("year down", 670)):
        found.append((name, 540, y + d, (531, y + d - 8, 569, y + d + 22)))
    for i, left in enumerate((579, 621, 663)):
        right = (613, 655, 720)[i]
        found += [(YEAR_LABELS[2 * i], left, 635 + d, (left - 6, 631 + d, right, 659 + d)),
                  (YEAR_LABELS[2 * i + 1], left, 670 + d, (left - 6, 666 + d, right, 694 + d))]
    x = width - 10 * len(rate_line)
    found.append(("frame rate", x, height - 30, (x - 4, height - 32, width, height - 12)))
    return found


def month_grid_rows(date):
    first_weekday, days = calendar.monthrange(date.year, date.month)
    return (first_weekday + days + 6) // 7


def relative(box, x, y):
    return None if box is None else (box[0] - x, box[1] - y, box[2] - x, box[3] - y)


def difference(a, b):
    if a is None or b is None:
        return 0 if a == b else 999
    return max(abs(p - q) for p, q in zip(a, b))


class Report:
    def __init__(self):
        self.failures = []
        self.lines = []

    def check(self, condition, message):
        print(("ok   " if condition else "FAIL ") + message, flush=True)
        if not condition:
            self.failures.append(message)


def compare_frames(language, linux, windows, d, rows, report):
    names = e2e_wine.LANGUAGES[language]["day_keys"]
    weekday_names = names[1:] + names[:1]
    grid = month_grid_rows(DATE)
    sides = {}
    for side, image in (("linux", linux), ("windows", windows)):
        boxes = rectangles(d, image.width, image.height, rows)
        skip = set().union(*(outline(box) for box in boxes))
        missing = [box for box in boxes if any(image.pixel(x, y) != b"\0\0\0" for x, y in outline(box))]
        report.check(not missing, f"{language}: {side} frame has every rectangle of the layout ({missing[:3]})")
        found = texts(d, image.width, image.height, rows, weekday_names, grid, FRAME_RATE_LINE[language])
        sides[side] = (found, {name: relative(frame_ink.ink_box(image, region, skip=skip), x, y)
                               for name, x, y, region in found})
        arrows = [(name, frame_ink.arrow_problem(image, box, direction))
                  for name, box, direction in frame_ink.arrow_boxes(d)]
        report.check(all(problem is None for _, problem in arrows),
                     f"{language}: {side} frame shows six arrowheads ({arrows})")

    # Outside the texts, the frames are the same wherever both have pixels
    # (the Windows client area is smaller by the window frame's size; its
    # bottom rows, where the list frame and the frame-rate line follow the
    # client height, are compared through the layout above).
    width = min(linux.width, windows.width)
    height = min(linux.height, windows.height) - 48
    covered = set()
    for _, _, _, (left, top, right, bottom) in sides["linux"][0]:
        covered |= {(x, y) for y in range(max(top, 0), min(bottom, height)) for x in range(left, min(right, width))}
    differing = [(x, y) for y in range(height) for x in range(width)
                 if (x, y) not in covered and linux.pixel(x, y) != windows.pixel(x, y)]
    report.check(not differing, f"{language}: outside the texts the frames are the same "
                                f"({len(differing)} pixels differ, first {differing[:5]})")

    worst = []
    linux_boxes, windows_boxes = sides["linux"][1], sides["windows"][1]
    for name, _, _, _ in sides["linux"][0]:
        worst.append((difference(linux_boxes[name], windows_boxes[name]), name, linux_boxes[name],
                      windows_boxes[name]))
    worst.sort(reverse=True)
    report.lines.append(f"{language} frame: text ink boxes (left, top, right, bottom from the text's point)")
    report.lines += [f"  {diff:3d} px  {name:20s} Linux {l}  Wine {w}" for diff, name, l, w in worst[:8]]
    bad = [(name, l, w) for diff, name, l, w in worst if diff > TOLERANCE]
    report.check(not bad, f"{language}: every text's ink box within {TOLERANCE} px of Wine's ({bad[:4]})")


def compare_alone(language, texts_alone, linux_boxes, windows_boxes, report):
    rows = []
    for (height, text), l_box, w_box in zip(texts_alone, linux_boxes, windows_boxes):
        rows.append((difference(l_box, w_box), height, text, l_box, w_box))
    report.lines.append(f"{language} texts alone: ink box (left, top, right, bottom), Linux against Wine")
    report.lines += [f"  {diff:3d} px  {height:2d} px {text:10s} Linux {l}  Wine {w}"
                     for diff, height, text, l, w in rows]
    bad = [(text, l, w) for diff, _, text, l, w in rows if diff > TOLERANCE]
    report.check(len(linux_boxes) == len(windows_boxes) == len(texts_alone) and not bad,
                 f"{language}: month names, year labels and arrows end within {TOLERANCE} px of Wine's ({bad})")


def read_boxes(path):
    with open(path, encoding="utf-8") as lines:
        return [None if line.strip() == "none" else tuple(int(v) for v in line.split()) for line in lines]


def run_language(session, args, language, report):
    table = e2e_wine.LANGUAGES[language]
    catalog = os.path.join(args.linux_bin, table["catalog"])
    month_words = [e2e_wine.word_of(os.path.join(catalog, *table["month_folder"], key))[0]
                   for key in table["month_keys"]]
    texts_alone = [(64, word) for word in month_words] + [(16, label) for label in YEAR_LABELS + ARROWS]
    texts_file = os.path.join(args.out, f"texts-{language}.txt")
    with open(texts_file, "w", encoding="utf-8") as out:
        out.writelines(f"{height}\t{text}\n" for height, text in texts_alone)
    state = ["--date", DATE.isoformat(), "--utc", UTC, "--local", LOCAL, "--texts"]

    linux_png = os.path.join(args.out, f"linux-{language}.png")
    linux_boxes = os.path.join(args.out, f"linux-{language}-boxes.txt")
    env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
    subprocess.run([os.path.join(args.linux_bin, f"orvane_render_{language}"), "--out", linux_png] + state +
                   [texts_file, "--boxes", linux_boxes], check=True, env=env, timeout=60)

    windows_bmp = os.path.join(args.out, f"windows-{language}.bmp")
    windows_boxes = os.path.join(args.out, f"windows-{language}-boxes.txt")
    session.wine([os.path.join(args.windows_bin, f"orvane_render_{language}.exe"),
                  "--out", session.windows_path(windows_bmp)] + state +
                 [session.windows_path(texts_file), "--boxes", session.windows_path(windows_boxes)], timeout=120)

    rows = len(e2e_wine.listing_order(catalog))
    d = 20 * table["longest_day_name"]
    compare_frames(language, frame_ink.Image.load(linux_png), frame_ink.Image.load(windows_bmp), d, rows, report)
    compare_alone(language, texts_alone, read_boxes(linux_boxes), read_boxes(windows_boxes), report)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--linux-bin", required=True)
    parser.add_argument("--windows-bin", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    if not all(os.path.exists(os.path.join(args.linux_bin, f"orvane_render_{language}"))
               for language in ("en", "ru")):
        print(f"no Linux render tools in {args.linux_bin}: build the linux preset first", file=sys.stderr)
        return 77
    os.makedirs(args.out, exist_ok=True)
    session = winesession.from_environment()
    report = Report()
    for language in ("en", "ru"):
        run_language(session, args, language, report)
    with open(os.path.join(args.out, "fidelity.txt"), "w", encoding="utf-8") as out:
        out.write("\n".join(report.lines) + "\n")
    print("\n".join(report.lines))
    print(f"{len(report.failures)} check(s) failed" if report.failures else "all passed")
    return 1 if report.failures else 0


if __name__ == "__main__":
    sys.exit(main())
