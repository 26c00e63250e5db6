#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the web app's icons from the gallows drawing with rsvg-convert:
# squares of 192 and 512 pixels with the picture fitted to their height on a
# transparent ground, and a maskable square of 512 pixels on the form's
# ground colour, the picture small enough that its corners stay inside the
# circle of 80 % that a launcher may cut out. The ground colour comes from
# the form's facts, as the markup program writes them (web/markup_main.cpp).
#   make_icons.py DRAWING FACTS OUTDIR
import json
import os
import re
import subprocess
import sys
import tempfile

drawing, facts, outdir = sys.argv[1:]
with open(facts, encoding="utf-8") as f:
    ground = "#{:02x}{:02x}{:02x}".format(*json.load(f)["ground"])
with open(drawing, encoding="utf-8") as f:
    svg = f.read()
root = re.search(r"<svg\b[^>]*>", svg)
width, height = (float(re.search(rf'\b{a}="([\d.]+)"', root.group(0)).group(1)) for a in ("width", "height"))
inner = svg[root.end():svg.rindex("</svg>")]


def square(size, picture_height, ground):
    """The drawing fitted to picture_height, centred on a square."""
    w = picture_height * width / height
    x, y = (size - w) / 2, (size - picture_height) / 2
    back = f'<rect width="{size}" height="{size}" fill="{ground}"/>' if ground else ""
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}">{back}'
            f'<svg x="{x}" y="{y}" width="{w}" height="{picture_height}" viewBox="0 0 {width:g} {height:g}">'
            f"{inner}</svg></svg>")


# The half diagonal of the picture is 0.67 of its height; 0.58 of the
# square keeps it within 0.4 of the square around the centre.
icons = {
    "icon-192.png": square(192, 192, None),
    "icon-512.png": square(512, 512, None),
    "icon-maskable-512.png": square(512, 512 * 0.58, ground),
}
os.makedirs(outdir, exist_ok=True)
with tempfile.TemporaryDirectory() as tmp:
    for name, text in icons.items():
        source = os.path.join(tmp, name + ".svg")
        with open(source, "w", encoding="utf-8") as f:
            f.write(text)
        subprocess.run(["rsvg-convert", "--output", os.path.join(outdir, name), source], check=True)
