#!/usr/bin/env python3
"""Makes large sparse TIFF files whose directories and values lie far into them, for the far-read
benchmark (bench/far_directories_bench.sh).

    scripts/make_far_directory_photos.py FOLDER

Each file holds only its header, IFD0, the GPS directory and the GPS values for real (48 51' 30"
S, 2 17' 40" W); the rest is a hole, so the files cost a few KiB of disk whatever their size.
Two hostile files point at thousands of far places: an IFD0 of 3000 texts 128 KiB apart, and a
GPS directory of 20000 latitudes 48 KiB apart.
"""
import os
import struct
import sys

MiB = 1 << 20
# Name, file size, and the TIFF offsets of IFD0, the GPS directory and the GPS values.
LAYOUTS = [
    ("ifd0-at-1023MiB-of-2047MiB.tif", 2047 * MiB, 1023 * MiB, 1023 * MiB + 64, 1023 * MiB + 128),
    ("ifd0-at-1900MiB-of-4GiB-4KiB.tif", 4096 * MiB - 4096, 1900 * MiB, 1900 * MiB + 64,
     1900 * MiB + 128),
    ("gps-at-end-values-at-3000MiB.tif", 4096 * MiB - 4096, 100, 4096 * MiB - 8192, 3000 * MiB),
]


def directory(entries):
    return (struct.pack("<H", len(entries)) + b"".join(struct.pack("<HHII", *e) for e in entries)
            + struct.pack("<I", 0))


def write(path, size, ifd0, gps, values):
    with open(path, "wb") as out:
        out.truncate(size)
        pieces = [
            (0, b"II*\0" + struct.pack("<I", ifd0)),
            (ifd0, directory([(0x8825, 4, 1, gps)])),
            (gps, directory([(1, 2, 2, ord("S")), (2, 5, 3, values), (3, 2, 2, ord("W")),
                             (4, 5, 3, values + 24)])),
            (values, struct.pack("<12I", 48, 1, 51, 1, 30, 1, 2, 1, 17, 1, 40, 1)),
        ]
        for at, data in pieces:
            out.seek(at)
            out.write(data)


def write_hostile(path, size, header):
    with open(path, "wb") as out:
        out.truncate(size)
        out.write(header)


def texts():
    return b"II*\0" + struct.pack("<I", 8) + directory(
        [(0x010E, 2, 8, (k + 1) << 17) for k in range(3000)])


def latitudes():
    return (b"II*\0" + struct.pack("<I", 8) + directory([(0x8825, 4, 1, 26)])
            + directory([(2, 5, 3, (k + 1) * (48 << 10)) for k in range(20000)]))


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, *layout in LAYOUTS:
        path = os.path.join(folder, name)
        if not os.path.exists(path) or os.path.getsize(path) != layout[0]:
            write(path, *layout)
    for name, size, header in [("hostile-3000-far-texts.tif", 400 * MiB, texts()),
                               ("hostile-20000-far-latitudes.tif", 1000 * MiB, latitudes())]:
        path = os.path.join(folder, name)
        if not os.path.exists(path) or os.path.getsize(path) != size:
            write_hostile(path, size, header)


if __name__ == "__main__":
    main()
