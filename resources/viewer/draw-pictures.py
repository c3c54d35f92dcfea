#!/usr/bin/env python3
"""Draws the viewer window's four button pictures as 24-bit PNG files.

The grey of the top-left pixel is the pictures' background: the window
treats that colour as transparent, as graphical buttons do.
Run from this folder: python3 draw-pictures.py
"""
import struct
import zlib

BACK = (192, 192, 192)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
GREY = (128, 128, 128)


def canvas(width, height):
    return [[BACK for _ in range(width)] for _ in range(height)]


def rect(img, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = colour


def outline(img, x0, y0, x1, y1, colour):
    for x in range(x0, x1 + 1):
        img[y0][x] = img[y1][x] = colour
    for y in range(y0, y1 + 1):
        img[y][x0] = img[y][x1] = colour


def plot(img, points, colour):
    for x, y in points:
        img[y][x] = colour


def save(img, name):
    height, width = len(img), len(img[0])
    raw = b''.join(b'\x00' + bytes(c for px in row for c in px) for row in img)

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xffffffff)

    header = struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)  # 8 bits, RGB
    with open(name, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(raw, 9))
                + chunk(b'IEND', b''))


def page(img, x0, y0, x1, y1):
    rect(img, x0, y0, x1, y1, WHITE)
    outline(img, x0, y0, x1, y1, GREY)


def excel():
    img = canvas(16, 16)
    green, light = (0, 128, 0), (160, 220, 160)
    rect(img, 1, 1, 14, 14, light)
    for x in range(1, 15, 4):
        plot(img, [(x, y) for y in range(1, 15)], (90, 170, 90))
    for y in range(1, 15, 3):
        plot(img, [(x, y) for x in range(1, 15)], (90, 170, 90))
    outline(img, 1, 1, 14, 14, green)
    for i in range(10):
        for d in (0, 1):
            plot(img, [(3 + i + d, 3 + i), (12 - i + d, 3 + i)], green)
    save(img, 'excel.png')


def word():
    img = canvas(16, 16)
    page(img, 2, 1, 13, 14)
    plot(img, [(11, 1), (12, 1), (13, 1), (12, 2), (13, 2), (13, 3)], BACK)
    plot(img, [(11, 2), (11, 3), (12, 3)], GREY)
    blue = (0, 0, 192)
    w = [(3, 5), (3, 6), (4, 7), (4, 8), (4, 9), (5, 10), (5, 11), (6, 9), (6, 8), (7, 7), (7, 6),
         (8, 7), (8, 8), (9, 9), (10, 11), (10, 10), (11, 9), (11, 8), (11, 7), (12, 6), (12, 5)]
    plot(img, w, blue)
    plot(img, [(x + 1, y) for x, y in w if x < 12], blue)
    save(img, 'word.png')


def pdf():
    img = canvas(16, 16)
    red = (204, 0, 0)
    page(img, 2, 0, 13, 15)
    rect(img, 3, 1, 12, 4, red)
    # "PDF" in three-pixel letters under the band.
    p = [(3, 7), (3, 8), (3, 9), (3, 10), (3, 11), (4, 7), (5, 7), (5, 8), (4, 9), (5, 9)]
    d = [(7, 7), (7, 8), (7, 9), (7, 10), (7, 11), (8, 7), (9, 8), (9, 9), (9, 10), (8, 11)]
    f = [(11, 7), (11, 8), (11, 9), (11, 10), (11, 11), (12, 7), (12, 9)]
    plot(img, p + d + f, red)
    rect(img, 4, 13, 11, 13, (230, 150, 150))
    save(img, 'pdf.png')


def margins():
    img = canvas(22, 17)
    page(img, 2, 2, 21, 16)
    dots = (0, 0, 160)
    plot(img, [(x, 5) for x in range(5, 21, 2)], dots)
    plot(img, [(5, y) for y in range(5, 16, 2)], dots)
    save(img, 'margins.png')


if __name__ == '__main__':
    excel()
    word()
    pdf()
    margins()
