#!/usr/bin/env python3
"""The Linux benchmarks (orvane_bench, orvane_sdl_bench), group by group: each
group says what it measures before it runs and prints its rows when done,
each row with a goal followed by met or NOT met, the others beside it as its
floor or for comparison. Medians where a benchmark repeats.

  linux_bench.py --bin build/linux/bin

A goal missed is a figure to read, not a broken run: only a benchmark that
reports an error fails the run (exit status 1).
"""

import argparse
import json
import math
import os
import re
import subprocess
import sys
import time

# Each group: the executable, a filter over benchmark names, and what it
# measures (said before it runs).
GROUPS = [
    ("orvane_bench", r"BM_(previous|next)(Day|Month)|BM_years",
     "date moves: each button's move from a date in mid-calendar (goal: a median of at most 50 us)"),
    ("orvane_bench", r"BM_ListDirectory|BM_BareCurrentFolderPair|BM_CurrentFolderPair",
     "folder listing beside its floor, the system's enumeration (folders of 10, 1,000 and 100,000 files "
     "are made first; goal: at most 1.5 x the floor, 2 x at 100,000)"),
    ("orvane_bench", r"BM_DateTimeText|BM_DayOfWeekWord", "the clock line and one word, from the sample catalog"),
    ("orvane_bench", r"BM_FrameOwnWork|BM_NineFolderListings",
     "a frame whose drawing calls do nothing, beside the nine listings every frame makes"),
    ("orvane_bench", r"BM_HugeFolder",
     "a click and a close while browsing 100,000 and 1,000,000 entries, in the real loop (the folders are "
     "made once and kept in huge-folders/; goal: 300 ms, 1 s at 1,000,000)"),
    ("orvane_sdl_bench", r"BM_SdlFullFrame|BM_WholeCanvasFillAndCopy|BM_SdlTextLine",
     "a whole frame on the Linux software canvas, beside filling and copying the whole canvas"),
    ("orvane_sdl_bench", r"BM_SdlPeakMemory",
     "peak memory while drawing 100,000 frames, about half a minute (goal: no growth after the first 1,000)"),
]

DATE_MOVE_GOAL_US = 50
MEMORY_SLACK_KB = 1024  # the peak may move by a page or two, not by a leak's megabytes

UNIT_SCALE = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}  # to microseconds


def three_digits(value):
    """A figure with three significant digits and no exponent: 0.137, 16.2, 332, 72700."""
    return f"{value:.{max(0, 2 - math.floor(math.log10(abs(value))))}f}" if value else "0"


def shown_micro(micro):
    """Microseconds in the unit that suits them, e.g. '16.2 us', '72.7 ms'."""
    for unit, scale in (("ns", 1e-3), ("us", 1.0), ("ms", 1e3)):
        if micro < scale * 1000:
            return f"{three_digits(micro / scale)} {unit}"
    return f"{three_digits(micro / 1e6)} s"


def shown_time(row):
    return shown_micro(row["real_time"] * UNIT_SCALE[row["time_unit"]])


def shown_name(row):
    """The benchmark's name less Google Benchmark's run settings."""
    return re.sub(r"/(repeats|iterations):\d+|/manual_time", "", row["run_name"])


def verdict(row):
    """(figures, goal, met) for a row: met is None when the row has no goal."""
    name, counters = row["run_name"], row
    if re.match(r"BM_(previous|next)(Day|Month)|BM_years", name):
        micro = row["real_time"] * UNIT_SCALE[row["time_unit"]]
        return "", f"median <= {DATE_MOVE_GOAL_US} us", micro <= DATE_MOVE_GOAL_US
    if name.startswith("BM_ListDirectory"):
        return (f"floor {shown_micro(counters['floor_us'])}, {counters['x_floor']:.2f} x floor",
                f"<= {counters['allowed']:g} x floor", counters["x_floor"] <= counters["allowed"])
    if name.startswith("BM_HugeFolderLoop"):
        return (f"frame {counters['frame_ms']:.0f} ms, slowest {counters['slowest_ms']:.0f} ms",
                f"slowest <= {counters['allowed_ms']:.0f} ms", counters["slowest_ms"] <= counters["allowed_ms"])
    if name.startswith("BM_SdlPeakMemory"):
        first, last = counters["VmHWM_kB_after_1000"], counters["VmHWM_kB_after_100000"]
        return (f"peak {first / 1024:.1f} MB after 1,000 frames, {last / 1024:.1f} MB after 100,000",
                "no growth", last <= first + MEMORY_SLACK_KB)
    return "", "", None


def run_group(binary, pattern):
    """The rows (medians of repeated runs) and the run's context."""
    done = subprocess.run([binary, f"--benchmark_filter={pattern}", "--benchmark_format=json"],
                          capture_output=True, text=True)
    if done.returncode != 0 or not done.stdout.strip():
        raise RuntimeError(f"{os.path.basename(binary)} failed ({done.returncode}): {done.stderr.strip()}")
    report = json.loads(done.stdout)
    rows = [row for row in report["benchmarks"]
            if row.get("run_type") != "aggregate" or row.get("aggregate_name") == "median"]
    repeated = {row["run_name"] for row in rows if row.get("run_type") == "aggregate"}
    rows = [row for row in rows if row.get("run_type") == "aggregate" or row["run_name"] not in repeated]
    return rows, report["context"]


def listed(binary):
    names = subprocess.run([binary, "--benchmark_list_tests"], capture_output=True, text=True,
                           check=True).stdout.split()
    return {name.split("/repeats:")[0] for name in names}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0],
                                     epilog="\n".join(__doc__.splitlines()[1:]),
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--bin", required=True, help="the linux preset's bin folder")
    args = parser.parse_args()

    # A benchmark that no group names would be left out silently: run it too.
    groups = list(GROUPS)
    for binary in sorted({group[0] for group in GROUPS}):
        patterns = [group[1] for group in GROUPS if group[0] == binary]
        others = sorted(name for name in listed(os.path.join(args.bin, binary))
                        if not any(re.match(pattern, name) for pattern in patterns))
        if others:
            groups.append((binary, "|".join(re.escape(name.split("/")[0]) for name in others),
                           "benchmarks no group above names"))

    counts = {True: 0, False: 0}
    failed = []
    noted = False
    for number, (binary, pattern, what) in enumerate(groups, 1):
        print(f"[{number}/{len(groups)}] {binary}: {what}", flush=True)
        started = time.monotonic()
        try:
            rows, context = run_group(os.path.join(args.bin, binary), pattern)
        except RuntimeError as error:
            print(f"  {error}")
            failed.append(binary)
            continue
        if not noted and context.get("library_build_type") == "debug":
            print("  (Debian's Google Benchmark library is built without optimisation, and says so as a\n"
                  "   warning. The timed loops are inline in its header and built with this build's -O3,\n"
                  "   so the figures below are this program's; only the library's bookkeeping is slower.)")
            noted = True
        lines = []
        for row in rows:
            if row.get("error_occurred"):
                lines.append((shown_name(row), "error:", row.get("error_message", ""), "", ""))
                failed.append(shown_name(row))
                continue
            figures, goal, met = verdict(row)
            if met is not None:
                counts[met] += 1
            lines.append((shown_name(row), shown_time(row), figures, goal,
                          "" if met is None else ("met" if met else "NOT met")))
        widths = [max(len(line[column]) for line in lines) for column in range(4)]
        for name, timing, figures, goal, mark in lines:
            print(f"  {name:<{widths[0]}}  {timing:>{widths[1]}}  {figures:<{widths[2]}}  "
                  f"{goal:<{widths[3]}}  {mark}".rstrip())
        print(f"  ({time.monotonic() - started:.1f} s)", flush=True)
    print(f"\nLinux goals: {counts[True]} met, {counts[False]} NOT met"
          + (f"; failed: {', '.join(failed)}" if failed else ""))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
