"""Checks and the verdict of a run: a check that ends its case (check,
Failure, verdict), and checks that note a failure and go on (Checks)."""

import sys
import time


class Failure(Exception):
    """A check that failed: the case ends here."""


def check(condition, message):
    if not condition:
        raise Failure(message)


def verdict(body):
    """Runs body and turns its end into the test's exit code and last line:
    0 and "passed", or 1 and "FAILED: " with why."""
    try:
        body()
    except Failure as failure:
        print(f"FAILED: {failure}", file=sys.stderr, flush=True)
        return 1
    print("passed", flush=True)
    return 0


class Checks:
    """Checks that note a failure and go on: each is printed with the
    seconds since the first, and finish() lists the failed ones."""

    def __init__(self):
        self.messages = []
        self.started = time.monotonic()

    def check(self, condition, message):
        elapsed = time.monotonic() - self.started
        print(f"{elapsed:6.1f} s " + ("ok   " if condition else "FAIL ") + message, flush=True)
        if not condition:
            self.messages.append(message)

    def finish(self):
        """The exit code: 1 when a check failed, after listing them, else 0."""
        if self.messages:
            print(f"{len(self.messages)} check(s) failed:")
            for message in self.messages:
                print("  " + message)
            return 1
        return 0
