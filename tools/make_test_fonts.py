#!/usr/bin/env python3
"""Writes small fonts with unique family names, for tests and benchmarks
that must know exactly which families a run registers.

usage: make_test_fonts.py OUT_DIR PREFIX COUNT [--kind ttf|otf] [--folders N]
                          [--name FAMILY=FILE ...]
Writes PREFIX0000.ttf ... with families "PREFIX0000" ..., spread in turn
over N sub-folders sub00, sub01, ... when --folders is given; .otf files
with PostScript (CFF) outlines for --kind otf. Plus one font per --name
option (a family name may hold any Unicode text); the kind follows the
file's extension: .ttf, .otf, or .ttc, a collection of one face per family
in FAMILY, which separates them with "+".
"""
import argparse
import os

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.t2CharStringPen import T2CharStringPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib.ttCollection import TTCollection


def square(pen):
    pen.moveTo((100, 0))
    pen.lineTo((100, 700))
    pen.lineTo((500, 700))
    pen.lineTo((500, 0))
    pen.closePath()


def make_font(family, cff=False):
    fb = FontBuilder(1000, isTTF=not cff)
    fb.setupGlyphOrder([".notdef", "A"])
    fb.setupCharacterMap({ord("A"): "A"})
    if cff:
        pen = T2CharStringPen(600, None)
        square(pen)
        glyph = pen.getCharString()
        fb.setupCFF(family.replace(" ", ""), {"FullName": family}, {".notdef": glyph, "A": glyph}, {})
    else:
        pen = TTGlyphPen(None)
        square(pen)
        glyph = pen.glyph()
        fb.setupGlyf({".notdef": glyph, "A": glyph})
    fb.setupHorizontalMetrics({".notdef": (600, 100), "A": (600, 100)})
    fb.setupHorizontalHeader(ascent=800, descent=-200)
    fb.setupNameTable({"familyName": family, "styleName": "Regular"})
    fb.setupOS2(sTypoAscender=800, sTypoDescender=-200, usWinAscent=800, usWinDescent=200)
    fb.setupPost()
    return fb.font


def build_font(path, family):
    kind = os.path.splitext(path)[1].lower()
    if kind == ".ttc":
        collection = TTCollection()
        collection.fonts = [make_font(face) for face in family.split("+")]
        collection.save(path)
    else:
        make_font(family, cff=kind == ".otf").save(path)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("prefix")
    parser.add_argument("count", type=int)
    parser.add_argument("--kind", choices=["ttf", "otf"], default="ttf")
    parser.add_argument("--folders", type=int, default=0)
    parser.add_argument("--name", action="append", default=[])
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for i in range(args.count):
        name = f"{args.prefix}{i:04d}"
        folder = os.path.join(args.out, f"sub{i % args.folders:02d}") if args.folders else args.out
        os.makedirs(folder, exist_ok=True)
        build_font(os.path.join(folder, f"{name}.{args.kind}"), name)
    for item in args.name:
        family, file = item.split("=", 1)
        build_font(os.path.join(args.out, file), family)


if __name__ == "__main__":
    main()
