#!/usr/bin/env python3
"""Draws the sample cover set that ships with Orvella: four pictures and Sample.ovc.

    python3 make_samples.py            # writes the files next to this script
    python3 make_samples.py OUT        # writes them into the folder OUT

Everything is drawn here, with nothing but the standard library (PNG is written
with zlib), so the sample holds no picture that came from anywhere else. The
pictures are drawn at 10 pixels a millimetre of each face on paper: Front and
Inside are 120 mm squares, the Back insert and the CD face 150 x 118 mm (the
disc is round in it).

The pictures carry no lettering of their own: every word of the sample (the
titles, the liner notes, the track list with its times, the spines' line) is a
text block of Sample.ovc, laid out and printed as text by Orvella.
"""

import math
import struct
import sys
import zlib
from pathlib import Path


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
    """Front: a sunset over a grid; the title is written over it as text."""
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
    return c


def inside():
    """Inside: cream paper between two rules, for the liner notes."""
    c = Canvas(1200, 1200, (246, 240, 226))
    ink = (52, 44, 60)
    c.rect(48, 48, 1152, 54, ink)
    c.rect(48, 1146, 1152, 1152, ink)
    c.disc(600, 250, 14, lambda x, y, d: (214, 92, 96))
    return c


def back():
    """Back insert: a dusk gradient with two coloured spines and bar code-like art; the track
    list and the spines' titles are written over it as text."""
    width, height, spine = 1500, 1180, 65
    c = Canvas(width, height, (20, 24, 52))
    c.fill(lambda x, y: mix((22, 26, 62), (60, 22, 70), y / height))
    for x0 in (0, width - spine):
        c.rect(x0, 0, x0 + spine, height, (236, 92, 96))
        # A light line where the spine folds.
        c.rect(x0 + (spine - 2 if x0 == 0 else 0), 0, x0 + (spine if x0 == 0 else 2), height,
               (255, 236, 200))
    left, right = spine + 105, width - spine - 105
    # Rules under the heading and above the foot.
    c.rect(left, 250, right, 254, (120, 110, 150))
    c.rect(left, 930, right, 934, (120, 110, 150))
    # A made-up bar code in the corner.
    bars = [3, 1, 2, 1, 1, 3, 2, 2, 1, 1, 3, 1, 2, 3, 1, 1, 2, 1, 3, 2, 1, 2, 1, 1, 3]
    x = right - sum(3 * w + 2 for w in bars)
    for i, w in enumerate(bars):
        if i % 2 == 0:
            c.rect(x, 970, x + 3 * w, 1080, (255, 255, 255))
        x += 3 * w + 2
    return c


def cd():
    """CD label: a disc on white, with the centre hole left clear. The picture has the CD
    face's own shape, so that the disc prints round."""
    width, height = 1500, 1180
    c = Canvas(width, height, (255, 255, 255))
    cx, cy, outer, clear, hole = width / 2, height / 2, 580, 166, 74

    def label(x, y, d):
        angle = math.atan2(y - cy, x - cx)
        base = mix((236, 92, 96), (252, 176, 84), (math.sin(angle * 2) + 1) / 2)
        ring = 0.5 + 0.5 * math.cos(d / 9.0)
        return mix(base, mix(base, (255, 255, 255), 0.25), ring * (d > 450))
    c.disc(cx, cy, outer, label)
    c.disc(cx, cy, clear, lambda x, y, d: (226, 228, 236))
    c.disc(cx, cy, hole, lambda x, y, d: (255, 255, 255))
    return c


TRACKS = [
    ("Opening Night", "3:42"), ("Paper Lanterns", "4:05"), ("Slow Train North", "5:17"),
    ("Ink & Water", "3:28"), ("The Long Weekend", "4:51"), ("Rain on the Roof", "2:56"),
    ("Seven Bridges", "4:33"), ("Quiet Room", "3:09"), ("Neon Harbour", "4:44"),
    ("Letters Home", "3:37"), ("After the Storm", "5:02"), ("Goodnight, City", "3:51"),
]


def total_time():
    seconds = sum(int(m) * 60 + int(s) for m, s in (t.split(":") for _, t in TRACKS))
    return f"{seconds // 60}:{seconds % 60:02d}"


ARTIST, TITLE = "Orvella", "Sample Cover"
SPINE = f"{ARTIST.upper()}  \u00b7  {TITLE.upper()}"
# The fonts are those of the URW base 35 set, which Orvella's package depends on.
GOTHIC, SANS, SERIF = "URW Gothic", "Nimbus Sans", "P052"

# The text blocks of each face: its lines ("\t" before what goes flush right), the font, the
# size in points and the box in millimetres from the face's top-left corner (x, y, w, h),
# and whatever differs from the defaults below.
TEXT = {
    "Front": [
        dict(text=ARTIST.upper(), font=GOTHIC, size=50, bold=True, color="#fff4d6",
             align="center", box=(0, 8, 120, 29)),
        dict(text=TITLE.upper(), font=GOTHIC, size=16, color="#ffd6aa", align="center",
             box=(0, 33, 120, 9)),
    ],
    "Inside": [
        dict(text="LINER NOTES", font=GOTHIC, size=20, bold=True, color="#342c3c",
             align="center", box=(10, 9, 100, 12)),
        dict(text="These twelve songs were recorded at home over one rainy weekend, with "
                  "two guitars, an old piano and a drum machine that would not stay in "
                  "time.\n\nThank you for listening, and for printing this booklet. Cut "
                  "along the frame and fold it in the middle: the front goes on the "
                  "right, these notes on the left.",
             font=SERIF, size=11, color="#342c3c", box=(15, 31, 90, 62)),
        dict(text="Made with Orvella.", font=SERIF, size=11, italic=True, color="#8c7878",
             box=(15, 94, 90, 7)),
        dict(text="Sample CD \u2013 all pictures drawn by Orvella, all words written on them "
                  "as text.",
             font=SANS, size=6.5, color="#8c7878", box=(15, 106, 90, 5)),
    ],
    "Back": [
        dict(text=f"{ARTIST.upper()}  \u2013  {TITLE.upper()}", font=GOTHIC, size=17,
             bold=True, color="#ffd6aa", box=(17, 12, 116, 11)),
        dict(text="\n".join(f"{n}. {title}\t{length}"
                            for n, (title, length) in enumerate(TRACKS, 1)),
             font=SANS, size=11.5, color="#f0ecf6", columns=2, box=(17, 32, 116, 35)),
        dict(text=f"Total time\t{total_time()}", font=SANS, size=11.5, bold=True,
             color="#f0ecf6", box=(17 + (116 - 3) / 2 + 3, 69, (116 - 3) / 2, 6.5)),
        dict(text="\u00a9 Orvella sample set. All pictures drawn by Orvella; every word is "
                  "printed as text.",
             font=SANS, size=6.5, color="#c8bedc", box=(17, 97, 70, 9)),
        dict(text=SPINE, font=GOTHIC, size=11.5, bold=True, color="#fff4d6", align="center",
             box=(0, 0, 6.5, 118), rotate=90),
        dict(text=SPINE, font=GOTHIC, size=11.5, bold=True, color="#fff4d6", align="center",
             box=(143.5, 0, 6.5, 118), rotate=90),
    ],
    "Cd": [
        dict(text=ARTIST.upper(), font=GOTHIC, size=28, bold=True, color="#fff8e6",
             align="center", box=(35, 15, 80, 17)),
        dict(text=f"{TITLE}\n12 songs \u00b7 {total_time()}", font=SANS, size=10,
             color="#3c183c", align="center", box=(35, 80, 80, 12)),
    ],
}


def number(value):
    """A number as the program writes it: two decimals at most, no trailing zeros."""
    text = f"{value:.2f}".rstrip("0").rstrip(".")
    return "0" if text == "-0" else text


def escape(text):
    """A block's text as one value of the set file (the program's own escapes)."""
    out = []
    for i, ch in enumerate(text):
        end = i in (0, len(text) - 1)
        if ch == "\\":
            out.append("\\\\")
        elif ch == "\n":
            out.append("\\n")
        elif ch == "\t":
            out.append("\\t")
        elif end and ch in " \"'":
            out.append({" ": "\\s", '"': "\\q", "'": "\\a"}[ch])
        elif ch != "\r":
            out.append(ch)
    return "".join(out)


def set_file():
    """Sample.ovc: the Files section as every version of the file has it, then one section a
    text block, written as the program writes them."""
    lines = ["[Files]", "ImgFront=front.png", "ImgInside=inside.png", "ImgBack=back.png",
             "ImgCd=cd.png"]
    for face, blocks in TEXT.items():
        for n, b in enumerate(blocks, 1):
            lines += [
                f"[{face}.Text{n}]",
                f"Text={escape(b['text'])}",
                f"Font={b['font']}",
                f"Size={number(b['size'])}",
                f"Bold={int(b.get('bold', False))}",
                f"Italic={int(b.get('italic', False))}",
                f"Color={b['color']}",
                f"Align={b.get('align', 'left')}",
                "Box=" + ",".join(number(v) for v in b["box"]),
                f"Rotate={b.get('rotate', 0)}",
                f"Columns={b.get('columns', 1)}",
                f"Fit={'shrink' if b.get('shrink') else 'none'}",
            ]
    return "".join(line + "\r\n" for line in lines).encode("utf-8")


def main(argv):
    folder = Path(argv[0]) if argv else Path(__file__).resolve().parent
    folder.mkdir(parents=True, exist_ok=True)
    for name, draw in (("front", front), ("inside", inside), ("back", back), ("cd", cd)):
        data = draw().png()
        (folder / f"{name}.png").write_bytes(data)
        print(f"{folder / (name + '.png')}: {len(data)} bytes")
    (folder / "Sample.ovc").write_bytes(set_file())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
