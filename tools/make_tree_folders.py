#!/usr/bin/env python3
"""Lays out two program folders whose "fonts" folders hold sub-folders, for
the tests of the install's walk through them. Made from Linux: links cannot
be made from inside Wine, and a deep tree takes minutes there.

OUT/links: fonts of every kind at several depths, a link from a sub-folder
back to its parent (a loop) and a link out of the fonts folder to one that
holds a font of its own (never to be registered).
OUT/deep: a chain of DEPTH nested folders with an empty .otf at each level,
and WIDE folders of 1,000 entries each, one in 100 of them an empty .ttf.

usage: make_tree_folders.py OUT_DIR TEST_FONTS_DIR DEPTH WIDE
"""
import os
import shutil
import sys


def links(out, fonts_dir):
    fonts = os.path.join(out, "fonts")
    family = os.path.join(fonts, "Family-1.000")
    os.makedirs(os.path.join(family, "deeper"))
    os.makedirs(os.path.join(out, "outside"))
    copy = lambda name, to: shutil.copyfile(os.path.join(fonts_dir, name), to)
    copy("MirvOtf.otf", os.path.join(fonts, "MirvOtf.otf"))
    copy("MirvTtc.ttc", os.path.join(fonts, "MirvTtc.ttc"))
    copy("MirvTest0000.ttf", os.path.join(family, "MirvTest0000.ttf"))
    copy("MirvTest0001.ttf", os.path.join(family, "deeper", "MirvTest0001.TTF"))
    copy("MirvTest0002.ttf", os.path.join(out, "outside", "MirvTest0002.ttf"))
    os.symlink("..", os.path.join(family, "deeper", "up"))
    os.symlink(os.path.join("..", "outside"), os.path.join(fonts, "out"))


def deep(out, depth, wide):
    fonts = os.path.join(out, "fonts")
    for w in range(wide):
        folder = os.path.join(fonts, "wide", f"w{w:03d}")
        os.makedirs(folder)
        for i in range(1000):
            open(os.path.join(folder, f"{i:03d}.ttf" if i % 100 == 0 else f"{i:03d}.txt"), "wb").close()
    # Each level is opened relative to the one above: the whole path soon
    # passes what one system call takes.
    level = os.open(fonts, os.O_RDONLY)
    for i in range(depth):
        os.mkdir("d", dir_fd=level)
        below = os.open("d", os.O_RDONLY, dir_fd=level)
        os.close(level)
        level = below
        os.close(os.open(f"{i:05d}.otf", os.O_CREAT | os.O_WRONLY, dir_fd=level))
    os.close(level)


def main():
    out, fonts_dir, depth, wide = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    shutil.rmtree(out, ignore_errors=True)
    links(os.path.join(out, "links"), fonts_dir)
    deep(os.path.join(out, "deep"), depth, wide)


if __name__ == "__main__":
    main()
