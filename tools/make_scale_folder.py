#!/usr/bin/env python3
"""Lays out a program folder whose "fonts" folder holds COUNT empty *.ttf
files, and a "VevoDider" folder that links to it, for the tests that count
and walk tens of thousands of entries. Made from Linux because creating that
many files from inside Wine takes minutes.

usage: make_scale_folder.py OUT_DIR COUNT
"""
import os
import shutil
import sys


def main():
    out, count = sys.argv[1], int(sys.argv[2])
    shutil.rmtree(out, ignore_errors=True)
    fonts = os.path.join(out, "fonts")
    os.makedirs(fonts)
    for i in range(count):
        open(os.path.join(fonts, f"{100000 + i}.ttf"), "wb").close()
    os.symlink("fonts", os.path.join(out, "VevoDider"))


if __name__ == "__main__":
    main()
