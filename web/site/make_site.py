#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a site of the web edition: the page with the form's markup, its
# style and its first script inside, and every file it uses beside it, each
# named by its content (NAME.HASH.EXT) except the page, the manifest and the
# service worker, which hosts revalidate. References between the files are
# rewritten to those names, and the service worker learns the whole list
# under a cache named for the build.
#
# The page needs no request before its first paint: the style and the
# loader are inline, and the content security policy allows exactly them by
# their hashes. The policy's source holds a directive a line, with
# @SCRIPT_HASHES@ and @STYLE_HASHES@ where those go; the page carries it in
# a meta element, but for frame-ancestors, which only a header can set, and
# the whole policy goes beside the page as the file content-security-policy,
# one line, for the host to send as a header (web/serve.mjs does).
#
# The form's facts (the markup program's JSON: caption, ground colour, the
# internal error's message) fill the page's and the manifest's @CAPTION@,
# @GROUND@ and @INTERNAL_ERROR@.
#   make_site.py --out DIR --template index.html.in --form-html F --form-menu F --form-css F
#                --facts F --style style.css --loader loader.js
#                --module-js X.js --module-wasm X.wasm
#                --manifest manifest.webmanifest --worker sw.js
#                --policy content-security-policy
#                --asset LOGICAL=FILE ... --copy LOGICAL=FILE ... [--variant TEXT]
# An asset is named by its content; a copy (the fonts' licences) keeps its
# name and stays out of the worker's list. A variant, a comment in the
# module's script, makes a build that differs from the one without it: the
# tests' next release.
import argparse
import base64
import html
import hashlib
import json
import os
import re
import shutil

parser = argparse.ArgumentParser()
for option in ("out", "template", "form-html", "form-menu", "form-css", "facts", "style", "loader", "module-js",
               "module-wasm", "manifest", "worker", "policy"):
    parser.add_argument("--" + option, required=True)
parser.add_argument("--asset", action="append", default=[])
parser.add_argument("--copy", action="append", default=[])
parser.add_argument("--variant", default="")
args = parser.parse_args()


def read(path, mode="r"):
    with open(path, mode, **({} if "b" in mode else {"encoding": "utf-8"})) as f:
        return f.read()


names = {}      # logical path -> name on the site
contents = {}   # name on the site -> bytes


def digest(data):
    return hashlib.sha256(data).hexdigest()[:10]


def add(logical, data):
    """Names a file by its content and keeps it for writing."""
    stem, ext = os.path.splitext(logical)
    name = f"{stem}.{digest(data)}{ext}"
    names[logical] = name
    contents[name] = data


def rewrite(text):
    """Replaces every reference to a named file by its name on the site."""
    for logical in sorted(names, key=len, reverse=True):
        text = re.sub(r'(?<![\w./-])' + re.escape(logical) + r'(?![\w.-])', names[logical], text)
    return text


# Files without references first, then those that refer to them.
for pair in args.asset:
    logical, path = pair.split("=", 1)
    add(logical, read(path, "rb"))
module_js = os.path.basename(args.module_js)
add(os.path.basename(args.module_wasm), read(args.module_wasm, "rb"))
variant = f"/* {args.variant} */\n" if args.variant else ""
add(module_js, (rewrite(read(args.module_js)) + variant).encode())
# Inline, every byte comes before the first paint: the comments stay in
# the sources.
style = re.sub(r"/\*.*?\*/\n?", "", rewrite(read(args.style) + read(args.form_css)), flags=re.S)
loader = "".join(line for line in read(args.loader).splitlines(True) if not line.lstrip().startswith("//"))


def allowed(text):
    """The policy's source for an inline element of exactly that text."""
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode() + "'"


directives = [line.replace("@SCRIPT_HASHES@", allowed(loader)).replace("@STYLE_HASHES@", allowed(style))
              for line in read(args.policy).splitlines() if line.strip()]
policy = "; ".join(directives)
page_policy = "; ".join(d for d in directives if not d.startswith("frame-ancestors "))

facts = json.loads(read(args.facts))
ground = "#{:02x}{:02x}{:02x}".format(*facts["ground"])


def filled(text, values):
    """The text with each @NAME@ replaced by its value, in one pass, so that
    no value is read for placeholders itself."""
    def value(match):
        if match.group(1) not in values:
            raise SystemExit(f"make_site.py: {match.group(0)} left unfilled")
        return values[match.group(1)]
    return re.sub(r"@([A-Z_]+)@", value, text)


def attribute(text):
    """Text for an attribute's value in double quotes."""
    return html.escape(text, quote=False).replace('"', "&quot;")


manifest = filled(rewrite(read(args.manifest)), {"CAPTION": facts["caption"], "GROUND": ground}).encode()
page = filled(rewrite(read(args.template)), {
    "POLICY": attribute(page_policy),
    "CAPTION": attribute(facts["caption"]),
    "GROUND": ground,
    "INTERNAL_ERROR": attribute(facts["internalError"]),
    "MODULE_JS": names[module_js],
    "FORM": rewrite(read(args.form_html)),
    "MENU": read(args.form_menu),
    # Exactly the texts hashed above.
    "STYLE": style,
    "LOADER": loader,
}).encode()

build = digest(page + manifest + "".join(sorted(contents)).encode())
files = ["./", "manifest.webmanifest"] + sorted(contents)
worker = (read(args.worker)
          .replace("'@CACHE@'", json.dumps("galgen-" + build))
          .replace("@FILES@", json.dumps(files))).encode()

if os.path.isdir(args.out):
    shutil.rmtree(args.out)
outputs = dict(contents)
outputs.update({"index.html": page, "manifest.webmanifest": manifest, "sw.js": worker,
                "content-security-policy": (policy + "\n").encode()})
for pair in args.copy:
    logical, path = pair.split("=", 1)
    outputs[logical] = read(path, "rb")
for name, data in outputs.items():
    path = os.path.join(args.out, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
