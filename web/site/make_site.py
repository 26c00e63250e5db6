#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a site of the web edition: the page with the form's markup inside,
# and every file it uses beside it, each named by its content (NAME.HASH.EXT)
# except the page, the manifest and the service worker, which hosts
# revalidate. References between the files are rewritten to those names,
# and the service worker learns the whole list under a cache named for the
# build.
#   make_site.py --out DIR --template index.html.in --form-html F --form-css F
#                --style style.css --loader loader.js --module-js X.js
#                --module-wasm X.wasm --manifest manifest.webmanifest
#                --worker sw.js --policy POLICY
#                --asset LOGICAL=FILE ... --copy LOGICAL=FILE ... [--variant TEXT]
# An asset is named by its content; a copy (the fonts' licences) keeps its
# name and stays out of the worker's list. A variant, a comment in the style
# sheet, makes a build that differs from the one without it: the tests'
# next release.
import argparse
import hashlib
import json
import os
import re
import shutil

parser = argparse.ArgumentParser()
for option in ("out", "template", "form-html", "form-css", "style", "loader", "module-js", "module-wasm",
               "manifest", "worker", "policy"):
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
add(module_js, rewrite(read(args.module_js)).encode())
variant = f"/* {args.variant} */\n" if args.variant else ""
add("style.css", rewrite(read(args.style) + read(args.form_css) + variant).encode())
add("loader.js", read(args.loader).encode())

manifest = rewrite(read(args.manifest)).encode()
page = (read(args.template)
        .replace("@POLICY@", args.policy)
        .replace("@MODULE_JS@", module_js)
        .replace("@FORM@", read(args.form_html)))
page = rewrite(page).encode()
for placeholder in re.findall(rb"@[A-Z_]+@", page):
    raise SystemExit(f"make_site.py: {placeholder.decode()} left in the page")

build = digest(page + manifest + "".join(sorted(contents)).encode())
files = ["./", "manifest.webmanifest"] + sorted(contents)
worker = (read(args.worker)
          .replace("'@CACHE@'", json.dumps("galgen-" + build))
          .replace("@FILES@", json.dumps(files))).encode()

if os.path.isdir(args.out):
    shutil.rmtree(args.out)
outputs = dict(contents)
outputs.update({"index.html": page, "manifest.webmanifest": manifest, "sw.js": worker})
for pair in args.copy:
    logical, path = pair.split("=", 1)
    outputs[logical] = read(path, "rb")
for name, data in outputs.items():
    path = os.path.join(args.out, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
