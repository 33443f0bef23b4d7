#!/usr/bin/env python3
"""Renders the program's pictures from open icon libraries into resources/.

Sources (installed from the npm registry into a scratch folder; the build never
needs them, it compiles the committed PNG files):
  @tabler/icons                  (MIT)       generic outline and filled symbols
  simple-icons                   (CC0 1.0)   brand marks, drawn on their brand colour
  @fortawesome/fontawesome-free  (CC BY 4.0) brand marks that simple-icons lacks
A monogram tile stands in only where no library has the mark.
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
PACKAGES = ["@tabler/icons@3.54.0", "simple-icons@16.37.0", "@fortawesome/fontawesome-free@7.3.1"]
WHITE = "#ffffff"


def ensure_packages(npm_dir):
    modules = os.path.join(npm_dir, "node_modules")
    wanted = ["@tabler/icons", "simple-icons", "@fortawesome/fontawesome-free"]
    if not all(os.path.isdir(os.path.join(modules, name)) for name in wanted):
        os.makedirs(npm_dir, exist_ok=True)
        subprocess.run(["npm", "install", "--no-audit", "--no-fund", "--prefix", npm_dir] + PACKAGES,
                       check=True)
    return modules


def svg_parts(text):
    """The viewBox and the inner markup of an SVG file, without titles and comments."""
    view_box = re.search(r'viewBox="([^"]+)"', text).group(1)
    body = re.sub(r"^.*?<svg[^>]*>", "", text, flags=re.S)
    body = re.sub(r"</svg>\s*$", "", body, flags=re.S)
    body = re.sub(r"<title>.*?</title>|<!--.*?-->", "", body, flags=re.S)
    return view_box, body


class Glyph:
    def __init__(self, view_box, markup, brand=None):
        self.view_box = view_box
        self.markup = markup
        self.brand = brand

    def placed(self, x, y, size):
        return '<svg x="%g" y="%g" width="%g" height="%g" viewBox="%s">%s</svg>' % (
            x, y, size, size, self.view_box, self.markup)


class Library:
    def __init__(self, modules):
        self.modules = modules
        with open(os.path.join(modules, "simple-icons", "data", "simple-icons.json")) as f:
            self.brand_hex = {entry["slug"]: "#" + entry["hex"] for entry in json.load(f)}

    def read(self, *parts):
        with open(os.path.join(self.modules, *parts)) as f:
            return svg_parts(f.read())

    def glyph(self, source, colour):
        kind, _, name = source.partition(":")
        if kind == "tabler":
            view_box, body = self.read("@tabler", "icons", "icons", "outline", name + ".svg")
            return Glyph(view_box, '<g fill="none" stroke="%s" stroke-width="2" stroke-linecap="round" '
                         'stroke-linejoin="round">%s</g>' % (colour, body))
        if kind == "tablerf":
            view_box, body = self.read("@tabler", "icons", "icons", "filled", name + ".svg")
            return Glyph(view_box, '<g fill="%s" stroke="none">%s</g>' % (
                colour, body.replace('fill="currentColor"', "")))
        if kind == "si":
            view_box, body = self.read("simple-icons", "icons", name + ".svg")
            return Glyph(view_box, '<g fill="%s">%s</g>' % (colour, body), self.brand_hex.get(name))
        if kind == "fa":
            view_box, body = self.read("@fortawesome", "fontawesome-free", "svgs", "brands", name + ".svg")
            return Glyph(view_box, '<g fill="%s">%s</g>' % (colour, body.replace('fill="currentColor"', "")))
        if kind == "mono":
            size = {1: 15, 2: 12, 3: 9}.get(len(name), 7)
            return Glyph("0 0 24 24", '<text x="12" y="12" dy="0.36em" text-anchor="middle" '
                         'font-family="DejaVu Sans" font-weight="bold" font-size="%d" fill="%s">%s</text>'
                         % (size, colour, name))
        raise ValueError("unknown source " + source)


def svg(size, view, content):
    return '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">%s</svg>' % (
        size, size, view, view, content)


SHADE = ('<defs><linearGradient id="shade" x1="0" y1="0" x2="0" y2="1">'
         '<stop offset="0" stop-color="#ffffff" stop-opacity="0.22"/>'
         '<stop offset="1" stop-color="#000000" stop-opacity="0.12"/></linearGradient></defs>')


def compose(lib, style, source, colour, size):
    glyph = lib.glyph(source, WHITE)
    background = glyph.brand if colour == "brand" else colour
    if style == "tile":  # items and the application: a rounded square
        return svg(size, 64, SHADE + '<rect x="3" y="3" width="58" height="58" rx="13" fill="%s"/>'
                   '<rect x="3" y="3" width="58" height="58" rx="13" fill="url(#shade)"/>%s'
                   % (background, glyph.placed(14, 14, 36)))
    if style == "disc":  # labels and message pictures: a circle
        return svg(size, 64, SHADE + '<circle cx="32" cy="32" r="29" fill="%s"/>'
                   '<circle cx="32" cy="32" r="29" fill="url(#shade)"/>%s'
                   % (background, glyph.placed(15, 15, 34)))
    if style == "folder":  # folders: a folder shape carrying the theme's symbol
        shape = lib.glyph("tablerf:folder", background)
        return svg(size, 64, shape.placed(-2, -4, 68) + glyph.placed(20, 22, 24))
    if style == "glyph":  # toolbar pictures: the symbol alone
        return svg(size, 24, lib.glyph(source, colour).placed(0, 0, 24))
    raise ValueError("unknown style " + style)


def write_qrc():
    """Lists every picture under resources/ in kelvaron.qrc, at its own resource path."""
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


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--npm-dir", default=os.path.join(tempfile.gettempdir(), "kelvaron-icon-sources"))
    args = parser.parse_args()
    lib = Library(ensure_packages(args.npm_dir))
    count = 0
    with open(os.path.join(HERE, "icons.tsv")) as table:
        for line in table:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            output, style, source, colour, size = line.split("\t")
            target = os.path.join(RESOURCES, output)
            os.makedirs(os.path.dirname(target), exist_ok=True)
            subprocess.run(["rsvg-convert", "-w", size, "-h", size, "-o", target],
                           input=compose(lib, style, source, colour, int(size)).encode(), check=True)
            count += 1
    subprocess.run([sys.executable, os.path.join(HERE, "render_heron.py")], check=True)
    write_qrc()
    print("rendered %d pictures and the heron" % count)


if __name__ == "__main__":
    sys.exit(main())
