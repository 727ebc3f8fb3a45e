"""The Wine session of the end-to-end tests: the display, the mouse, the
screenshots and the reading back of drive.x11, with the Wine prefix and the
place where Wine puts the program's client area.

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
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from drive.x11 import Display  # noqa: E402

CLIENT_ORIGIN = (4, 23)


class Session(Display):
    def __init__(self, folder, prefix, display):
        env = dict(os.environ)
        env.update({
            "WINEPREFIX": prefix,
            "WINEDEBUG": "-all",
            # No Mono or Gecko installer dialogs in a fresh prefix.
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
            "WINEARCH": "win64",
        })
        super().__init__(display, folder, env=env, origin=CLIENT_ORIGIN, log=os.path.join(folder, "wine.log"))
        self.prefix = prefix

    def wine(self, args, **kwargs):
        return self.run(["wine"] + args, **kwargs)

    def start_program(self, exe, cwd):
        """Starts a Windows program under Wine without waiting for it. Its
        output goes to the session log, never to the caller's pipes."""
        with open(self.log, "ab") as log:
            return subprocess.Popen(["wine", os.path.abspath(exe)], env=self.env, cwd=cwd,
                                    stdin=subprocess.DEVNULL, stdout=log, stderr=log)

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

    def find_window(self, title, timeout=30):
        """The X id of the visible window named exactly `title`."""
        window = super().find_window(title, timeout=timeout, visible_only=True)
        if window is None:
            raise RuntimeError(f"no window named {title!r} within {timeout} s")
        return window

    def close_with_alt_f4(self, window):
        self.xdotool("windowactivate", window, check=False)
        self.xdotool("windowfocus", "--sync", window, check=False)
        self.xdotool("key", "--clearmodifiers", "alt+F4")


def from_environment():
    """The session scripts/with-wine made, set up for the tests: Wine draws
    the window frames itself (see above)."""
    missing = [name for name in ("WINEPREFIX", "DISPLAY", "WITH_WINE_DIR") if not os.environ.get(name)]
    if missing:
        raise SystemExit(f"run under scripts/with-wine --xvfb --host ({', '.join(missing)} not set)")
    session = Session(os.environ["WITH_WINE_DIR"], os.environ["WINEPREFIX"], os.environ["DISPLAY"])
    session.wine(["reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "Managed", "/d", "N", "/f"])
    return session
