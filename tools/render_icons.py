#!/usr/bin/env python3
"""Renders the program's pictures from open icon libraries into resources/.

Sources (installed from the npm registry into a scratch folder, never at build time):
  @tabler/icons  (MIT)  generic outline and filled symbols
  simple-icons   (CC0)  brand marks, drawn on their brand colour
The table of what is drawn from where is tools/icons.tsv; every source and
licence is recorded in resources/ATTRIBUTION.md.

Usage: tools/render_icons.py [--npm-dir DIR]
Needs rsvg-convert (Debian package librsvg2-bin) and npm.
"""
import argparse
import json
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
RESOURCES = os.path.join(ROOT, "resources")
PACKAGES = ["@tabler/icons@3.54.0", "simple-icons@16.37.0"]


def ensure_packages(npm_dir):
    modules = os.path.join(npm_dir, "node_modules")
    if not os.path.isdir(os.path.join(modules, "@tabler", "icons")) or not os.path.isdir(
        os.path.join(modules, "simple-icons")
    ):
        os.makedirs(npm_dir, exist_ok=True)
        subprocess.run(["npm", "install", "--no-audit", "--no-fund", "--prefix", npm_dir] + PACKAGES,
                       check=True)
    return modules


def inner_svg(text):
    body = re.sub(r"^.*?<svg[^>]*>", "", text, flags=re.S)
    body = re.sub(r"</svg>\s*$", "", body, flags=re.S)
    body = re.sub(r"<title>.*?</title>", "", body, flags=re.S)
    return body


class Library:
    def __init__(self, modules):
        self.modules = modules
        with open(os.path.join(modules, "simple-icons", "data", "simple-icons.json")) as f:
            data = json.load(f)
        entries = data if isinstance(data, list) else data.get("icons", [])
        self.brand_hex = {}
        for entry in entries:
            slug = entry.get("slug") or self.slugify(entry["title"])
            self.brand_hex[slug] = "#" + entry["hex"]

    @staticmethod
    def slugify(title):
        return re.sub(r"[^a-z0-9]", "", title.lower().replace("+", "plus").replace(".", "dot"))

    def glyph(self, source, colour):
        """Returns (svg body drawn in a 24x24 box, default colour)."""
        kind, _, name = source.partition(":")
        if kind == "tabler":
            path = os.path.join(self.modules, "@tabler", "icons", "icons", "outline", name + ".svg")
            body = inner_svg(open(path).read())
            return ('<g fill="none" stroke="%s" stroke-width="2" stroke-linecap="round" '
                    'stroke-linejoin="round">%s</g>' % (colour, body)), None
        if kind == "tablerf":
            path = os.path.join(self.modules, "@tabler", "icons", "icons", "filled", name + ".svg")
            body = inner_svg(open(path).read())
            return '<g fill="%s" stroke="none">%s</g>' % (colour, body), None
        if kind == "si":
            path = os.path.join(self.modules, "simple-icons", "icons", name + ".svg")
            body = inner_svg(open(path).read())
            return '<g fill="%s">%s</g>' % (colour, body), self.brand_hex.get(name)
        if kind == "mono":
            size = 13 if len(name) <= 2 else 10 if len(name) == 3 else 8
            return ('<text x="12" y="12" dy="0.36em" text-anchor="middle" font-family="DejaVu Sans" '
                    'font-weight="bold" font-size="%d" fill="%s">%s</text>' % (size, colour, name)), None
        raise ValueError("unknown source " + source)


def compose(lib, style, source, colour, size):
    if style == "tile":
        _, brand = lib.glyph(source, "#ffffff")
        background = colour if colour != "brand" else (brand or "#546e7a")
        glyph, _ = lib.glyph(source, "#ffffff")
        return ('<svg xmlns="http://www.w3.org/2000/svg" width="{s}" height="{s}" viewBox="0 0 64 64">'
                '<defs><linearGradient id="g" x1="0" y1="0" x2="0" y2="1">'
                '<stop offset="0" stop-color="#ffffff" stop-opacity="0.18"/>'
                '<stop offset="1" stop-color="#000000" stop-opacity="0.10"/></linearGradient></defs>'
                '<rect x="3" y="3" width="58" height="58" rx="13" fill="{bg}"/>'
                '<rect x="3" y="3" width="58" height="58" rx="13" fill="url(#g)"/>'
                '<svg x="15" y="15" width="34" height="34" viewBox="0 0 24 24">{glyph}</svg></svg>'
                ).format(s=size, bg=background, glyph=glyph)
    if style == "glyph":
        glyph, brand = lib.glyph(source, colour if colour != "brand" else "#000000")
        if colour == "brand":
            glyph, _ = lib.glyph(source, brand or "#37474f")
        return ('<svg xmlns="http://www.w3.org/2000/svg" width="{s}" height="{s}" viewBox="0 0 24 24">'
                '{glyph}</svg>').format(s=size, glyph=glyph)
    if style == "disc":
        glyph, _ = lib.glyph(source, "#ffffff")
        return ('<svg xmlns="http://www.w3.org/2000/svg" width="{s}" height="{s}" viewBox="0 0 64 64">'
                '<circle cx="32" cy="32" r="29" fill="{bg}"/>'
                '<svg x="14" y="14" width="36" height="36" viewBox="0 0 24 24">{glyph}</svg></svg>'
                ).format(s=size, bg=colour, glyph=glyph)
    raise ValueError("unknown style " + style)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--npm-dir", default=os.path.join(tempfile.gettempdir(), "kelvaron-icon-sources"))
    args = parser.parse_args()
    lib = Library(ensure_packages(args.npm_dir))
    count = 0
    with open(os.path.join(HERE, "icons.tsv")) as table:
        for line in table:
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            output, style, source, colour, size = line.split("\t")
            svg = compose(lib, style, source, colour, int(size))
            target = os.path.join(RESOURCES, output)
            os.makedirs(os.path.dirname(target), exist_ok=True)
            subprocess.run(["rsvg-convert", "-w", size, "-h", size, "-o", target],
                           input=svg.encode(), check=True)
            count += 1
    write_qrc()
    print("rendered %d pictures" % count)


def write_qrc():
    """Lists every picture under resources/ in kelvaron.qrc, at its own path."""
    files = []
    for folder, _, names in os.walk(RESOURCES):
        for name in names:
            if name.endswith((".png", ".jpg")):
                files.append(os.path.relpath(os.path.join(folder, name), RESOURCES))
    lines = ['<!DOCTYPE RCC><RCC version="1.0">', '<qresource prefix="/">']
    lines += ["    <file>%s</file>" % f for f in sorted(files)]
    lines += ["</qresource>", "</RCC>", ""]
    with open(os.path.join(RESOURCES, "kelvaron.qrc"), "w") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    sys.exit(main())
