#pragma once
// Number <-> text conversions with fixed rules: '.' as decimal separator, '-' as minus sign,
// 'E' as exponent letter, no grouping, independent of the user's locale.
#include "text/text_types.h"

// General form with at most 15 significant digits: 48.8566138888889, 0.0001, 1E-5, 1.5E15.
AnsiText number_to_text(double x);

// Reads a decimal number with optional sign, fraction and exponent, blanks around it allowed.
// Throws AppError "'<text>' is not a valid floating point value" for anything else.
double parse_number(const WideText& text);

// Exactly five decimals ("0.00000"), rounded half up after an 18-digit first rounding.
WideText format_five_decimals(double x);
