#include "exif/tiff/gps_directory.h"

#include <algorithm>
#include <cmath>

#include "exif/tiff/ifd_entry.h"

namespace {

enum GpsTag : std::uint16_t {
  gps_latitude_ref = 1,
  gps_latitude = 2,
  gps_longitude_ref = 3,
  gps_longitude = 4,
  gps_altitude_ref = 5,
  gps_altitude = 6,
  gps_time_stamp_tag = 7,
  gps_dop_tag = 11,
  gps_date_stamp_tag = 29,
};

// Quotients at extended precision, so that a coordinate is rounded to double only once.
long double extended_value(Rational r) {
  if (r.denominator == 0) return 0.0L;
  return static_cast<long double>(r.numerator) / static_cast<long double>(r.denominator);
}

// A reference letter is the first byte of the value field as stored, whatever type and count
// the entry claims. A zero byte is kept as '?'.
char reference_letter(const TiffReader& block, std::uint64_t e) {
  const char letter = static_cast<char>(block.u8(e + 8));
  return letter == 0 ? '?' : letter;
}

// The sign follows the latest reference, however often and in whatever order reference and
// value appear: only the capital letter `negative` makes the value negative. (Negating on every
// reference would let a repeated "S" flip a southern position back to the north.)
void apply_sign(double& value, bool negative) {
  value = negative ? -std::fabs(value) : std::fabs(value);
}

bool is_rational_type(std::uint16_t type) {
  return type == tiff_rational || type == tiff_srational;
}

// Degrees, minutes and seconds at block offset `at` (24 bytes inside the block).
double read_coordinate(const TiffReader& block, std::uint64_t at, GpsDms& dms) {
  const long double degrees = extended_value(block.rational(at));
  const long double minutes = extended_value(block.rational(at + 8));
  const long double seconds = extended_value(block.rational(at + 16));
  dms = {static_cast<double>(degrees), static_cast<double>(minutes), static_cast<double>(seconds)};
  return static_cast<double>((degrees + minutes / 60.0L) + seconds / 3600.0L);
}

}  // namespace

void read_gps_directory(ExifRecord& r, const TiffReader& block, std::uint64_t directory) {
  const std::uint16_t entries = block.u16(directory);
  for (std::uint32_t k = 0; k < entries; ++k) {
    const std::uint64_t e = directory + 2 + 12ull * k;
    const std::uint16_t tag = block.u16(e);
    const std::uint16_t type = block.u16(e + 2);
    const std::uint32_t count = block.u32(e + 4);
    const std::uint64_t values = block_offset(block.u32(e + 8));
    const bool coordinate = is_rational_type(type) && count == 3 && block.contains(values, 24);
    const bool single = is_rational_type(type) && block.contains(values, 8);

    switch (tag) {
      case gps_latitude_ref:
        r.latitude_ref = reference_letter(block, e);
        apply_sign(r.latitude, r.latitude_ref == 'S');
        break;
      case gps_latitude:
        if (!coordinate) break;
        r.latitude = read_coordinate(block, values, r.latitude_dms);
        apply_sign(r.latitude, r.latitude_ref == 'S');
        break;
      case gps_longitude_ref:
        r.longitude_ref = reference_letter(block, e);
        apply_sign(r.longitude, r.longitude_ref == 'W');
        break;
      case gps_longitude:
        if (!coordinate) break;
        r.longitude = read_coordinate(block, values, r.longitude_dms);
        apply_sign(r.longitude, r.longitude_ref == 'W');
        break;
      case gps_altitude_ref:
        r.altitude_ref = block.u8(e + 8);
        apply_sign(r.altitude, r.altitude_ref == 1);
        break;
      case gps_altitude:
        if (!single) break;
        r.altitude = rational_value(block.rational(values));
        apply_sign(r.altitude, r.altitude_ref == 1);
        break;
      case gps_time_stamp_tag:
        if (!coordinate) break;
        for (int i = 0; i < 3; ++i)
          r.gps_time_stamp[i] = rational_value(block.rational(values + 8 * i));
        r.has_gps_time_stamp = true;
        break;
      case gps_date_stamp_tag: {
        // Copied at once: the record outlives the block.
        const IfdEntry entry = decode_ifd_entry(block, e);
        if (entry.type == tiff_ascii) {
          const QByteArray view = ascii_view(entry);
          r.gps_date_stamp = QByteArray(view.constData(), std::min<qsizetype>(view.size(), 32));
        }
        break;
      }
      case gps_dop_tag:
        if (single) r.gps_dop = rational_value(block.rational(values));
        break;
      default:
        break;
    }
  }
}
