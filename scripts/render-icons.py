#!/usr/bin/env python3
"""Draws the application icon from one description: packaging/tavrimen.svg, and with ImageMagick
the PNG (the Linux window and desktop) and the ICO (the Windows program and installer).

A boring log: a column of soil layers from the surface down, with the water level marked, beside
the record sheet it becomes."""
import pathlib
import subprocess
import tempfile

HERE = pathlib.Path(__file__).resolve().parent.parent / "packaging"

# Shapes on a 256 by 256 canvas: (kind, fill, points or box).
SHAPES = [
    ("roundrect", "#27466f", (8, 8, 248, 248, 36)),
    # the record sheet
    ("roundrect", "#f4f1e8", (136, 40, 224, 216, 8)),
    ("rect", "#9aa5b1", (150, 64, 210, 72)),
    ("rect", "#9aa5b1", (150, 88, 200, 96)),
    ("rect", "#9aa5b1", (150, 112, 210, 120)),
    ("rect", "#9aa5b1", (150, 136, 190, 144)),
    ("rect", "#9aa5b1", (150, 160, 206, 168)),
    ("rect", "#9aa5b1", (150, 184, 196, 192)),
    # the soil column, top to bottom: fill, topsoil, sand, clay, gravel
    ("rect", "#8d6e4a", (40, 40, 104, 64)),
    ("rect", "#e3c46b", (40, 64, 104, 112)),
    ("rect", "#8fa0a8", (40, 112, 104, 160)),
    ("rect", "#c98d5a", (40, 160, 104, 216)),
    # the water level
    ("polygon", "#3d9be9", ((106, 98), (126, 98), (116, 112))),
]


def svg():
    parts = ['<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" '
             'viewBox="0 0 256 256">',
             "<title>tavrimen</title>"]
    for kind, fill, geometry in SHAPES:
        if kind == "roundrect":
            x0, y0, x1, y1, r = geometry
            parts.append(f'<rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" '
                         f'rx="{r}" fill="{fill}"/>')
        elif kind == "rect":
            x0, y0, x1, y1 = geometry
            parts.append(f'<rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" '
                         f'fill="{fill}"/>')
        else:
            points = " ".join(f"{x},{y}" for x, y in geometry)
            parts.append(f'<polygon points="{points}" fill="{fill}"/>')
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


def draw_commands():
    commands = []
    for kind, fill, geometry in SHAPES:
        if kind == "roundrect":
            x0, y0, x1, y1, r = geometry
            shape = f"roundrectangle {x0},{y0} {x1 - 1},{y1 - 1} {r},{r}"
        elif kind == "rect":
            x0, y0, x1, y1 = geometry
            shape = f"rectangle {x0},{y0} {x1 - 1},{y1 - 1}"
        else:
            shape = "polygon " + " ".join(f"{x},{y}" for x, y in geometry)
        commands += ["-fill", fill, "-draw", shape]
    return commands


def main():
    (HERE / "tavrimen.svg").write_text(svg())
    with tempfile.TemporaryDirectory() as work:
        big = pathlib.Path(work) / "256.png"
        subprocess.run(["convert", "-size", "256x256", "xc:none", *draw_commands(), str(big)],
                       check=True)
        subprocess.run(["convert", str(big), "-strip", str(HERE / "tavrimen.png")], check=True)
        sizes = []
        for size in (16, 24, 32, 48, 64, 256):
            png = pathlib.Path(work) / f"{size}.png"
            subprocess.run(["convert", str(big), "-resize", f"{size}x{size}", str(png)], check=True)
            sizes.append(str(png))
        subprocess.run(["convert", *sizes, str(HERE / "tavrimen.ico")], check=True)


if __name__ == "__main__":
    main()
