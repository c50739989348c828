#!/usr/bin/env python3
"""Draws FtpConfig's icon (a camera with an upload arrow) into res/FtpConfig.ico.

Four images, 16/32/48/64 px, each a 32-bit BGRA DIB with its AND mask, drawn
with 4x4 supersampling so the edges are smooth at every size. Run it again
after changing the drawing and commit the .ico: builds only read the file.
Usage: make_icon.py [output.ico]
"""
import os
import struct
import sys

SIZES = (16, 32, 48, 64)
SUPERSAMPLE = 4

# Colours as (r, g, b).
BODY = (52, 73, 94)
BODY_EDGE = (33, 47, 61)
LENS_RING = (189, 195, 199)
LENS_GLASS = (41, 128, 185)
LENS_GLINT = (236, 240, 241)
FLASH = (241, 196, 15)
ARROW = (39, 174, 96)
ARROW_EDGE = (30, 132, 73)


def inside_round_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def inside_circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r ** 2


def inside_arrow(x, y, grow=0.0):
    """Upward arrow in the top right: a triangle head over a shaft."""
    # Head: apex (0.76, 0.05), base from 0.58 to 0.94 at y = 0.27.
    apex_y, base_y, mid_x, half = 0.05 - grow, 0.27 + grow, 0.76, 0.18 + grow
    if apex_y <= y <= base_y:
        t = (y - apex_y) / (base_y - apex_y)
        if abs(x - mid_x) <= half * t:
            return True
    shaft_half = 0.07 + grow
    return abs(x - mid_x) <= shaft_half and base_y - 0.01 <= y <= 0.46 + grow


def colour_at(x, y):
    """Colour and coverage (0 or 1) of one sample at unit coordinates."""
    if inside_arrow(x, y):
        return ARROW, 1
    if inside_arrow(x, y, grow=0.035):
        return ARROW_EDGE, 1
    if inside_circle(x, y, 0.44, 0.62, 0.11):
        if inside_circle(x, y, 0.40, 0.58, 0.035):
            return LENS_GLINT, 1
        return LENS_GLASS, 1
    if inside_circle(x, y, 0.44, 0.62, 0.19):
        return LENS_RING, 1
    if inside_round_rect(x, y, 0.10, 0.34, 0.26, 0.42, 0.02):
        return FLASH, 1
    if inside_round_rect(x, y, 0.06, 0.38, 0.84, 0.90, 0.08):
        return BODY, 1
    if inside_round_rect(x, y, 0.04, 0.36, 0.86, 0.92, 0.09):
        return BODY_EDGE, 1
    # Viewfinder hump on top of the body.
    if inside_round_rect(x, y, 0.26, 0.28, 0.52, 0.40, 0.03):
        return BODY_EDGE, 1
    return (0, 0, 0), 0


def render(size):
    """Rows top to bottom of (b, g, r, a) tuples, premultiplied averaging."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = covered = 0
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) / size
                    y = (py + (sy + 0.5) / n) / size
                    (cr, cg, cb), c = colour_at(x, y)
                    r += cr * c
                    g += cg * c
                    b += cb * c
                    covered += c
            if covered:
                pixel = (b // covered, g // covered, r // covered, covered * 255 // (n * n))
            else:
                pixel = (0, 0, 0, 0)
            row.append(pixel)
        rows.append(row)
    return rows


def dib(size):
    """BITMAPINFOHEADER, bottom-up BGRA pixels and the 1-bit AND mask."""
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for row in reversed(rows):
        for pixel in row:
            xor += bytes(pixel)
        bits = bytearray(mask_stride)
        for px, pixel in enumerate(row):
            if pixel[3] == 0:  # fully transparent: shows the background
                bits[px // 8] |= 0x80 >> (px % 8)
        mask += bits
    return header + bytes(xor) + bytes(mask)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "FtpConfig.ico")
    images = [dib(size) for size in SIZES]
    data = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        data += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    for image in images:
        data += image
    with open(out, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
