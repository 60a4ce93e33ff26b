#!/usr/bin/env python3
"""Makes samples/: a dozen JPEG photos of one morning's walk, with EXIF GPS and DateTimeOriginal.

ImageMagick's `convert` draws each picture (a landscape that changes along the walk); the EXIF
block is written here, byte by byte, and put right after the JPEG start marker, where cameras
put it. Two photos share a spot (the viewpoint), and the one taken inside the hut has EXIF but
no GPS. The output is committed, so building and testing never run this script.

    scripts/make_samples.py [output folder]     (default: samples/ of the checkout)
"""
import os
import random
import struct
import subprocess
import sys
import tempfile

WIDTH, HEIGHT = 800, 533

# name, caption, latitude, longitude, altitude (m), DateTimeOriginal; None: no GPS block.
# A loop from the village up to a viewpoint above the lake and back along the shore.
TRAIL = [
    ("IMG_0101.JPG", "Village square", 46.368912, 14.114205, 502, "2024:05:18 08:41:07"),
    ("IMG_0102.JPG", "Old stone bridge", 46.366731, 14.110962, 506, "2024:05:18 08:52:31"),
    ("IMG_0103.JPG", "Into the beech wood", 46.364218, 14.105877, 548, "2024:05:18 09:07:54"),
    ("IMG_0104.JPG", "First glimpse of the lake", 46.361950, 14.101134, 596, "2024:05:18 09:21:12"),
    ("IMG_0105.JPG", "Switchbacks", 46.360377, 14.096410, 641, "2024:05:18 09:38:45"),
    ("IMG_0106.JPG", "Meadow with cows", 46.358104, 14.092275, 672, "2024:05:18 09:55:03"),
    ("IMG_0107.JPG", "Viewpoint", 46.356022, 14.088540, 704, "2024:05:18 10:12:26"),
    ("IMG_0108.JPG", "Viewpoint, the other way", 46.356022, 14.088540, 704, "2024:05:18 10:14:50"),
    ("IMG_0109.JPG", "Down to the shore", 46.359240, 14.084318, 611, "2024:05:18 10:41:39"),
    ("IMG_0110.JPG", "Inside the boat hut", None, None, None, "2024:05:18 11:02:17"),
    ("IMG_0111.JPG", "Lakeside path", 46.362843, 14.089961, 476, "2024:05:18 11:24:58"),
    ("IMG_0112.JPG", "Back in the village", 46.367655, 14.109730, 499, "2024:05:18 11:51:20"),
]

# --- EXIF -------------------------------------------------------------------------------------

BYTE, ASCII, SHORT, LONG, RATIONAL, UNDEFINED = 1, 2, 3, 4, 5, 7
TYPE_SIZE = {BYTE: 1, ASCII: 1, SHORT: 2, LONG: 4, RATIONAL: 8, UNDEFINED: 1}


def ascii_value(text):
    return (ASCII, len(text) + 1, text.encode("ascii") + b"\0")


def rational_value(*pairs):
    return (RATIONAL, len(pairs), b"".join(struct.pack("<II", n, d) for n, d in pairs))


def degrees_minutes_seconds(value):
    """Unsigned decimal degrees as three rationals, seconds to 1/1000, as phones write them."""
    value = abs(value)
    degrees = int(value)
    minutes = int((value - degrees) * 60)
    milliseconds = round(((value - degrees) * 60 - minutes) * 60 * 1000)
    return rational_value((degrees, 1), (minutes, 1), (milliseconds, 1000))


def ifd_size(entries):
    data = sum((len(v[2]) + 1) & ~1 for _, v in entries if len(v[2]) > 4)
    return 2 + 12 * len(entries) + 4 + data


def build_ifd(entries, start):
    """One directory at TIFF offset `start`: the entries, a zero next-IFD link, then the values
    that do not fit in four bytes, each at an even offset."""
    entries = sorted(entries, key=lambda e: e[0])
    head = struct.pack("<H", len(entries))
    data = b""
    data_offset = start + 2 + 12 * len(entries) + 4
    for tag, (kind, count, payload) in entries:
        if len(payload) <= 4:
            field = payload.ljust(4, b"\0")
        else:
            field = struct.pack("<I", data_offset + len(data))
            data += payload + (b"\0" if len(payload) % 2 else b"")
        head += struct.pack("<HHI", tag, kind, count) + field
    return head + struct.pack("<I", 0) + data


def exif_app1(date_time, latitude, longitude, altitude, thumbnail=None):
    """The APP1 segment; `thumbnail`, JPEG bytes, goes into an IFD1 after the other directories."""
    ifd0 = [
        (0x010F, ascii_value("Trailbook")),
        (0x0110, ascii_value("Sample trail")),
        (0x0112, (SHORT, 1, struct.pack("<H", 1))),
        (0x0132, ascii_value(date_time)),
        (0x8769, (LONG, 1, b"\0\0\0\0")),
    ]
    exif = [
        (0x9000, (UNDEFINED, 4, b"0232")),
        (0x9003, ascii_value(date_time)),
        (0xA002, (LONG, 1, struct.pack("<I", WIDTH))),
        (0xA003, (LONG, 1, struct.pack("<I", HEIGHT))),
    ]
    gps = None
    if latitude is not None:
        ifd0.append((0x8825, (LONG, 1, b"\0\0\0\0")))
        gps = [
            (0x0000, (BYTE, 4, bytes([2, 3, 0, 0]))),
            (0x0001, ascii_value("N" if latitude >= 0 else "S")),
            (0x0002, degrees_minutes_seconds(latitude)),
            (0x0003, ascii_value("E" if longitude >= 0 else "W")),
            (0x0004, degrees_minutes_seconds(longitude)),
            (0x0005, (BYTE, 1, b"\0")),
            (0x0006, rational_value((altitude * 10, 10))),
        ]

    # Layout: header, IFD0, Exif IFD, GPS IFD; pointers are filled once offsets are known.
    ifd0_at = 8
    exif_at = ifd0_at + ifd_size(ifd0)
    gps_at = exif_at + ifd_size(exif)
    pointers = {0x8769: exif_at, 0x8825: gps_at}
    ifd0 = [(t, (LONG, 1, struct.pack("<I", pointers[t])) if t in pointers else v) for t, v in ifd0]
    tiff = b"II*\0" + struct.pack("<I", ifd0_at) + build_ifd(ifd0, ifd0_at) + build_ifd(exif, exif_at)
    if gps is not None:
        tiff += build_ifd(gps, gps_at)
    if thumbnail is not None:
        ifd1_at = len(tiff) + (len(tiff) & 1)
        tiff = tiff.ljust(ifd1_at, b"\0")
        next_link = ifd0_at + 2 + 12 * len(ifd0)
        tiff = tiff[:next_link] + struct.pack("<I", ifd1_at) + tiff[next_link + 4:]
        ifd1 = [(0x0201, (LONG, 1, struct.pack("<I", ifd1_at + 30))),
                (0x0202, (LONG, 1, struct.pack("<I", len(thumbnail))))]
        tiff += build_ifd(ifd1, ifd1_at) + thumbnail
    body = b"Exif\0\0" + tiff
    return b"\xff\xe1" + struct.pack(">H", len(body) + 2) + body


def with_exif(jpeg, app1):
    """The JPEG with `app1` right after its start marker, in place of a JFIF APP0 segment."""
    assert jpeg[:2] == b"\xff\xd8"
    rest = jpeg[2:]
    if rest[:2] == b"\xff\xe0":
        rest = rest[2 + struct.unpack(">H", rest[2:4])[0]:]
    return b"\xff\xd8" + app1 + rest


# --- Pictures ---------------------------------------------------------------------------------


def ridge(rng, base, roughness, step=40):
    points = [(0, HEIGHT)]
    y = base
    for x in range(0, WIDTH + step, step):
        y = max(60, min(HEIGHT - 40, y + rng.randint(-roughness, roughness)))
        points.append((min(x, WIDTH), y))
    points.append((WIDTH, HEIGHT))
    return "polygon " + " ".join(f"{x},{y}" for x, y in points)


def draw_photo(index, caption, indoors, path):
    rng = random.Random(index * 7919)
    hour = index / len(TRAIL)  # the light warms up through the morning
    sky_top = "#%02x%02x%02x" % (70 + int(40 * hour), 130 + int(30 * hour), 200)
    sky_low = "#%02x%02x%02x" % (250, 214 - int(20 * hour), 170 + int(30 * hour))
    args = ["convert", "-size", f"{WIDTH}x{HEIGHT}", f"gradient:{sky_top}-{sky_low}"]
    if indoors:
        args += ["-fill", "#6b4a2f", "-draw", f"rectangle 0,0 {WIDTH},{HEIGHT}",
                 "-fill", "#8a6240", "-draw", "rectangle 0,360 800,533",
                 "-fill", sky_low, "-draw", "rectangle 300,90 500,260",
                 "-fill", "#6b4a2f", "-draw", "rectangle 396,90 404,260",
                 "-fill", "#6b4a2f", "-draw", "rectangle 300,171 500,179",
                 "-fill", "#c8553d", "-draw", "roundrectangle 120,300 680,330 8,8"]
    else:
        sun_x, sun_y = 120 + index * 45, 150 - index * 6
        args += ["-fill", "#fff3b0", "-draw", f"circle {sun_x},{sun_y} {sun_x + 28},{sun_y}"]
        peak_x = 560 - index * 30  # the summit across the valley drifts as the walk goes on
        args += ["-fill", "#a7b6c6", "-draw", f"polygon {peak_x - 250},420 {peak_x},110 {peak_x + 290},420"]
        args += ["-fill", "#eef3f7", "-draw", f"polygon {peak_x},110 {peak_x - 27},150 {peak_x + 31},150"]
        args += ["-fill", "#8ea4b8", "-draw", ridge(rng, 230, 45)]
        args += ["-fill", "#5f7d6a", "-draw", ridge(rng, 320, 25)]
        if 3 <= index <= 10:  # the lake, seen from above and then from its shore
            args += ["-fill", "#4f8fb8", "-draw", f"ellipse 420,{400 + index * 4} 300,40 0,360"]
        args += ["-fill", "#4c7a3f", "-draw", ridge(rng, 440, 12)]
        for _ in range(9):  # a few trees
            x, y = rng.randint(10, WIDTH - 10), rng.randint(430, 500)
            args += ["-fill", "#2f5130", "-draw", f"polygon {x},{y - 46} {x - 14},{y} {x + 14},{y}"]
    args += ["-attenuate", "0.25", "+noise", "Gaussian"]  # a little grain, as in a real photo
    args += ["-fill", "#00000080", "-draw", f"rectangle 0,{HEIGHT - 56} {WIDTH},{HEIGHT}",
             "-fill", "white", "-pointsize", "26",
             "-annotate", f"+22+{HEIGHT - 19}", f"{index}. {caption}",
             "-quality", "84", "-sampling-factor", "4:2:0", "-strip", path]
    subprocess.run(args, check=True)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "samples")
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for index, (name, caption, lat, lon, alt, when) in enumerate(TRAIL, start=1):
            picture = os.path.join(work, name)
            draw_photo(index, caption, lat is None, picture)
            with open(picture, "rb") as f:
                jpeg = f.read()
            with open(os.path.join(out, name), "wb") as f:
                f.write(with_exif(jpeg, exif_app1(when, lat, lon, alt)))
            print(name, os.path.getsize(os.path.join(out, name)), "bytes")


if __name__ == "__main__":
    main()
