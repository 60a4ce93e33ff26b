#pragma once
// Times of tracks and photos as whole milliseconds since 1970-01-01 00:00 on a given clock (UTC
// for track points and placed photos, the camera's wall clock for EXIF date-times), read and
// written without the locale or the time zone database.
#include <QByteArrayView>
#include <QStringView>
#include <cstdint>
#include <optional>

#include "text/text_types.h"

inline constexpr std::int64_t ms_per_second = 1000;
inline constexpr std::int64_t ms_per_day = 86400 * ms_per_second;

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
std::int64_t days_from_civil(std::int64_t year, int month, int day);

// "+02:00", "-05:30", "+0200" or "+02" as seconds east of UTC; none for anything else or beyond
// 14 hours.
std::optional<std::int32_t> parse_utc_offset(QByteArrayView text);

// An EXIF date-time "YYYY:MM:DD HH:MM:SS" (anything after the seconds is ignored) on its own
// clock; none when it is no valid date and time.
std::optional<std::int64_t> parse_exif_date_time(QByteArrayView text);

// A GPX time, ISO 8601 "YYYY-MM-DDTHH:MM:SS", optional fraction, then "Z", an offset or nothing
// (taken as UTC), as UTC.
std::optional<std::int64_t> parse_gpx_time(QStringView text);

// A GPS date stamp "YYYY:MM:DD" and time of day in seconds (UTC) as one time.
std::optional<std::int64_t> gps_utc_time(QByteArrayView date_stamp, double time_of_day);

// "+02:00" for 7200, "-05:30" for -19800.
AnsiText format_utc_offset(std::int32_t seconds);

// "2024:06:04" for a time on its own clock.
AnsiText format_day(std::int64_t time_ms);

// "2024-06-04 08:12:03" for a time on its own clock.
WideText format_time(std::int64_t time_ms);

// The album command's and the window's texts for the track options.
// --max-gap: whole seconds, or a number with "s", "m" or "h" ("90", "90s", "5m", "1h"), at most
// a week. --clock-shift: whole seconds with an optional sign, at most a hundred years.
std::optional<std::int64_t> parse_max_gap(QStringView text);
std::optional<std::int64_t> parse_clock_shift(QStringView text);
