#!/usr/bin/env python3
"""Fills the unfinished entries of resources/kelvaron_ru.ts from a table.

Usage: tools/fill_translations.py TABLE.tsv
TABLE.tsv holds one "English<TAB>Russian" pair a line; \\n stands for a line break. Run lupdate first
(see tests/CMakeLists.txt for its options), then this script.
"""
import html
import re
import sys

CATALOGUE = "resources/kelvaron_ru.ts"


def main():
    pairs = {}
    with open(sys.argv[1], encoding="utf-8") as table:
        for line in table:
            if line.strip():
                source, translation = line.rstrip("\n").replace("\\n", "\n").split("\t")
                pairs[source] = translation
    text = open(CATALOGUE, encoding="utf-8").read()
    pattern = re.compile(
        r'(<source>([^<]*)</source>\s*<translation) type="unfinished">(.*?)(</translation>)', re.S)

    def fill(match):
        source = html.unescape(match.group(2))
        if source not in pairs:
            print("no translation for:", source, file=sys.stderr)
            return match.group(0)
        return match.group(1) + ">" + html.escape(pairs[source], quote=False) + match.group(4)

    text = pattern.sub(fill, text)
    open(CATALOGUE, "w", encoding="utf-8").write(text)


if __name__ == "__main__":
    main()
