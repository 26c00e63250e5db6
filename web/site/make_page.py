#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the site's page: the template with the style sheet and the
# module's JavaScript inlined, so that the browser can start the module,
# its wasm and the fonts from the first response on, and a Content Security
# Policy that allows exactly these two inline blocks and nothing from
# another origin.
#   make_page.py TEMPLATE STYLE_CSS MODULE_JS MODULE_NAME OUTPUT_HTML
import base64
import hashlib
import sys

template, style_file, script_file, module, output = sys.argv[1:]


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def digest(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode("utf-8")).digest()).decode() + "'"


style, script = read(style_file), read(script_file)
for text, end in ((style, "</style"), (script, "</script")):
    if end in text.lower():
        sys.exit(f"make_page.py: {end}> inside the inlined text")
page = (read(template)
        .replace("@GALGEN_MODULE@", module)
        .replace("@GALGEN_STYLE_HASH@", digest(style))
        .replace("@GALGEN_SCRIPT_HASH@", digest(script))
        .replace("@GALGEN_STYLE@", style)
        .replace("@GALGEN_SCRIPT@", script))
with open(output, "w", encoding="utf-8") as f:
    f.write(page)
