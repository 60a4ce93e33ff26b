#pragma once
// Decode bombs for the preview step's tests and benchmarks: JPEGs of a few hundred bytes whose
// frame header declares a picture far larger than their data.
#include <QByteArray>
#include <vector>

// A 16x16 JPEG whose frame header then claims `width` x `height`; progressive or baseline, with
// chroma at full size (4:4:4, the most memory a progressive decode takes) or halved (4:2:0).
QByteArray bomb_jpeg(int width, int height, bool progressive, bool full_chroma);

// One photo of the benchmark: a name with the extension that makes it what it is.
struct DecodeBomb {
  const char* name;
  QByteArray bytes;
};

// A 30000x30000 bomb with a GPS position by every road into a decode: a JPEG, baseline and
// progressive, 4:4:4 and 4:2:0; a TIFF-based raw file's and a RAF's embedded JPEG.
std::vector<DecodeBomb> decode_bomb_photos();
