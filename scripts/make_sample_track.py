#!/usr/bin/env python3
"""Makes samples/track/: a GPX track of the sample walk and two camera photos without GPS.

The track runs through the sample photos' positions at their times (local time +02:00, stored
in UTC as GPX wants), with a point every minute in between, drawn a little off the straight
line so that it looks walked. The two camera photos are copies of two samples with every GPS
tag removed by exiftool, their times moved to moments between photos and OffsetTimeOriginal
set, so that an album with the track places them. The output is committed; building and
testing never run this script.

    scripts/make_sample_track.py [samples folder]     (default: samples/ of the checkout)
"""
import datetime
import json
import math
import os
import shutil
import subprocess
import sys

OFFSET = datetime.timedelta(hours=2)
# copy of, new name, DateTimeOriginal
CAMERA_PHOTOS = [
    ("IMG_0104.JPG", "CAM_0201.JPG", "2024:05:18 09:29:40"),
    ("IMG_0109.JPG", "CAM_0202.JPG", "2024:05:18 10:52:05"),
]


def photo_points(folder):
    names = sorted(n for n in os.listdir(folder) if n.startswith("IMG_") and n.endswith(".JPG"))
    out = subprocess.run(["exiftool", "-n", "-json", "-DateTimeOriginal", "-GPSLatitude",
                          "-GPSLongitude", "-GPSAltitude"] + [os.path.join(folder, n) for n in names],
                         check=True, capture_output=True, text=True).stdout
    points = []
    for photo in json.loads(out):
        if "GPSLatitude" not in photo:
            continue
        local = datetime.datetime.strptime(photo["DateTimeOriginal"], "%Y:%m:%d %H:%M:%S")
        points.append((local - OFFSET, photo["GPSLatitude"], photo["GPSLongitude"],
                       photo.get("GPSAltitude", 500)))
    return points


def track_points(stops):
    points = []
    for (t0, lat0, lon0, ele0), (t1, lat1, lon1, ele1) in zip(stops, stops[1:]):
        seconds = int((t1 - t0).total_seconds())
        for s in range(0, seconds, 60):
            f = s / seconds
            bend = 0.00025 * math.sin(math.pi * f) * math.sin(s / 97.0)
            points.append((t0 + datetime.timedelta(seconds=s), lat0 + (lat1 - lat0) * f + bend,
                           lon0 + (lon1 - lon0) * f - bend, ele0 + (ele1 - ele0) * f))
    points.append(stops[-1])
    return points


def write_gpx(path, points):
    with open(path, "w", encoding="utf-8", newline="\n") as gpx:
        gpx.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                  '<gpx version="1.1" creator="make_sample_track.py" '
                  'xmlns="http://www.topografix.com/GPX/1/1">\n'
                  '  <trk><name>Sample walk</name><trkseg>\n')
        for t, lat, lon, ele in points:
            gpx.write(f'    <trkpt lat="{lat:.6f}" lon="{lon:.6f}"><ele>{ele:.0f}</ele>'
                      f'<time>{t:%Y-%m-%dT%H:%M:%SZ}</time></trkpt>\n')
        gpx.write('  </trkseg></trk>\n</gpx>\n')


def main():
    samples = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "samples")
    folder = os.path.join(samples, "track")
    os.makedirs(folder, exist_ok=True)
    write_gpx(os.path.join(folder, "walk.gpx"), track_points(photo_points(samples)))
    for source, name, date_time in CAMERA_PHOTOS:
        target = os.path.join(folder, name)
        shutil.copyfile(os.path.join(samples, source), target)
        subprocess.run(["exiftool", "-q", "-overwrite_original", "-gps:all=",
                        f"-DateTimeOriginal={date_time}", "-OffsetTimeOriginal=+02:00", target],
                       check=True)


if __name__ == "__main__":
    main()
