#!/usr/bin/env python3
"""Writes the program's tool-bar icons and canvas cursors as SVG files.

    scripts/make-icons.py          # rewrites src/ui/icons/bar/*.svg and src/ui/icons/cursors/*.svg

The tool bars use 24 x 24 pictures, the option bars 16 x 16 and the cursors 32 x 32. All share
one look: a dark outline 1.5 units wide with round joins, white or light fills, and a few
accent colours (blue for documents and selections, orange for paint, red for removal).
"""

import math
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BAR = os.path.join(ROOT, "src", "ui", "icons", "bar")
CURSORS = os.path.join(ROOT, "src", "ui", "icons", "cursors")

INK = "#2b2b2b"
PAPER = "#ffffff"
BLUE = "#3b7fc4"
LIGHT_BLUE = "#cfe2f6"
ORANGE = "#e8912d"
YELLOW = "#f4c542"
RED = "#d83b3b"
GREEN = "#3f9a4a"
GREY = "#8a8a8a"



def line(width=1.5):
    return f'fill="none" stroke="{INK}" stroke-width="{width}" stroke-linecap="round" stroke-linejoin="round"'


LINE = line()
DASH = f'fill="none" stroke="{INK}" stroke-width="1.5" stroke-dasharray="2.5 2"'


def svg(size, body):
    return (
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" '
        f'viewBox="0 0 {size} {size}">\n{body}\n</svg>\n'
    )


def filled(fill, extra=""):
    return f'fill="{fill}" stroke="{INK}" stroke-width="1.5" stroke-linejoin="round" {extra}'


def arrow_head(x, y, angle, size=3.5):
    """A filled arrow head pointing along angle (degrees) with its tip at (x, y)."""
    a = math.radians(angle)
    left = (x - size * math.cos(a) + size * 0.7 * math.sin(a),
            y - size * math.sin(a) - size * 0.7 * math.cos(a))
    right = (x - size * math.cos(a) - size * 0.7 * math.sin(a),
             y - size * math.sin(a) + size * 0.7 * math.cos(a))
    return (f'<path d="M{x:.2f},{y:.2f} L{left[0]:.2f},{left[1]:.2f} L{right[0]:.2f},{right[1]:.2f} Z" '
            f'fill="{INK}"/>')


def magnifier(inner):
    return (f'<circle cx="10" cy="10" r="6.5" {filled(LIGHT_BLUE)}/>'
            f'<path d="M14.8,14.8 L21,21" fill="none" stroke="{INK}" stroke-width="3" stroke-linecap="round"/>'
            + inner)


def shift(angle):
    # The selection with an arrow pointing where it moves.
    a = math.radians(angle)
    cx, cy = 12, 12
    x1, y1 = cx - 5 * math.cos(a), cy - 5 * math.sin(a)
    x2, y2 = cx + 8 * math.cos(a), cy + 8 * math.sin(a)
    return (f'<rect x="4" y="4" width="16" height="16" {DASH}/>'
            f'<path d="M{x1:.2f},{y1:.2f} L{x2 - 2 * math.cos(a):.2f},{y2 - 2 * math.sin(a):.2f}" '
            f'stroke="{BLUE}" stroke-width="2.5" stroke-linecap="round"/>'
            + arrow_head(x2, y2, angle, 4.5).replace(INK, BLUE))


def rotate(clockwise):
    # A square with a three-quarter turn around it.
    square = f'<rect x="8.5" y="8.5" width="7" height="7" {filled(LIGHT_BLUE)}/>'
    if clockwise:
        arc = f'<path d="M4,12 A8,8 0 1 1 12,20" {line(1.8)}/>' + arrow_head(9.5, 20, 180, 4)
    else:
        arc = f'<path d="M20,12 A8,8 0 1 0 12,20" {line(1.8)}/>' + arrow_head(14.5, 20, 0, 4)
    return square + arc


PENCIL_BODY = (
    # A pencil lying from the lower left to the upper right.
    f'<path d="M4,20 L5.5,15 L16,4.5 L19.5,8 L9,18.5 Z" {filled(YELLOW)}/>'
    f'<path d="M4,20 L5.5,15 L9,18.5 Z" {filled("#f3ddb5")}/>'
    f'<path d="M4,20 L4.7,17.6 L6.4,19.3 Z" fill="{INK}"/>'
    f'<path d="M14,6.5 L17.5,10" {LINE}/>'
)

TOOLBAR = {
    # Standard
    "new": f'<path d="M5,2.5 H14 L19,7.5 V21.5 H5 Z" {filled(PAPER)}/><path d="M14,2.5 V7.5 H19" {LINE}/>',
    "open": (f'<path d="M2.5,6 H9 L11,8 H19.5 V19.5 H2.5 Z" {filled(YELLOW)}/>'
             f'<path d="M2.5,19.5 L6,11 H22 L19.5,19.5 Z" {filled("#f8dc86")}/>'),
    "save": (f'<path d="M3.5,3.5 H17.5 L20.5,6.5 V20.5 H3.5 Z" {filled(BLUE)}/>'
             f'<rect x="7" y="3.5" width="9" height="6" {filled(PAPER)}/>'
             f'<rect x="6.5" y="13" width="11" height="7.5" {filled(PAPER)}/>'
             f'<path d="M13,5 V8" stroke="{INK}" stroke-width="1.5"/>'),
    "close": (f'<path d="M5,2.5 H14 L19,7.5 V21.5 H5 Z" {filled(PAPER)}/><path d="M14,2.5 V7.5 H19" {LINE}/>'
              f'<path d="M8.5,11 L15.5,18 M15.5,11 L8.5,18" stroke="{RED}" stroke-width="2.5" stroke-linecap="round"/>'),
    "undo": f'<path d="M7,9 H15 A5,5 0 0 1 15,19 H9" {line(2.5)}/>' + arrow_head(3, 9, 180, 5),
    "redo": f'<path d="M17,9 H9 A5,5 0 0 0 9,19 H15" {line(2.5)}/>' + arrow_head(21, 9, 0, 5),
    # Effects
    "flip-vertical": (f'<path d="M3,11 H21" stroke="{GREY}" stroke-width="1.5" stroke-dasharray="2 1.5"/>'
                      f'<path d="M6,8.5 L12,2.5 L18,8.5 Z" {filled(BLUE)}/>'
                      f'<path d="M6,13.5 L12,19.5 L18,13.5 Z" {filled(PAPER)}/>'),
    "flip-horizontal": (f'<path d="M12,3 V21" stroke="{GREY}" stroke-width="1.5" stroke-dasharray="2 1.5"/>'
                        f'<path d="M9.5,6 L3.5,12 L9.5,18 Z" {filled(BLUE)}/>'
                        f'<path d="M14.5,6 L20.5,12 L14.5,18 Z" {filled(PAPER)}/>'),
    "rotate-left": rotate(False),
    "rotate-right": rotate(True),
    "rotate-angle": (f'<path d="M4,20 H20 M4,20 L15,5" {LINE}/>'
                     f'<path d="M11,20 A7,7 0 0 0 8.3,14.3" fill="none" stroke="{BLUE}" stroke-width="2"/>'
                     + arrow_head(8.1, 14.0, 230, 3.5).replace(INK, BLUE)),
    "shift-left": shift(180),
    "shift-right": shift(0),
    "shift-up": shift(270),
    "shift-down": shift(90),
    "zoom-in": magnifier(f'<path d="M7,10 H13 M10,7 V13" stroke="{INK}" stroke-width="1.8" stroke-linecap="round"/>'),
    "zoom-out": magnifier(f'<path d="M7,10 H13" stroke="{INK}" stroke-width="1.8" stroke-linecap="round"/>'),
    "region-zoom": magnifier(f'<rect x="6.5" y="7.5" width="7" height="5" fill="none" stroke="{INK}" '
                             f'stroke-width="1.2" stroke-dasharray="1.6 1.2"/>'),
    # Tools
    "move-layer": (f'<path d="M12,3 V21 M3,12 H21" {line(2)}/>'
                   + arrow_head(12, 2, 270, 4.5) + arrow_head(12, 22, 90, 4.5)
                   + arrow_head(2, 12, 180, 4.5) + arrow_head(22, 12, 0, 4.5)),
    "rect-select": f'<rect x="3.5" y="5.5" width="17" height="13" {DASH}/>',
    "ellipse-select": f'<ellipse cx="12" cy="12" rx="9" ry="7" {DASH}/>',
    "lasso": (f'<path d="M7,17 C2,15 2,7 9,5 C16,3 22,7 20,12 C18.5,16 13,17 9.5,16" {DASH}/>'
              f'<path d="M9.5,16 C8,17.5 8.5,19.5 10.5,21" {LINE}/>'),
    "free-lasso": f'<path d="M4,18 L6,6 L13,9 L19,4 L20,15 L12,20 Z" {DASH}/>',
    "scissor": (f'<circle cx="7" cy="17" r="3.2" {filled(RED)}/><circle cx="17" cy="17" r="3.2" {filled(RED)}/>'
                f'<path d="M9,14.5 L17,3 M15,14.5 L7,3" {line(1.8)}/>'),
    "hue-select": (f'<rect x="2.5" y="2.5" width="19" height="19" {DASH}/>'
                   f'<path d="M12,12 L12,5.5 A6.5,6.5 0 0 1 17.6,8.75 Z" fill="{RED}"/>'
                   f'<path d="M12,12 L17.6,8.75 A6.5,6.5 0 0 1 17.6,15.25 Z" fill="{YELLOW}"/>'
                   f'<path d="M12,12 L17.6,15.25 A6.5,6.5 0 0 1 12,18.5 Z" fill="{GREEN}"/>'
                   f'<path d="M12,12 L12,18.5 A6.5,6.5 0 0 1 6.4,15.25 Z" fill="#38b6c9"/>'
                   f'<path d="M12,12 L6.4,15.25 A6.5,6.5 0 0 1 6.4,8.75 Z" fill="{BLUE}"/>'
                   f'<path d="M12,12 L6.4,8.75 A6.5,6.5 0 0 1 12,5.5 Z" fill="#9b59b6"/>'
                   f'<circle cx="12" cy="12" r="6.5" fill="none" stroke="{INK}" stroke-width="1.2"/>'),
    "color-select": (f'<path d="M3.5,20.5 L4.5,16.5 L12,9 L15,12 L7.5,19.5 Z" {filled(LIGHT_BLUE)}/>'
                     f'<path d="M11,8 L16,13 M13.5,10.5 L18,6 A2.2,2.2 0 0 0 18,3.5 A2.2,2.2 0 0 0 15.5,3.5 L11,8" '
                     f'{filled(INK)}/>'),
    "erase": (f'<path d="M3,15 L12,6 L20,14 L13.5,20.5 H8.5 Z" {filled("#f2a7b8")}/>'
              f'<path d="M3,15 L7.5,10.5 L15.5,18.5 L13.5,20.5 H8.5 Z" {filled(PAPER)}/>'
              f'<path d="M13.5,20.5 H21" {LINE}/>'),
    "fill": (f'<path d="M4,10 L11,3 L19,11 L12,18 Z" {filled(PAPER)}/>'
             f'<path d="M4,10 H19 L12,18 Z" fill="{BLUE}" stroke="{INK}" stroke-width="1.5" stroke-linejoin="round"/>'
             f'<path d="M19.5,13 C21,16 22,17.5 20.5,19 C19,20 18,18 19.5,13 Z" fill="{BLUE}"/>'),
    "spray": (f'<rect x="4" y="9" width="8" height="12" rx="1.5" {filled(GREY)}/>'
              f'<rect x="6" y="6" width="4" height="3" {filled(PAPER)}/>'
              + "".join(f'<circle cx="{x}" cy="{y}" r="1" fill="{ORANGE}"/>'
                        for x, y in [(14, 5), (17, 3), (17, 7), (20, 5), (19.5, 9.5), (15, 9), (21, 2)])),
    "stamp": (f'<path d="M9,3.5 H15 V10 L18,12 H6 L9,10 Z" {filled(ORANGE)}/>'
              f'<rect x="4" y="12" width="16" height="4" rx="1" {filled("#b5651d")}/>'
              f'<path d="M4,20 H20" stroke="{RED}" stroke-width="2" stroke-linecap="round"/>'),
    "pencil": PENCIL_BODY,
    "brush": (f'<path d="M11,13 L19.5,3.5 A1.6,1.6 0 0 1 21,5 L12.5,14.5 Z" {filled("#b5651d")}/>'
              f'<path d="M10.5,12.5 L13,15 C12,19 8,21 3,20.5 C5,19 5,16 7,14 C8,13 9.5,12.5 10.5,12.5 Z" '
              f'{filled(ORANGE)}/>'),
    "line": (f'<path d="M4.5,19.5 L19.5,4.5" {line(2)}/>'
             f'<circle cx="4.5" cy="19.5" r="2" fill="{BLUE}"/><circle cx="19.5" cy="4.5" r="2" fill="{BLUE}"/>'),
    "blur": (f'<path d="M12,2.5 C15,7 18.5,10.5 18.5,14.5 A6.5,6.5 0 0 1 5.5,14.5 C5.5,10.5 9,7 12,2.5 Z" '
             f'{filled(LIGHT_BLUE)}/>'
             f'<path d="M9,14.5 A3,3 0 0 0 12,17.5" fill="none" stroke="{PAPER}" stroke-width="1.5" stroke-linecap="round"/>'),
    "text": (f'<path d="M4,20 L10.5,3.5 H13.5 L20,20 H16.8 L15.3,16 H8.7 L7.2,20 Z M9.7,13.2 H14.3 L12,7 Z" '
             f'fill="{INK}" fill-rule="evenodd"/>'),
    "rectangle": f'<rect x="3.5" y="5.5" width="17" height="13" {line(2)}/>',
    "filled-rectangle": f'<rect x="3.5" y="5.5" width="17" height="13" fill="{BLUE}" stroke="{INK}" stroke-width="1.5"/>',
    "ellipse": f'<ellipse cx="12" cy="12" rx="9" ry="7" {line(2)}/>',
    "filled-ellipse": f'<ellipse cx="12" cy="12" rx="9" ry="7" fill="{BLUE}" stroke="{INK}" stroke-width="1.5"/>',
    "gradient": ('<defs><linearGradient id="g" x1="0" y1="0" x2="1" y2="0">'
                 f'<stop offset="0" stop-color="{INK}"/><stop offset="1" stop-color="{PAPER}"/>'
                 '</linearGradient></defs>'
                 f'<rect x="3" y="5" width="18" height="14" fill="url(#g)" stroke="{INK}" stroke-width="1.5"/>'),
}


def option_icons():
    """16 x 16 pictures of the option bars' choices."""
    icons = {}
    # Pencil tips: the mask itself in enlarged cells, or the disk.
    def cells(points, n):
        s = 14.0 / max(n, 3)
        off = (16 - s * n) / 2
        return "".join(f'<rect x="{off + x * s:.2f}" y="{off + y * s:.2f}" width="{s:.2f}" height="{s:.2f}" '
                       f'fill="{INK}"/>' for x, y in points)
    tips = [
        cells([(0, 0)], 1),
        cells([(1, 0), (0, 1), (1, 1), (2, 1), (1, 2)], 3),
        f'<circle cx="8" cy="8" r="3.5" fill="{INK}"/>',
        f'<circle cx="8" cy="8" r="6" fill="{INK}"/>',
        cells([(i, 2 - i) for i in range(3)], 3),
        cells([(i, 4 - i) for i in range(5)], 5),
        cells([(i, 6 - i) for i in range(7)], 7),
        cells([(i, i) for i in range(3)], 3),
        cells([(i, i) for i in range(5)], 5),
        cells([(i, i) for i in range(7)], 7),
    ]
    for i, body in enumerate(tips):
        icons[f"pencil-tip-{i}"] = body
    for i, side in enumerate([3, 5, 9, 13]):
        o = (16 - side) / 2
        icons[f"eraser-size-{i}"] = (f'<rect x="{o}" y="{o}" width="{side}" height="{side}" fill="#f2a7b8" '
                                     f'stroke="{INK}" stroke-width="1"/>')
    for i, width in enumerate([1, 2, 3, 5]):
        y = 8.5 if width % 2 else 8
        icons[f"line-width-{i}"] = f'<path d="M2,{y} H14" stroke="{INK}" stroke-width="{width}"/>'
    for i, r in enumerate([2.5, 4, 5.5, 7]):
        dots = []
        for k in range(6 + 3 * i):
            a = k * 2.39996
            d = r * math.sqrt((k + 0.5) / (6 + 3 * i))
            dots.append(f'<circle cx="{8 + d * math.cos(a):.2f}" cy="{8 + d * math.sin(a):.2f}" r="0.7" fill="{INK}"/>')
        icons[f"spray-size-{i}"] = "".join(dots)
    for i, r in enumerate([1.5, 3, 5, 7]):
        icons[f"blur-size-{i}"] = ('<defs><radialGradient id="b" cx="0.5" cy="0.5" r="0.5">'
                                   f'<stop offset="0" stop-color="{BLUE}"/><stop offset="1" stop-color="{BLUE}" stop-opacity="0"/>'
                                   f'</radialGradient></defs><circle cx="8" cy="8" r="{r}" fill="url(#b)"/>'
                                   f'<circle cx="8" cy="8" r="{r}" fill="none" stroke="{INK}" stroke-width="0.6"/>')
    for i, r in enumerate([2, 3.5, 5, 7]):
        icons[f"brush-size-{i}"] = f'<circle cx="8" cy="8" r="{r}" fill="{ORANGE}" stroke="{INK}" stroke-width="0.8"/>'
    for i, r in enumerate([2, 3.5, 5, 7]):
        icons[f"stamp-size-{i}"] = (f'<circle cx="8" cy="8" r="{r}" fill="none" stroke="{INK}" stroke-width="1"/>'
                                    f'<circle cx="8" cy="8" r="{max(r - 1.5, 0.8)}" fill="{ORANGE}"/>')
    icons["gradient-linear"] = ('<defs><linearGradient id="l" x1="0" y1="0" x2="1" y2="0">'
                                f'<stop offset="0" stop-color="{INK}"/><stop offset="1" stop-color="{PAPER}"/>'
                                '</linearGradient></defs>'
                                f'<rect x="1.5" y="2.5" width="13" height="11" fill="url(#l)" stroke="{INK}"/>')
    icons["gradient-circular"] = ('<defs><radialGradient id="c" cx="0.5" cy="0.5" r="0.5">'
                                  f'<stop offset="0" stop-color="{INK}"/><stop offset="1" stop-color="{PAPER}"/>'
                                  '</radialGradient></defs>'
                                  f'<rect x="1.5" y="2.5" width="13" height="11" fill="url(#c)" stroke="{INK}"/>')
    return icons


def halo(body):
    """The cursor drawn twice: a white halo under the black picture, visible on any picture."""
    under = (body.replace(f'stroke="{INK}"', 'stroke="#ffffff"')
             .replace('stroke-width="1.5"', 'stroke-width="3.5"')
             .replace('stroke-width="1"', 'stroke-width="3"'))
    return f'<g opacity="0.9">{under}</g>{body}'


CURSOR = {
    # Hot spots (ViewCursors.cpp): pencil, pipette and fill at (1, 30); the others at (15, 15).
    "pencil": halo(f'<path d="M1.5,30.5 L3.5,23 L21,5.5 L26.5,11 L9,28.5 Z" fill="{YELLOW}" stroke="{INK}" '
                   f'stroke-width="1.5" stroke-linejoin="round"/>'
                   f'<path d="M1.5,30.5 L3.5,23 L9,28.5 Z" fill="{INK}" stroke="{INK}" stroke-width="1"/>'),
    "selection-cross": halo(f'<path d="M15.5,3 V12 M15.5,19 V28 M3,15.5 H12 M19,15.5 H28" fill="none" '
                            f'stroke="{INK}" stroke-width="1.5"/>'),
    "pipette": halo(f'<path d="M1.5,30.5 L3,25 L15,13 L19,17 L7,29 Z" fill="{LIGHT_BLUE}" stroke="{INK}" '
                    f'stroke-width="1.5" stroke-linejoin="round"/>'
                    f'<path d="M13.5,11.5 L20.5,18.5 M17,15 L24,8 A3,3 0 0 0 20,4 L13,11" fill="{INK}" '
                    f'stroke="{INK}" stroke-width="1.5" stroke-linejoin="round"/>'),
    "fill": halo(f'<path d="M8,14 L18,4 L29,15 L19,25 Z" fill="#ffffff" stroke="{INK}" stroke-width="1.5" '
                 f'stroke-linejoin="round"/>'
                 f'<path d="M8,14 H29 L19,25 Z" fill="{BLUE}" stroke="{INK}" stroke-width="1.5" stroke-linejoin="round"/>'
                 f'<path d="M8,14 C4,19 1.5,25 1.5,30.5" fill="none" stroke="{BLUE}" stroke-width="2.5" '
                 f'stroke-linecap="round"/>'),
    "blur": halo(f'<circle cx="15.5" cy="15.5" r="8" fill="none" stroke="{INK}" stroke-width="1.5"/>'
                 f'<path d="M15.5,11 V20 M11,15.5 H20" fill="none" stroke="{INK}" stroke-width="1"/>'),
    "eraser": halo(f'<rect x="10.5" y="10.5" width="10" height="10" fill="#f2a7b8" fill-opacity="0.5" '
                   f'stroke="{INK}" stroke-width="1.5"/>'
                   f'<path d="M15.5,13.5 V17.5 M13.5,15.5 H17.5" fill="none" stroke="{INK}" stroke-width="1"/>'),
    "spray": halo(f'<circle cx="15.5" cy="15.5" r="9" fill="none" stroke="{INK}" stroke-width="1" '
                  f'stroke-dasharray="2 2"/>'
                  f'<path d="M15.5,13 V18 M13,15.5 H18" fill="none" stroke="{INK}" stroke-width="1"/>'),
}


def write(folder, name, text):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name + ".svg"), "w", encoding="utf-8") as f:
        f.write(text)


def main():
    for name, body in TOOLBAR.items():
        write(BAR, name, svg(24, body))
    for name, body in option_icons().items():
        write(BAR, name, svg(16, body))
    for name, body in CURSOR.items():
        write(CURSORS, name, svg(32, body))
    return 0


if __name__ == "__main__":
    sys.exit(main())
