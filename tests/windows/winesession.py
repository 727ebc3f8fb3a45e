"""The Wine session of the end-to-end tests and the helpers the tests drive it
with (xdotool for the window and the mouse, ImageMagick for screenshots,
tesseract for reading text back).

The session is the one scripts/with-wine makes (--xvfb --host): a virtual
display in DISPLAY, a fresh prefix in WINEPREFIX, a scratch folder in
WITH_WINE_DIR; with-wine removes them all when the tests end. One session
serves every case of a run.

Facts about Wine 8 under Xvfb that the helpers rely on:
  - DISPLAY must be set before the first Wine command of a prefix.
  - With HKCU\\Software\\Wine\\X11 Driver "Managed"="N" Wine draws the window
    frame itself: the X window is the whole 900x1000 frame at 0, 0 and the
    client area starts at screen (4, 23).
  - Closing through xdotool's windowclose leaves the program running; Alt+F4
    goes through the program's own close handling.
"""

import os
import subprocess
import time

CLIENT_ORIGIN = (4, 23)


class Session:
    def __init__(self, folder, prefix, display):
        self.folder = folder
        self.prefix = prefix
        self.display = display

    # --- the environment every Wine and X command runs in -----------------
    def env(self):
        env = dict(os.environ)
        env.update({
            "DISPLAY": self.display,
            "WINEPREFIX": self.prefix,
            "WINEDEBUG": "-all",
            # No Mono or Gecko installer dialogs in a fresh prefix.
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
            "WINEARCH": "win64",
            # One thread for tesseract, so reading the screen leaves a core
            # to the program under test.
            "OMP_THREAD_LIMIT": "1",
        })
        return env

    def log_file(self):
        return open(os.path.join(self.folder, "wine.log"), "ab")

    def run(self, args, timeout=60, check=True, cwd=None):
        """Runs a command in the session and returns its standard output."""
        with self.log_file() as log:
            done = subprocess.run(args, env=self.env(), cwd=cwd, stdout=subprocess.PIPE,
                                  stderr=log, stdin=subprocess.DEVNULL, timeout=timeout)
        if check and done.returncode != 0:
            raise RuntimeError(f"{args[0]} failed with {done.returncode}")
        return done.stdout.decode("utf-8", "replace")

    def wine(self, args, **kwargs):
        return self.run(["wine"] + args, **kwargs)

    def start_program(self, exe, cwd):
        """Starts a Windows program under Wine without waiting for it. Its
        output goes to the session log, never to the caller's pipes."""
        log = self.log_file()
        process = subprocess.Popen(["wine", os.path.abspath(exe)], env=self.env(), cwd=cwd, stdin=subprocess.DEVNULL,
                                   stdout=log, stderr=log)
        log.close()
        return process

    def windows_path(self, path):
        """The Z: drive path by which a Windows program names a host path."""
        return "Z:" + os.path.abspath(path).replace("/", "\\")

    def register_open_handler(self, extension, handler_exe):
        """Associates files ending in `extension` with `handler_exe` for the
        shell's open verb, machine-wide (HKLM\\Software\\Classes)."""
        kind = "OrvaneTest" + extension.strip(".")
        classes = "HKLM\\Software\\Classes\\"
        self.wine(["reg", "add", classes + extension, "/ve", "/d", kind, "/f"])
        command = f'"{self.windows_path(handler_exe)}" "%1"'
        self.wine(["reg", "add", classes + kind + "\\shell\\open\\command", "/ve", "/d", command, "/f"])

    # --- windows, mouse and keyboard ---------------------------------------
    def xdotool(self, *args, check=True, timeout=30):
        return self.run(["xdotool"] + [str(a) for a in args], check=check, timeout=timeout)

    def find_window(self, title, timeout=30):
        """The X id of the visible window named exactly `title`."""
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            found = self.xdotool("search", "--onlyvisible", "--name", f"^{title}$", check=False).split()
            if found:
                return found[0]
            time.sleep(0.25)
        raise RuntimeError(f"no window named {title!r} within {timeout} s")

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
        self.xdotool("mousemove", x + CLIENT_ORIGIN[0], y + CLIENT_ORIGIN[1], "click", 1)

    def close_with_alt_f4(self, window):
        self.xdotool("windowactivate", window, check=False)
        self.xdotool("windowfocus", "--sync", window, check=False)
        self.xdotool("key", "--clearmodifiers", "alt+F4")

    # --- reading the screen -------------------------------------------------
    def screenshot(self, path):
        self.run(["import", "-window", "root", path])
        return path

    def read_text(self, screenshot, box, language, scale=4, psm=6):
        """OCR of one client-area box (left, top, right, bottom)."""
        return self.read_strips(screenshot, [box], language, scale, psm)

    def read_strips(self, screenshot, boxes, language, scale=4, psm=6):
        """OCR of several client-area boxes read as one page, one under the
        other. The program's texts are not antialiased and touch the lines of
        their boxes, so the boxes are cut inside those lines; each is made
        black on white, framed in white and upscaled."""
        ox, oy = CLIENT_ORIGIN
        args = ["convert", screenshot, "-colorspace", "Gray", "-threshold", "35%"]
        for left, top, right, bottom in boxes:
            args += ["(", "-clone", "0", "-crop", f"{right - left}x{bottom - top}+{left + ox}+{top + oy}",
                     "+repage", "-bordercolor", "white", "-border", "8", ")"]
        crop = os.path.join(self.folder, "ocr.png")
        args += ["-delete", "0", "-background", "white", "-gravity", "west", "-append",
                 "-resize", f"{scale * 100}%", crop]
        self.run(args)
        return self.run(["tesseract", crop, "stdout", "-l", language, "--psm", str(psm)])


def from_environment():
    """The session scripts/with-wine made, set up for the tests: Wine draws
    the window frames itself (see above)."""
    missing = [name for name in ("WINEPREFIX", "DISPLAY", "WITH_WINE_DIR") if not os.environ.get(name)]
    if missing:
        raise SystemExit(f"run under scripts/with-wine --xvfb --host ({', '.join(missing)} not set)")
    session = Session(os.environ["WITH_WINE_DIR"], os.environ["WINEPREFIX"], os.environ["DISPLAY"])
    session.wine(["reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "Managed", "/d", "N", "/f"])
    return session
