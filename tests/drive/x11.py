"""An X display and what the tests do on it: a virtual display of their own
(Xvfb), finding a window, clicks, screenshots, and reading text back with
tesseract. Coordinates given to click and read_text are the program's client
coordinates; `origin` is where its client area lies on the screen."""

import os
import shutil
import subprocess
import sys
import time

from drive.frame_ink import Image
from drive.verdict import Failure


def missing_tool(tools):
    """Says which of the tools is missing, if one is; the tests then skip (77)."""
    for tool in tools:
        if not shutil.which(tool):
            print(f"{tool} is missing: scripts/install-deps", file=sys.stderr)
            return True
    return False


def normal(text):
    """Text with runs of white space made single spaces, for comparisons."""
    return " ".join(text.split())


class Xvfb:
    """A virtual X server with a display number it picks itself, for the
    length of a with block."""

    def __init__(self, folder):
        self.folder = folder
        self.process = None
        self.name = None

    def __enter__(self):
        display_file = os.path.join(self.folder, "display")
        with open(display_file, "w") as out:
            self.process = subprocess.Popen(["Xvfb", "-displayfd", str(out.fileno()), "-screen", "0",
                                             "1280x1024x24", "-nolisten", "tcp"], pass_fds=(out.fileno(),),
                                            stderr=subprocess.DEVNULL)
        deadline = time.time() + 10
        while time.time() < deadline and not open(display_file).read().strip():
            time.sleep(0.05)
        number = open(display_file).read().strip()
        if not number:
            self.__exit__()
            raise Failure("Xvfb did not start")
        self.name = f":{number}"
        return self

    def __exit__(self, *exc):
        if self.process:
            self.process.terminate()
            self.process.wait()


class Display:
    """An X display, the environment every command on it runs in (DISPLAY
    and `env`), and a scratch folder. The standard error of the commands goes
    to the file `log` when one is named."""

    def __init__(self, name, folder, env=None, origin=(0, 0), log=None):
        self.name = name
        self.folder = folder
        self.origin = origin
        self.log = log
        self.env = dict(os.environ if env is None else env)
        self.env["DISPLAY"] = name
        # One thread for tesseract, so that reading the screen leaves a core
        # to the program under test.
        self.env["OMP_THREAD_LIMIT"] = "1"

    def run(self, args, timeout=60, check=True, cwd=None, binary=False):
        """Runs a command on the display and returns its standard output,
        as text or, with `binary`, as bytes."""
        args = [str(arg) for arg in args]
        log = open(self.log, "ab") if self.log else None
        try:
            done = subprocess.run(args, env=self.env, cwd=cwd, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                  stderr=log or subprocess.PIPE, timeout=timeout)
        finally:
            if log:
                log.close()
        if check and done.returncode != 0:
            said = done.stderr.decode("utf-8", "replace").strip() if done.stderr else ""
            raise Failure(f"{args[0]} failed with exit code {done.returncode}" + (f": {said}" if said else ""))
        return done.stdout if binary else done.stdout.decode("utf-8", "replace")

    # --- windows and the pointer ------------------------------------------------
    def xdotool(self, *args, check=True, timeout=30):
        return self.run(["xdotool", *args], check=check, timeout=timeout)

    def find_window(self, title, timeout=30, visible_only=False, process=None):
        """The X id of a window named exactly `title` (of `process`, when
        given); None when none appears within `timeout` seconds or the
        process ends first."""
        args = ["search"] + (["--onlyvisible"] if visible_only else []) + ["--name", f"^{title}$"]
        if process is None:
            # One search that waits holds its connection throughout. Searches
            # that connect and leave again and again can leave an Xvfb without
            # clients, which resets it, while the program is still connecting.
            try:
                found = self.xdotool(*args[:1], "--sync", *args[1:], check=False, timeout=timeout).split()
            except subprocess.TimeoutExpired:
                return None
            return int(found[0]) if found else None
        end = time.monotonic() + timeout
        while True:
            found = self.xdotool(*args[:1], "--pid", process.pid, *args[1:], check=False).split()
            if found:
                return int(found[0])
            if time.monotonic() >= end or process.poll() is not None:
                return None
            time.sleep(0.05)

    def geometry(self, window):
        """(x, y, width, height) of an X window."""
        values = {}
        for line in self.xdotool("getwindowgeometry", "--shell", window).splitlines():
            key, _, value = line.partition("=")
            values[key] = int(value) if value.lstrip("-").isdigit() else value
        return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]

    def window_name(self, window):
        return self.xdotool("getwindowname", window).strip()

    def click(self, x, y):
        """A left click at a point of the program's client area."""
        # No --sync: it waits for the pointer to move, forever when it is
        # already at the point.
        self.xdotool("mousemove", x + self.origin[0], y + self.origin[1], "click", 1)

    # --- the screen ----------------------------------------------------------
    def screenshot(self, path):
        """The whole screen as an image file."""
        self.run(["import", "-window", "root", path])
        return path

    def client_image(self, width, height):
        """The client area's top-left width by height pixels, as an Image."""
        ox, oy = self.origin
        rgb = self.run(["import", "-window", "root", "-crop", f"{width}x{height}+{ox}+{oy}", "+repage",
                        "-depth", "8", "rgb:-"], binary=True)
        if len(rgb) != width * height * 3:
            raise Failure(f"a screenshot of {len(rgb)} bytes, not {width}x{height} pixels")
        return Image(width, height, rgb)

    def read_text(self, shot, boxes, language, scale=4, psm=6, threshold=None, border=0, normalize=False):
        """tesseract's reading of client-area boxes (left, top, right, bottom)
        of a screenshot (an image file of the screen, or an Image of the client
        area), the boxes one under the other as one page. Each box is made
        gray, black on white at `threshold` when given, framed in `border`
        white pixels, and the page scaled by `scale` (and its levels stretched
        with `normalize`); `psm` is tesseract's page segmentation mode."""
        if isinstance(shot, Image):
            source = os.path.join(self.folder, "ocr.rgb")
            with open(source, "wb") as out:
                out.write(shot.rgb)
            args = ["convert", "-size", f"{shot.width}x{shot.height}", "-depth", "8", f"rgb:{source}"]
            ox, oy = 0, 0
        else:
            args = ["convert", shot]
            ox, oy = self.origin
        args += ["-colorspace", "Gray"] + (["-threshold", threshold] if threshold else [])
        for left, top, right, bottom in boxes:
            args += ["(", "-clone", "0", "-crop", f"{right - left}x{bottom - top}+{left + ox}+{top + oy}", "+repage"]
            args += (["-bordercolor", "white", "-border", border] if border else []) + [")"]
        page = os.path.join(self.folder, "ocr.png")
        args += ["-delete", "0", "-background", "white", "-gravity", "west", "-append", "-resize", f"{scale * 100}%"]
        args += (["-normalize"] if normalize else []) + [page]
        self.run(args)
        return self.run(["tesseract", page, "stdout", "-l", language, "--psm", psm])


def wait_for_lines(path, count=1, timeout=15.0):
    """The lines of a file that another program writes, once it holds
    `count` of them, or what it holds when `timeout` seconds have passed
    (none while it does not exist). Empty lines are left out."""
    end = time.monotonic() + timeout
    lines = []
    while True:
        if os.path.exists(path):
            with open(path, "rb") as file:
                text = file.read().decode("utf-8", "surrogateescape")
            lines = [line for line in text.splitlines() if line.strip()]
            if len(lines) >= count:
                return lines
        if time.monotonic() >= end:
            return lines
        time.sleep(0.1)
