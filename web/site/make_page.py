#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the site's page: the template with the style sheet and the module
# (its JavaScript, the wasm inside) inlined, so that the game starts from the
# first response while the fonts load.
#   make_page.py TEMPLATE STYLE_CSS MODULE_JS OUTPUT_HTML
import sys

template, style_file, script_file, output = sys.argv[1:]


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


style, script = read(style_file), read(script_file)
for text, end in ((style, "</style"), (script, "</script")):
    if end in text.lower():
        sys.exit(f"make_page.py: {end}> inside the inlined text")
page = (read(template)
        .replace("@GALGEN_STYLE@", style)
        .replace("@GALGEN_SCRIPT@", script))
with open(output, "w", encoding="utf-8") as f:
    f.write(page)
