#!/usr/bin/env python3
"""Prints "TOP HEIGHT LEFT WIDTH" of the area where two window shots of one size differ
(images read through ImageMagick's convert); exits 1 when they are the same."""
import subprocess
import sys


def load(shot):
    size = subprocess.run(["identify", "-format", "%w %h", shot], capture_output=True,
                          text=True, check=True).stdout.split()
    rgb = subprocess.run(["convert", shot, "-depth", "8", "rgb:-"], capture_output=True,
                         check=True).stdout
    return int(size[0]), int(size[1]), rgb


w, h, a = load(sys.argv[1])
w2, h2, b = load(sys.argv[2])
if (w, h) != (w2, h2):
    sys.exit("the shots differ in size")
changed = [i // 3 for i in range(0, len(a), 3) if a[i : i + 3] != b[i : i + 3]]
if not changed:
    sys.exit(1)
xs = [i % w for i in changed]
ys = [i // w for i in changed]
print(min(ys), max(ys) - min(ys) + 1, min(xs), max(xs) - min(xs) + 1)
