#!/usr/bin/env python3
"""The Linux program when its display fails under it: the X server killed,
and the window destroyed by another program (xdotool windowclose). Each time
the program must end within a few seconds with exit code 4 (never 1, its
normal end after a close) and say what happened on one line of standard error.

    lost_display.py --bin build/linux/bin
"""

import argparse
import os
import signal
import subprocess
import sys
import time

from linux_e2e import Session  # puts tests/ on the path for drive
from drive.verdict import Failure, check, verdict
from drive.x11 import missing_tool

EXIT_DISPLAY_LOST = 4


def ended(session, how):
    """Exit code, standard error lines and seconds taken once the program ends."""
    started = time.time()
    try:
        _, err = session.program.communicate(timeout=10)
    except subprocess.TimeoutExpired:
        raise Failure(f"still running 10 s after {how}")
    return session.program.returncode, err.decode(errors="replace").splitlines(), time.time() - started


def expect(how, code, lines, start):
    check(code == EXIT_DISPLAY_LOST, f"{how}: exit code {code}, not {EXIT_DISPLAY_LOST}; stderr {lines}")
    check(len(lines) == 1 and lines[0].startswith(start), f"{how}: stderr {lines}, not one line {start!r}...")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bin", required=True)
    args = parser.parse_args()
    if missing_tool(("Xvfb", "xdotool")):
        return 77
    bin_dir = os.path.abspath(args.bin)

    def body():
        with Session(bin_dir, "en") as session:
            session.start()
            session.xvfb.process.send_signal(signal.SIGKILL)
            code, lines, seconds = ended(session, "the X server was killed")
            expect("X server killed", code, lines,
                   f'orvane: lost the connection to the display "{session.display.name}"')
            print(f"X server killed: exit code {code} after {seconds:.2f} s: {lines[0]}")
        with Session(bin_dir, "en") as session:
            session.start()
            session.xdotool("windowclose", session.window)
            code, lines, seconds = ended(session, "the window was destroyed")
            expect("window destroyed", code, lines,
                   f'orvane: lost the window on the display "{session.display.name}"')
            print(f"window destroyed: exit code {code} after {seconds:.2f} s: {lines[0]}")
    return verdict(body)

if __name__ == "__main__":
    sys.exit(main())
