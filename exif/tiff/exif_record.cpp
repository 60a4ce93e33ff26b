#include "exif/tiff/exif_record.h"

double rational_value(Rational r) {
  if (r.denominator == 0) return 0.0;
  return static_cast<double>(r.numerator) / static_cast<double>(r.denominator);
}

void clear_exif_record(ExifRecord& record) {
  record = ExifRecord{};
}
