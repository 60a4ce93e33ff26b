#pragma once
// Decode bombs for the preview step's tests and benchmarks: JPEGs of a few hundred bytes whose
// frame header declares a picture far larger than their data.
#include <QByteArray>

// A 16x16 JPEG whose frame header then claims `width` x `height`; progressive or baseline, with
// chroma at full size (4:4:4, the most memory a progressive decode takes) or halved (4:2:0).
QByteArray bomb_jpeg(int width, int height, bool progressive, bool full_chroma);
