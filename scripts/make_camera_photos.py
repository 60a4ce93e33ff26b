#!/usr/bin/env python3
"""Makes a folder of camera-sized JPEG photos, every byte of them real, for the EXIF reader's
folder benchmark (scripts/bench_exif.sh).

    scripts/make_camera_photos.py FOLDER COUNT [thumbnail] [WIDTHxHEIGHT]

Each photo is one real 4000x3000 JPEG drawn once by ImageMagick's `convert` with noise, so that
its scan data is as large as a 12-megapixel camera's (about 4.6 MB), with its own EXIF APP1
segment (GPS position along a walk, DateTimeOriginal a few seconds apart) put right after the
start marker by the sample trail's code. Unlike scripts/make_bench_photos.py, which leaves the
scan data as a hole, the files are written whole, so that reading one whole costs what it costs
for a camera's photo. With "thumbnail", each EXIF block also holds a 160x120 JPEG thumbnail in
IFD1, as cameras write it; a size makes small photos of that size instead. A folder that already holds COUNT photos is left as it is.
"""
import importlib.util
import os
import subprocess
import sys

here = os.path.dirname(os.path.abspath(__file__))


def load(name):
    location = importlib.util.spec_from_file_location(name, os.path.join(here, name + ".py"))
    module = importlib.util.module_from_spec(location)
    location.loader.exec_module(module)
    return module


samples = load("make_samples")
bench_photos = load("make_bench_photos")


def main():
    folder, count = sys.argv[1], int(sys.argv[2])
    os.makedirs(folder, exist_ok=True)
    if sum(1 for n in os.listdir(folder) if n.startswith("IMG_")) == count:
        return
    if len(sys.argv) > 4:
        base = subprocess.run(["convert", "-size", sys.argv[4], "plasma:fractal", "-quality", "85",
                               "-strip", "jpg:-"], check=True, capture_output=True).stdout
    else:
        base = bench_photos.camera_jpeg(folder)
    thumbnail = None
    if len(sys.argv) > 3 and sys.argv[3] == "thumbnail":
        thumbnail = subprocess.run(["convert", "-size", "160x120", "plasma:fractal", "-quality", "75",
                                    "-strip", "jpg:-"], check=True, capture_output=True).stdout
    for i in range(count):
        seconds = 8 * 3600 + 7 * i
        when = "2024:05:18 %02d:%02d:%02d" % (seconds // 3600 % 24, seconds // 60 % 60, seconds % 60)
        app1 = samples.exif_app1(when, 46.35 + 0.00002 * i, 14.08 + 0.00003 * (i % 977), 500 + i % 300,
                                 thumbnail)
        with open(os.path.join(folder, "IMG_%05d.jpg" % i), "wb") as f:
            f.write(samples.with_exif(base, app1))
    print(f"{count} photos of about {len(base)} bytes each in {folder}")


if __name__ == "__main__":
    main()
