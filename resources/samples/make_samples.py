#!/usr/bin/env python3
"""Draws the sample cover set that ships with Orvella: four pictures and Sample.ovc.

    python3 make_samples.py            # writes the files next to this script
    python3 make_samples.py OUT        # writes them into the folder OUT

Everything is drawn here, with nothing but the standard library (PNG is written
with zlib), so the sample holds no picture that came from anywhere else. The
sizes keep each face's proportions on paper: Front and Inside are 120 mm
squares, the Back insert is 150 x 118 mm, the CD label a disc.
"""

import math
import struct
import sys
import zlib
from pathlib import Path

# A 5 x 7 pixel font: enough letters for titles and a track list.
FONT = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "F": ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    "G": ["01110", "10001", "10000", "10111", "10001", "10001", "01111"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "J": ["00111", "00010", "00010", "00010", "00010", "10010", "01100"],
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "N": ["10001", "10001", "11001", "10101", "10011", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    "Q": ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "W": ["10001", "10001", "10001", "10101", "10101", "10101", "01010"],
    "X": ["10001", "10001", "01010", "00100", "01010", "10001", "10001"],
    "Y": ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
    "Z": ["11111", "00001", "00010", "00100", "01000", "10000", "11111"],
    "0": ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    "3": ["11111", "00010", "00100", "00010", "00001", "10001", "01110"],
    "4": ["00010", "00110", "01010", "10010", "11111", "00010", "00010"],
    "5": ["11111", "10000", "11110", "00001", "00001", "10001", "01110"],
    "6": ["00110", "01000", "10000", "11110", "10001", "10001", "01110"],
    "7": ["11111", "00001", "00010", "00100", "01000", "01000", "01000"],
    "8": ["01110", "10001", "10001", "01110", "10001", "10001", "01110"],
    "9": ["01110", "10001", "10001", "01111", "00001", "00010", "01100"],
    " ": ["00000"] * 7,
    ".": ["00000", "00000", "00000", "00000", "00000", "01100", "01100"],
    ",": ["00000", "00000", "00000", "00000", "01100", "00100", "01000"],
    ":": ["00000", "01100", "01100", "00000", "01100", "01100", "00000"],
    "-": ["00000", "00000", "00000", "11111", "00000", "00000", "00000"],
    "'": ["01100", "00100", "01000", "00000", "00000", "00000", "00000"],
    "&": ["01100", "10010", "10100", "01000", "10101", "10010", "01101"],
    "/": ["00000", "00001", "00010", "00100", "01000", "10000", "00000"],
}


class Canvas:
    def __init__(self, width, height, color):
        self.width, self.height = width, height
        self.rows = [bytearray(bytes(color) * width) for _ in range(height)]

    def blend(self, x, y, color, alpha=1.0):
        if 0 <= x < self.width and 0 <= y < self.height and alpha > 0:
            row, i = self.rows[y], 3 * x
            if alpha >= 1:
                row[i:i + 3] = bytes(color)
            else:
                for c in range(3):
                    row[i + c] = int(row[i + c] * (1 - alpha) + color[c] * alpha + 0.5)

    def fill(self, shader):
        """Every pixel from shader(x, y) -> (r, g, b)."""
        for y in range(self.height):
            row = self.rows[y]
            for x in range(self.width):
                row[3 * x:3 * x + 3] = bytes(shader(x, y))

    def rect(self, x0, y0, x1, y1, color, alpha=1.0):
        for y in range(max(0, y0), min(self.height, y1)):
            if alpha >= 1:
                left, right = max(0, x0), min(self.width, x1)
                self.rows[y][3 * left:3 * right] = bytes(color) * (right - left)
            else:
                for x in range(max(0, x0), min(self.width, x1)):
                    self.blend(x, y, color, alpha)

    def disc(self, cx, cy, radius, shader):
        """A smooth-edged disc; shader(x, y, distance) gives each pixel's colour."""
        for y in range(max(0, int(cy - radius - 1)), min(self.height, int(cy + radius + 2))):
            for x in range(max(0, int(cx - radius - 1)), min(self.width, int(cx + radius + 2))):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                cover = min(1.0, max(0.0, radius - d + 0.5))
                if cover > 0:
                    self.blend(x, y, shader(x, y, d), cover)

    def text(self, x, y, text, scale, color, spacing=1, vertical=False):
        """Block letters; vertical text runs top to bottom, turned a quarter clockwise."""
        for ch in text.upper():
            glyph = FONT.get(ch, FONT[" "])
            for gy, line in enumerate(glyph):
                for gx, bit in enumerate(line):
                    if bit == "1":
                        if vertical:
                            px, py = x + (6 - gy) * scale, y + gx * scale
                        else:
                            px, py = x + gx * scale, y + gy * scale
                        self.rect(px, py, px + scale, py + scale, color)
            if vertical:
                y += (5 + spacing) * scale
            else:
                x += (5 + spacing) * scale

    @staticmethod
    def text_width(text, scale, spacing=1):
        return len(text) * (5 + spacing) * scale - spacing * scale

    def centred_text(self, cx, y, text, scale, color, spacing=1):
        self.text(cx - self.text_width(text, scale, spacing) // 2, y, text, scale, color, spacing)

    def png(self):
        raw = bytearray()
        previous = bytearray(3 * self.width)
        for row in self.rows:
            # The "up" filter suits smooth pictures; plain rows stay plain.
            up = bytes((a - b) & 0xFF for a, b in zip(row, previous))
            raw += b"\x02" + up
            previous = row
        def chunk(kind, data):
            return (struct.pack(">I", len(data)) + kind + data +
                    struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def mix(a, b, t):
    t = min(1.0, max(0.0, t))
    return tuple(int(a[i] + (b[i] - a[i]) * t + 0.5) for i in range(3))


def front():
    """Front: a sunset over a grid, with the title."""
    size, horizon = 1200, 820
    sky = [(18, 20, 66), (120, 38, 120), (236, 92, 96), (252, 176, 84)]
    c = Canvas(size, size, sky[0])

    def shade(x, y):
        if y < horizon:
            t = y / horizon * 3
            i = min(2, int(t))
            return mix(sky[i], sky[i + 1], t - i)
        return mix((40, 16, 64), (14, 8, 30), (y - horizon) / (size - horizon))
    c.fill(shade)

    def sun(x, y, d):
        return mix((255, 236, 120), (250, 96, 92), (y - 520) / 300)
    c.disc(600, horizon, 300, sun)
    # The sun sinks through bands of sky.
    for i, band_y in enumerate(range(horizon - 150, horizon, 34)):
        c.rect(300, band_y, 900, band_y + 4 + i * 2, shade(0, band_y))
    c.rect(0, horizon, size, size, (40, 16, 64))
    for y in range(horizon, size):
        c.rect(0, y, size, y + 1, shade(0, y))
    # The grid: lines that run to the vanishing point, and lines that close in on it.
    for k in range(-12, 13):
        for y in range(horizon, size):
            t = (y - horizon) / (size - horizon)
            x = 600 + k * 60 * (0.15 + 2.4 * t)
            c.blend(int(x), y, (255, 80, 200), 0.85)
            c.blend(int(x) + 1, y, (255, 80, 200), 0.35)
    depth = 1.0
    while depth < 40:
        y = horizon + int((size - horizon) * 2.4 / (depth + 1.4))
        if horizon < y < size:
            c.rect(0, y, size, y + 2, (255, 80, 200), 0.8)
        depth *= 1.45
    c.centred_text(600, 96, "ORVELLA", 22, (255, 244, 214), spacing=2)
    c.centred_text(600, 290, "SAMPLE COVER", 8, (255, 214, 170))
    return c


def inside():
    """Inside: liner notes on cream paper."""
    c = Canvas(1200, 1200, (246, 240, 226))
    ink, soft = (52, 44, 60), (140, 120, 120)
    c.rect(48, 48, 1152, 54, ink)
    c.rect(48, 1146, 1152, 1152, ink)
    c.centred_text(600, 110, "LINER NOTES", 12, ink, spacing=2)
    c.disc(600, 250, 14, lambda x, y, d: (214, 92, 96))
    notes = [
        "THESE TWELVE SONGS WERE RECORDED",
        "AT HOME OVER ONE RAINY WEEKEND,",
        "WITH TWO GUITARS, AN OLD PIANO",
        "AND A DRUM MACHINE THAT WOULD",
        "NOT STAY IN TIME.",
        "",
        "THANK YOU FOR LISTENING, AND FOR",
        "PRINTING THIS BOOKLET. CUT ALONG",
        "THE FRAME AND FOLD IT IN THE",
        "MIDDLE: THE FRONT GOES ON THE",
        "RIGHT, THESE NOTES ON THE LEFT.",
        "",
        "MADE WITH ORVELLA.",
    ]
    y = 330
    for line in notes:
        c.text(150, y, line, 5, soft if line.startswith("MADE") else ink)
        y += 56
    c.text(150, 1060, "SAMPLE CD - ALL PICTURES DRAWN BY ORVELLA", 3, soft)
    return c


TRACKS = [
    ("OPENING NIGHT", "3:42"), ("PAPER LANTERNS", "4:05"), ("SLOW TRAIN NORTH", "5:17"),
    ("INK & WATER", "3:28"), ("THE LONG WEEKEND", "4:51"), ("RAIN ON THE ROOF", "2:56"),
    ("SEVEN BRIDGES", "4:33"), ("QUIET ROOM", "3:09"), ("NEON HARBOUR", "4:44"),
    ("LETTERS HOME", "3:37"), ("AFTER THE STORM", "5:02"), ("GOODNIGHT, CITY", "3:51"),
]


def back():
    """Back insert: the track list between the two spines."""
    width, height, spine = 1500, 1180, 65
    c = Canvas(width, height, (20, 24, 52))
    c.fill(lambda x, y: mix((22, 26, 62), (60, 22, 70), y / height))
    for x0 in (0, width - spine):
        c.rect(x0, 0, x0 + spine, height, (236, 92, 96))
        c.rect(x0 + (spine - 2 if x0 == 0 else 0), 0, x0 + (spine if x0 == 0 else 2), height,
               (255, 236, 200))
        c.text(x0 + 11, 60, "ORVELLA - SAMPLE COVER", 6, (255, 244, 214), vertical=True)
    left, right = spine + 110, width - spine - 110
    c.text(left, 90, "TRACKS", 10, (255, 214, 170), spacing=2)
    scale, y = 5, 220
    for number, (title, length) in enumerate(TRACKS, 1):
        c.text(left, y, f"{number:02d}", scale, (252, 176, 84))
        c.text(left + 110, y, title, scale, (240, 236, 246))
        lw = Canvas.text_width(length, scale)
        c.text(right - lw, y, length, scale, (240, 236, 246))
        start = left + 110 + Canvas.text_width(title, scale) + 24
        for x in range(start, right - lw - 24, 18):
            c.rect(x, y + 28, x + 5, y + 33, (120, 110, 150))
        y += 62
    c.rect(left, y + 10, right, y + 14, (120, 110, 150))
    c.text(left, y + 40, "TOTAL TIME 49:15", 4, (200, 190, 220))
    # A made-up bar code in the corner.
    bars = [3, 1, 2, 1, 1, 3, 2, 2, 1, 1, 3, 1, 2, 3, 1, 1, 2, 1, 3, 2, 1, 2, 1, 1, 3]
    x = right - 230
    for i, w in enumerate(bars):
        if i % 2 == 0:
            c.rect(x, y + 30, x + 3 * w, y + 110, (255, 255, 255))
        x += 3 * w + 2
    return c


def cd():
    """CD label: a disc on white, with the centre hole left clear."""
    size = 1200
    c = Canvas(size, size, (255, 255, 255))
    centre, outer, clear, hole = size / 2, size / 2 - 6, 170, 76

    def label(x, y, d):
        angle = math.atan2(y - centre, x - centre)
        base = mix((236, 92, 96), (252, 176, 84), (math.sin(angle * 2) + 1) / 2)
        ring = 0.5 + 0.5 * math.cos(d / 9.0)
        return mix(base, mix(base, (255, 255, 255), 0.25), ring * (d > 460))
    c.disc(centre, centre, outer, label)
    c.disc(centre, centre, clear, lambda x, y, d: (226, 228, 236))
    c.disc(centre, centre, hole, lambda x, y, d: (255, 255, 255))
    c.centred_text(600, 300, "ORVELLA", 16, (255, 248, 230), spacing=2)
    c.centred_text(600, 820, "SAMPLE DISC", 7, (60, 24, 60))
    c.centred_text(600, 900, "12 SONGS - 49:15", 4, (60, 24, 60))
    return c


SET_FILE = ("[Files]\r\nImgFront=front.png\r\nImgInside=inside.png\r\n"
            "ImgBack=back.png\r\nImgCd=cd.png\r\n")


def main(argv):
    folder = Path(argv[0]) if argv else Path(__file__).resolve().parent
    folder.mkdir(parents=True, exist_ok=True)
    for name, draw in (("front", front), ("inside", inside), ("back", back), ("cd", cd)):
        data = draw().png()
        (folder / f"{name}.png").write_bytes(data)
        print(f"{folder / (name + '.png')}: {len(data)} bytes")
    (folder / "Sample.ovc").write_bytes(SET_FILE.encode("ascii"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
