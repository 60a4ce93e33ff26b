#!/usr/bin/env python3
"""Makes folders of camera-sized HEIC and raw photos for the container benchmark
(bench/container_positions_bench.sh).

    scripts/make_container_bench_photos.py FOLDER COUNT

FOLDER/heic gets COUNT phone photos: one real 4000x3000 HEIC that heif-enc (Debian package
libheif-examples) encodes once from the camera picture of scripts/make_bench_photos.py, with
the GPS position and capture time exiftool writes into it; each copy has its own capture time.
FOLDER/raw gets COUNT raw files laid out as DNG, NEF or ARW files are: the TIFF header and the
directories (IFD0, Exif, GPS, written by the sample trail's code) first, then a full-size JPEG
preview and 18 MB of sensor data, about 25 MB in all. As in make_bench_photos.py each file holds
only its first 32 KiB and last 8 KiB for real, with a hole (a sparse file) between them, so the
disk holds about 40 KiB per photo; the script checks that the EXIF data lies in the real part.
A folder that already holds COUNT photos is left as it is.
"""
import importlib.util
import os
import subprocess
import sys

HEAD, TAIL = 32 << 10, 8 << 10
BASE_TIME = b"2024:05:18 08:00:00"


def load(name):
    here = os.path.dirname(os.path.abspath(__file__))
    location = importlib.util.spec_from_file_location(name, os.path.join(here, name + ".py"))
    module = importlib.util.module_from_spec(location)
    location.loader.exec_module(module)
    return module


samples = load("make_samples")
bench_photos = load("make_bench_photos")


def capture_time(i):
    seconds = 8 * 3600 + 7 * i
    return b"2024:05:18 %02d:%02d:%02d" % (seconds // 3600 % 24, seconds // 60 % 60, seconds % 60)


def camera_heic(folder):
    path = os.path.join(folder, ".camera-base.heic")
    if not os.path.exists(path):
        bench_photos.camera_jpeg(folder)  # draws .camera-base.jpg once
        jpeg = os.path.join(folder, ".camera-base.jpg")
        subprocess.run(["heif-enc", "-q", "50", jpeg, "-o", path + ".part.heic"], check=True,
                       stdout=subprocess.DEVNULL)
        subprocess.run(["exiftool", "-q", "-overwrite_original", "-GPSLatitude=46.35",
                        "-GPSLatitudeRef=N", "-GPSLongitude=14.08", "-GPSLongitudeRef=E",
                        "-DateTimeOriginal=" + BASE_TIME.decode(), path + ".part.heic"], check=True)
        os.replace(path + ".part.heic", path)
    with open(path, "rb") as f:
        return f.read()


def write_sparse(path, head, size, tail):
    with open(path, "wb") as f:
        f.write(head)
        f.seek(size - len(tail))  # the hole
        f.write(tail)


def fill(folder, prefix, count, make):
    os.makedirs(folder, exist_ok=True)
    made = [n for n in os.listdir(folder) if n.startswith(prefix)]
    if len(made) == count:
        return
    for name in made:  # a folder made for another count starts again
        os.remove(os.path.join(folder, name))
    for i in range(count):
        make(i)


def main():
    folder, count = sys.argv[1], int(sys.argv[2])
    os.makedirs(folder, exist_ok=True)

    heic = camera_heic(folder)
    time_at = heic.find(BASE_TIME)
    assert 0 < time_at and heic.find(b"Exif\0\0") + 4096 < HEAD, "EXIF data beyond the real head"

    def make_heic(i):
        head = heic[:time_at] + capture_time(i) + heic[time_at + len(BASE_TIME):HEAD]
        write_sparse(os.path.join(folder, "heic", "IMG_%05d.HEIC" % i), head, len(heic),
                     heic[-TAIL:])

    preview = bench_photos.camera_jpeg(folder)
    raw_size = 25 << 20

    def make_raw(i):
        app1 = samples.exif_app1(capture_time(i).decode(), 46.35 + 0.00002 * i,
                                 14.08 + 0.00003 * (i % 977), 500 + i % 300)
        tiff = app1[10:]  # without the APP1 marker, its length and "Exif\0\0"
        head = (tiff + preview)[:HEAD]
        write_sparse(os.path.join(folder, "raw", "DSC_%05d.NEF" % i), head, raw_size,
                     preview[-TAIL:])

    fill(os.path.join(folder, "heic"), "IMG_", count, make_heic)
    fill(os.path.join(folder, "raw"), "DSC_", count, make_raw)
    print(f"{count} HEIC photos of {len(heic)} bytes and {count} raw files of {raw_size} bytes"
          f" in {folder}")


if __name__ == "__main__":
    main()
