"""Reading the program's frame as a person sees it: where its texts leave ink
and what shape a small mark has. Shared by the Linux end-to-end tests, the
Wine end-to-end tests and the comparison of the two builds' frames.

Images are 8-bit RGB rows (ImageMagick's "rgb:" output); the frame is black
on the gray 128 background, so darkness is read from the green channel.
"""

import subprocess

INK = 64  # at least half way from the background to black


class Image:
    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    @classmethod
    def load(cls, path, crop=None):
        """An image file, or the box (left, top, right, bottom) of it."""
        args = ["convert", path]
        if crop:
            left, top, right, bottom = crop
            args += ["-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage"]
        size = subprocess.run(args + ["-format", "%w %h", "info:"], check=True, capture_output=True,
                              text=True, timeout=60).stdout.split()
        rgb = subprocess.run(args + ["-depth", "8", "rgb:-"], check=True, capture_output=True, timeout=60).stdout
        return cls(int(size[0]), int(size[1]), rgb)

    def level(self, x, y):
        """Green level of a pixel, 0 (black) to 255; outside the image 255."""
        if 0 <= x < self.width and 0 <= y < self.height:
            return self.rgb[(y * self.width + x) * 3 + 1]
        return 255

    def pixel(self, x, y):
        start = (y * self.width + x) * 3
        return self.rgb[start:start + 3]


def ink_box(image, box, threshold=INK, skip=None):
    """(left, top, right, bottom) of the ink inside box, right and bottom
    excluded; pixels in `skip` (a set of (x, y)) are not ink. None: no ink."""
    left, top, right, bottom = box
    found = None
    for y in range(max(top, 0), min(bottom, image.height)):
        row = (y * image.width) * 3 + 1
        for x in range(max(left, 0), min(right, image.width)):
            if image.rgb[row + 3 * x] <= threshold and not (skip and (x, y) in skip):
                if found is None:
                    found = [x, y, x + 1, y + 1]
                else:
                    found[0] = min(found[0], x)
                    found[1] = min(found[1], y)
                    found[2] = max(found[2], x + 1)
                    found[3] = max(found[3], y + 1)
    return tuple(found) if found else None


def arrow_boxes(d):
    """The six arrow buttons of the frame, D pixels lower per build:
    (name, button rectangle, the way the arrow points)."""
    return [
        ("previous day", (250, 156, 290, 256), "left"),
        ("next day", (420, 156, 460, 256), "right"),
        ("next month", (530, 546 + d, 570, 576 + d), "up"),
        ("previous month", (530, 581 + d, 570, 611 + d), "down"),
        ("next year", (530, 630 + d, 570, 660 + d), "up"),
        ("previous year", (530, 665 + d, 570, 695 + d), "down"),
    ]


def arrow_problems(image, d, origin=(0, 0)):
    """The arrow buttons of arrow_boxes(d) whose ink is no arrowhead, each
    as (name, why); the client area lies at `origin` of the image."""
    found = [(name, arrow_problem(image, box, direction, origin)) for name, box, direction in arrow_boxes(d)]
    return [(name, problem) for name, problem in found if problem is not None]


def arrow_problem(image, box, direction, origin=(0, 0)):
    """Why the ink inside a button (a rectangle of client coordinates, the
    client area at `origin` of the image) is not an arrowhead pointing
    `direction`: a narrow mark whose tip is one or two pixels across and
    whose other end is at least twice as wide. None when it is one. A
    missing-glyph box is as wide at both ends; an empty button has no ink."""
    ox, oy = origin
    left, top, right, bottom = box
    ink = {(x, y) for y in range(top + oy + 1, bottom + oy - 1) for x in range(left + ox + 1, right + ox - 1)
           if image.level(x, y) <= INK}
    if not ink:
        return "no ink"
    xs = [x for x, _ in ink]
    ys = [y for _, y in ink]
    width, height = max(xs) - min(xs) + 1, max(ys) - min(ys) + 1
    if width > 16 or height > 16:
        return f"a mark of {width} by {height} pixels, not a narrow one"
    # Lines across the pointing axis, from the tip on.
    if direction in ("up", "down"):
        lines = [[x for x, y in ink if y == row] for row in range(min(ys), max(ys) + 1)]
    else:
        lines = [[y for x, y in ink if x == column] for column in range(min(xs), max(xs) + 1)]
    if direction in ("down", "right"):
        lines.reverse()
    spans = [max(line) - min(line) + 1 if line else 0 for line in lines]
    tip, base = spans[0], max(spans)
    if len(spans) < 2 or tip > 2 or base < 3 or base < 2 * tip:
        return f"not pointed {direction}: spans {spans} from the tip end"
    return None
