#include "text/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "text/app_error.h"

namespace {

// |x| as 0.d1 d2 ... d18 x 10^exponent, correctly rounded to 18 significant digits (ties to
// even) from the 80-bit extended value.
struct Digits18 {
  char digit[18];
  int exponent;
};

Digits18 decimal_digits(long double magnitude) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17Le", magnitude);  // d.ddddddddddddddddde+XX
  Digits18 result;
  result.digit[0] = buffer[0];
  for (int i = 1; i < 18; ++i) result.digit[i] = buffer[i + 1];
  result.exponent = std::atoi(buffer + 20) + 1;
  return result;
}

// Rounds the first `keep` digits half up. Returns the kept digits; a carry out of the first
// digit yields a leading '1' and raises `exponent`.
std::string round_half_up(const Digits18& digits, int keep, int& exponent) {
  std::string kept(digits.digit, digits.digit + keep);
  if (keep < 18 && digits.digit[keep] >= '5') {
    int i = keep - 1;
    while (i >= 0 && kept[i] == '9') kept[i--] = '0';
    if (i >= 0) {
      ++kept[i];
    } else {
      kept.insert(kept.begin(), '1');
      ++exponent;
    }
  }
  return kept;
}

AnsiText nonfinite_text(double x) {
  if (std::isnan(x)) return "NAN";
  return x < 0 ? "-INF" : "INF";
}

long double power_of_ten(int k) {
  // Exact up to 10^27 in the 64-bit mantissa of the extended format.
  if (k <= 27) {
    long double p = 1.0L;
    for (int i = 0; i < k; ++i) p *= 10.0L;
    return p;
  }
  return std::pow(10.0L, static_cast<long double>(k));
}

[[noreturn]] void invalid_number(const WideText& text) {
  throw AppError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

}  // namespace

AnsiText number_to_text(double x) {
  if (!std::isfinite(x)) return nonfinite_text(x);
  if (x == 0) return "0";
  const Digits18 digits = decimal_digits(std::fabs(static_cast<long double>(x)));
  int exponent = digits.exponent;
  std::string d = round_half_up(digits, 15, exponent);
  while (d.size() > 1 && d.back() == '0') d.pop_back();
  const int n = static_cast<int>(d.size());

  std::string out = x < 0 ? "-" : "";
  if (exponent >= -3 && exponent <= 15) {
    if (exponent <= 0) {
      out += "0.";
      out.append(-exponent, '0');
      out += d;
    } else if (n <= exponent) {
      out += d;
      out.append(exponent - n, '0');
    } else {
      out += d.substr(0, exponent) + "." + d.substr(exponent);
    }
  } else {
    out += d[0];
    if (n > 1) out += "." + d.substr(1);
    out += "E" + std::to_string(exponent - 1);
  }
  return AnsiText::fromStdString(out);
}

double parse_number(const WideText& text) {
  const qsizetype size = text.size();
  qsizetype i = 0;
  auto at = [&](qsizetype k) { return k < size ? text[k].unicode() : char16_t(0); };
  auto is_digit = [&](qsizetype k) { return at(k) >= u'0' && at(k) <= u'9'; };

  while (at(i) == u' ') ++i;
  bool negative = false;
  if (at(i) == u'+' || at(i) == u'-') negative = at(i++) == u'-';

  long double mantissa = 0.0L;
  int scale = 0;
  bool read_something = false;
  for (; is_digit(i); ++i, read_something = true) mantissa = mantissa * 10 + (at(i) - u'0');
  if (at(i) == u'.') {
    read_something = true;
    for (++i; is_digit(i); ++i, --scale) mantissa = mantissa * 10 + (at(i) - u'0');
  }
  if (!read_something) invalid_number(text);

  if (at(i) == u'E' || at(i) == u'e') {
    ++i;
    bool negative_exponent = false;
    if (at(i) == u'+' || at(i) == u'-') negative_exponent = at(i++) == u'-';
    int exponent = 0;
    for (; is_digit(i) && exponent < 500; ++i) exponent = exponent * 10 + (at(i) - u'0');
    scale += negative_exponent ? -exponent : exponent;
  }
  while (at(i) == u' ') ++i;
  if (i != size) invalid_number(text);

  long double value = 0.0L;
  if (mantissa != 0) {
    value = scale >= 0 ? mantissa * power_of_ten(scale) : mantissa / power_of_ten(-scale);
  }
  const double result = static_cast<double>(value);
  if (!std::isfinite(result)) invalid_number(text);
  return negative ? -result : result;
}

WideText format_five_decimals(double x) {
  if (!std::isfinite(x) || std::fabs(x) >= 1e18) return to_wide(number_to_text(x));

  // The kept digits are round(|x| * 10^5) as a whole number.
  std::string scaled = "0";
  if (x != 0) {
    const Digits18 digits = decimal_digits(std::fabs(static_cast<long double>(x)));
    int exponent = digits.exponent;
    const int keep = exponent + 5;
    if (keep > 0) {
      scaled = round_half_up(digits, keep < 18 ? keep : 18, exponent);
      if (keep > 18) scaled.append(keep - 18, '0');
    } else if (keep == 0 && digits.digit[0] >= '5') {
      scaled = "1";
    }
  }
  const bool is_zero = scaled.find_first_not_of('0') == std::string::npos;
  if (scaled.size() < 6) scaled.insert(0, 6 - scaled.size(), '0');
  scaled.insert(scaled.size() - 5, ".");
  if (x < 0 && !is_zero) scaled.insert(0, "-");
  return QString::fromLatin1(scaled.data(), static_cast<qsizetype>(scaled.size()));
}
