#!/usr/bin/env python3
"""Draws the tray icon: a dark rounded plate with the strip's own lines on it (an orange time bar,
a thin yellow separator, two green event bars), written as an .ico file holding one 64 x 64 image
of 32 bits per pixel. Run it to regenerate tray_icon.ico; the build embeds the committed file."""

import struct
import sys

SIZE = 64
SAMPLES = 4  # per axis, for smooth edges


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


# Shapes from the bottom up: (test, (r, g, b, a)).
SHAPES = [
    (rounded_rect(2, 2, 62, 62, 11), (34, 40, 49, 235)),
    (rounded_rect(9, 11, 46, 21, 5), (255, 102, 0, 255)),
    (rounded_rect(9, 26, 55, 28, 1), (255, 255, 102, 255)),
    (rounded_rect(9, 33, 55, 43, 5), (0, 153, 102, 255)),
    (rounded_rect(17, 48, 55, 58, 5), (0, 153, 102, 255)),
]


def pixel(px, py):
    acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied
    n = SAMPLES * SAMPLES
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            x = px + (sx + 0.5) / SAMPLES
            y = py + (sy + 0.5) / SAMPLES
            c = [0.0, 0.0, 0.0, 0.0]
            for test, (r, g, b, a) in SHAPES:
                if test(x, y):
                    al = a / 255.0
                    c = [r * al + c[0] * (1 - al), g * al + c[1] * (1 - al), b * al + c[2] * (1 - al),
                         al + c[3] * (1 - al)]
            for i in range(4):
                acc[i] += c[i] / n
    alpha = acc[3]
    if alpha <= 0:
        return (0, 0, 0, 0)
    return tuple(int(round(min(255.0, v / alpha))) for v in acc[:3]) + (int(round(alpha * 255)),)


def icon_bytes():
    xor = bytearray()
    and_mask = bytearray()
    for row in range(SIZE - 1, -1, -1):  # bottom-up, as in a BMP
        bits = 0
        for col in range(SIZE):
            r, g, b, a = pixel(col, row)
            xor += bytes((b, g, r, a))
            bits = (bits << 1) | (1 if a == 0 else 0)
        and_mask += bits.to_bytes(SIZE // 8, "big")  # 64 bits: already a multiple of 32
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    image = header + bytes(xor) + bytes(and_mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22)
    return directory + image


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "tray_icon.ico"
    data = icon_bytes()
    assert len(data) == 16958, len(data)
    with open(out, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
