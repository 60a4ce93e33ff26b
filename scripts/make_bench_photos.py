#!/usr/bin/env python3
"""Makes a folder of camera-sized JPEG photos for the --positions benchmark.

    scripts/make_bench_photos.py FOLDER COUNT

Each photo is as large as a 12-megapixel camera's (the size of one real 4000x3000 JPEG that
ImageMagick's `convert` draws once) and has its own EXIF block (GPS position along a walk,
DateTimeOriginal a few seconds apart), written by the same code as the sample trail's. To keep
COUNT photos of several MB from filling the disk, each file holds the real JPEG's first 32 KiB
and last 8 KiB, and the scan data between them is a hole (a sparse file): every byte a reader
needs is real, the size is a camera's, and the disk holds about 40 KiB per photo.
A folder that already holds COUNT photos is left as it is; one with another number is made anew.
"""
import importlib.util
import os
import subprocess
import sys

HEAD, TAIL = 32 << 10, 8 << 10

here = os.path.dirname(os.path.abspath(__file__))
module_spec = importlib.util.spec_from_file_location("make_samples", os.path.join(here, "make_samples.py"))
samples = importlib.util.module_from_spec(module_spec)
module_spec.loader.exec_module(samples)


def camera_jpeg(folder):
    path = os.path.join(folder, ".camera-base.jpg")
    if not os.path.exists(path):
        subprocess.run(["convert", "-size", "4000x3000", "plasma:fractal", "-attenuate", "0.4",
                        "+noise", "Gaussian", "-quality", "90", "-strip", "jpg:" + path + ".part"],
                       check=True)
        os.replace(path + ".part", path)
    with open(path, "rb") as f:
        return f.read()


def main():
    folder, count = sys.argv[1], int(sys.argv[2])
    os.makedirs(folder, exist_ok=True)
    made = [n for n in os.listdir(folder) if n.startswith("DSC") and n.endswith(".jpg")]
    if len(made) == count:
        return
    for name in made:  # a folder made for another count starts again
        os.remove(os.path.join(folder, name))
    base = camera_jpeg(folder)
    head, tail = base[:HEAD], base[-TAIL:]
    for i in range(count):
        seconds = 8 * 3600 + 7 * i
        when = "2024:05:18 %02d:%02d:%02d" % (seconds // 3600 % 24, seconds // 60 % 60, seconds % 60)
        app1 = samples.exif_app1(when, 46.35 + 0.00002 * i, 14.08 + 0.00003 * (i % 977), 500 + i % 300)
        photo_head = samples.with_exif(head, app1)
        with open(os.path.join(folder, "DSC%05d.jpg" % i), "wb") as f:
            f.write(photo_head)
            f.seek(len(photo_head) + len(base) - HEAD - TAIL)  # the hole
            f.write(tail)
    print(f"{count} photos of about {len(base)} bytes each in {folder}")


if __name__ == "__main__":
    main()
