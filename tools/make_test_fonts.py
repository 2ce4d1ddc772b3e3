#!/usr/bin/env python3
"""Writes small TrueType fonts with unique family names, for tests and
benchmarks that must know exactly which families a run registers.

usage: make_test_fonts.py OUT_DIR PREFIX COUNT [--name FAMILY=FILE ...]
Writes PREFIX0000.ttf ... with families "PREFIX0000" ..., plus one font per
--name option (a family name may hold any Unicode text).
"""
import argparse
import os

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen


def square():
    pen = TTGlyphPen(None)
    pen.moveTo((100, 0))
    pen.lineTo((100, 700))
    pen.lineTo((500, 700))
    pen.lineTo((500, 0))
    pen.closePath()
    return pen.glyph()


def build_font(path, family):
    fb = FontBuilder(1000, isTTF=True)
    fb.setupGlyphOrder([".notdef", "A"])
    fb.setupCharacterMap({ord("A"): "A"})
    glyph = square()
    fb.setupGlyf({".notdef": glyph, "A": glyph})
    fb.setupHorizontalMetrics({".notdef": (600, 100), "A": (600, 100)})
    fb.setupHorizontalHeader(ascent=800, descent=-200)
    fb.setupNameTable({"familyName": family, "styleName": "Regular"})
    fb.setupOS2(sTypoAscender=800, sTypoDescender=-200, usWinAscent=800, usWinDescent=200)
    fb.setupPost()
    fb.save(path)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("prefix")
    parser.add_argument("count", type=int)
    parser.add_argument("--name", action="append", default=[])
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for i in range(args.count):
        name = f"{args.prefix}{i:04d}"
        build_font(os.path.join(args.out, name + ".ttf"), name)
    for item in args.name:
        family, file = item.split("=", 1)
        build_font(os.path.join(args.out, file), family)


if __name__ == "__main__":
    main()
