#!/usr/bin/env python3
"""Lays out a program folder whose "fonts" folder holds COUNT font files
under distinct names, taken in turn from the *.ttf files of the SOURCE
folders: real fonts for the benchmarks, or more files than there are
families. Real copies, not links: Wine loads a file it already has (same
device and inode) only once, so links would measure nothing.

usage: make_font_copies.py OUT_DIR COUNT SOURCE_DIR...
"""
import os
import shutil
import sys


def main():
    out, count, sources = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
    files = sorted(os.path.join(d, f) for d in sources for f in os.listdir(d) if f.lower().endswith(".ttf"))
    if not files:
        sys.exit(f"no .ttf files in {' '.join(sources)}")
    shutil.rmtree(out, ignore_errors=True)
    fonts = os.path.join(out, "fonts")
    os.makedirs(fonts)
    for i in range(count):
        source = files[i % len(files)]
        target = os.path.join(fonts, f"{i:05d}-{os.path.basename(source)}")
        shutil.copyfile(source, target)


if __name__ == "__main__":
    main()
