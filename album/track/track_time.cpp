#include "album/track/track_time.h"

#include <cmath>

namespace {

int code_of(char c) {
  return static_cast<unsigned char>(c);
}
int code_of(QChar c) {
  return c.unicode();
}

// The number of `count` digits at `at`, or -1.
template <typename Text>
int digits_at(const Text& text, qsizetype at, int count) {
  if (at + count > text.size()) return -1;
  int value = 0;
  for (int i = 0; i < count; ++i) {
    const int c = code_of(text[at + i]);
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

template <typename Text>
bool char_at(const Text& text, qsizetype at, char wanted) {
  return at < text.size() && code_of(text[at]) == wanted;
}

bool leap_year(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool valid_date(int year, int month, int day) {
  static constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || month < 1 || month > 12 || day < 1) return false;
  return day <= lengths[month - 1] + (month == 2 && leap_year(year) ? 1 : 0);
}

// "YYYY?MM?DD?HH:MM:SS" with the separators given; a leap second is taken as second 59.
template <typename Text>
std::optional<std::int64_t> date_and_time(const Text& text, char date_separator, char between) {
  const int year = digits_at(text, 0, 4), month = digits_at(text, 5, 2),
            day = digits_at(text, 8, 2);
  const int hour = digits_at(text, 11, 2), minute = digits_at(text, 14, 2);
  const int second = digits_at(text, 17, 2);
  if (!char_at(text, 4, date_separator) || !char_at(text, 7, date_separator) ||
      !char_at(text, 10, between) || !char_at(text, 13, ':') || !char_at(text, 16, ':')) {
    return std::nullopt;
  }
  if (!valid_date(year, month, day) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
      second < 0 || second > 60) {
    return std::nullopt;
  }
  const std::int64_t seconds =
      days_from_civil(year, month, day) * 86400 + hour * 3600 + minute * 60 + std::min(second, 59);
  return seconds * ms_per_second;
}

struct CivilDate {
  std::int64_t year;
  int month;
  int day;
};

CivilDate civil_from_days(std::int64_t days) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t doe = days - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

std::int64_t floor_div(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

}  // namespace

std::int64_t days_from_civil(std::int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yoe = year - era * 400;
  const std::int64_t doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

std::optional<std::int32_t> parse_utc_offset(QByteArrayView text) {
  text = text.trimmed();
  if (text.size() < 3 || (text[0] != '+' && text[0] != '-')) return std::nullopt;
  const int hours = digits_at(text, 1, 2);
  int minutes = 0;
  if (text.size() == 6 && text[3] == ':') {
    minutes = digits_at(text, 4, 2);
  } else if (text.size() == 5) {
    minutes = digits_at(text, 3, 2);
  } else if (text.size() != 3) {
    return std::nullopt;
  }
  if (hours < 0 || minutes < 0 || minutes > 59 || hours * 60 + minutes > 14 * 60) {
    return std::nullopt;
  }
  const std::int32_t seconds = (hours * 60 + minutes) * 60;
  return text[0] == '-' ? -seconds : seconds;
}

std::optional<std::int64_t> parse_exif_date_time(QByteArrayView text) {
  return date_and_time(text, ':', ' ');
}

std::optional<std::int64_t> parse_gpx_time(QStringView text) {
  text = text.trimmed();
  std::optional<std::int64_t> time = date_and_time(text, '-', 'T');
  if (!time) return std::nullopt;
  qsizetype at = 19;
  if (char_at(text, at, '.') || char_at(text, at, ',')) {
    // Milliseconds from the first three digits of the fraction, the rest passed over.
    std::int64_t scale = 100;
    // Only ASCII digits are digits: isDigit() would take other scripts' digits too.
    for (++at; at < text.size() && digits_at(text, at, 1) >= 0; ++at, scale /= 10) {
      *time += scale * (text[at].unicode() - '0');
    }
  }
  if (at == text.size() || (char_at(text, at, 'Z') && at + 1 == text.size())) return time;
  const std::optional<std::int32_t> offset = parse_utc_offset(text.sliced(at).toLatin1());
  if (!offset) return std::nullopt;
  return *time - std::int64_t{*offset} * ms_per_second;
}

std::optional<std::int64_t> gps_utc_time(QByteArrayView date_stamp, double time_of_day) {
  if (!(time_of_day >= 0 && time_of_day < 86400)) return std::nullopt;
  const int year = digits_at(date_stamp, 0, 4), month = digits_at(date_stamp, 5, 2);
  const int day = digits_at(date_stamp, 8, 2);
  if (date_stamp.size() != 10 || !char_at(date_stamp, 4, ':') || !char_at(date_stamp, 7, ':') ||
      !valid_date(year, month, day)) {
    return std::nullopt;
  }
  return days_from_civil(year, month, day) * ms_per_day +
         static_cast<std::int64_t>(std::llround(time_of_day * ms_per_second));
}

AnsiText format_utc_offset(std::int32_t seconds) {
  const std::int32_t minutes = std::abs(seconds) / 60;
  return (seconds < 0 ? "-" : "+") + AnsiText::number(minutes / 60).rightJustified(2, '0') + ':' +
         AnsiText::number(minutes % 60).rightJustified(2, '0');
}

AnsiText format_day(std::int64_t time_ms) {
  const CivilDate date = civil_from_days(floor_div(time_ms, ms_per_day));
  return AnsiText::number(date.year).rightJustified(4, '0') + ':' +
         AnsiText::number(date.month).rightJustified(2, '0') + ':' +
         AnsiText::number(date.day).rightJustified(2, '0');
}

WideText format_time(std::int64_t time_ms) {
  const std::int64_t in_day = time_ms - floor_div(time_ms, ms_per_day) * ms_per_day;
  const std::int64_t seconds = in_day / ms_per_second;
  return to_wide(format_day(time_ms).replace(':', '-')) +
         QStringLiteral(" %1:%2:%3")
             .arg(seconds / 3600, 2, 10, QChar(u'0'))
             .arg(seconds / 60 % 60, 2, 10, QChar(u'0'))
             .arg(seconds % 60, 2, 10, QChar(u'0'));
}

std::optional<std::int64_t> parse_max_gap(QStringView text) {
  text = text.trimmed();
  std::int64_t unit = 1;
  if (text.endsWith(u's')) {
    text.chop(1);
  } else if (text.endsWith(u'm')) {
    unit = 60;
    text.chop(1);
  } else if (text.endsWith(u'h')) {
    unit = 3600;
    text.chop(1);
  }
  bool ok = false;
  const qlonglong value = text.toLongLong(&ok);
  if (!ok || text.startsWith(u'+') || value < 0 || value > 7 * 86400 / unit) return std::nullopt;
  return value * unit;
}

std::optional<std::int64_t> parse_clock_shift(QStringView text) {
  bool ok = false;
  const qlonglong value = text.trimmed().toLongLong(&ok);
  constexpr std::int64_t hundred_years = std::int64_t{36525} * 86400;
  if (!ok || value > hundred_years || value < -hundred_years) return std::nullopt;
  return value;
}
