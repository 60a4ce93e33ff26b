#include "text/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "text/app_error.h"

namespace {

struct NumberCase {
  double value;
  const char* text;
};

TEST(NumberToText, WritesGeneralFormWithFifteenDigits) {
  const NumberCase cases[] = {
      {48.856613888888886, "48.8566138888889"},
      {-2.5, "-2.5"},
      {100, "100"},
      {0.00015, "0.00015"},
      {0.0001, "0.0001"},
      {0.00009, "9E-5"},
      {0.00001, "1E-5"},
      {1234567890123456.0, "1.23456789012346E15"},
      {1e14, "100000000000000"},
      {1e15, "1E15"},
      {999999999999999.0, "999999999999999"},
      {9999999999999999.0, "1E16"},  // carry out of the first digit
      {0.0, "0"},
      {-0.0, "0"},
      {1.5e300, "1.5E300"},
      {-1e-300, "-1E-300"},
      {4.9406564584124654e-324, "4.94065645841247E-324"},
      {123.456, "123.456"},
      {0.1, "0.1"},
      {-73.98513611111111, "-73.9851361111111"},
      {0.125, "0.125"},
      {1.0000000000000049, "1"},                 // 16th digit 4: cut down
      {1.0000000000000051, "1.00000000000001"},  // 16th digit 5: rounded up
  };
  for (const NumberCase& c : cases) {
    EXPECT_EQ(number_to_text(c.value), AnsiText(c.text)) << c.text;
  }
}

TEST(NumberToText, WritesNonFiniteValues) {
  EXPECT_EQ(number_to_text(std::numeric_limits<double>::quiet_NaN()), "NAN");
  EXPECT_EQ(number_to_text(std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(number_to_text(-std::numeric_limits<double>::infinity()), "-INF");
}

TEST(ParseNumber, ReadsValidTexts) {
  const NumberCase cases[] = {
      {1.5, " 1.5 "},  {5, "5."},      {0, "."},           {-0.5, "-.5"},
      {1e-5, "1E-5"},  {9e-5, "9E-5"}, {0.0001, "0.0001"}, {1500, "1.5e3"},
      {1.5, "+1.5"},   {1, "1E"},      {-1e-6, "-1E-6"},   {1, "1e+"},
      {120, "1.2E+2"}, {0, "0"},       {0, "1E-500"},      {48.85661, "48.85661"},
  };
  for (const NumberCase& c : cases) {
    EXPECT_EQ(parse_number(QString::fromLatin1(c.text)), c.value) << c.text;
  }
  EXPECT_TRUE(std::signbit(parse_number("-0")));
}

TEST(ParseNumber, RejectsInvalidTextsWithTheirText) {
  const char* cases[] = {"1,5", "",       "   ",   "-",   "+",    "E5",   "1.5x", "\t1",
                         "1 5", "1E5000", "1E500", "--1", "0x10", "1..2", "NAN"};
  for (const char* text : cases) {
    try {
      parse_number(QString::fromLatin1(text));
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const AppError& error) {
      EXPECT_EQ(error.message(),
                QStringLiteral("'%1' is not a valid floating point value").arg(text));
    }
  }
}

TEST(ParseNumber, ReadsBackEveryNumberTextRoundTrip) {
  std::mt19937_64 random(20240131);
  std::uniform_real_distribution<double> latitude(-90, 90), longitude(-180, 180);
  for (int i = 0; i < 20000; ++i) {
    for (double value : {latitude(random), longitude(random)}) {
      const AnsiText text = number_to_text(value);
      const double back = parse_number(to_wide(text));
      // Fifteen digits keep a coordinate to within one unit of the 15th digit.
      EXPECT_NEAR(back, value, std::fabs(value) * 1e-14) << text.constData();
      EXPECT_EQ(number_to_text(back), text);
      const WideText short_text = format_five_decimals(value);
      EXPECT_EQ(format_five_decimals(parse_number(short_text)), short_text);
    }
  }
}

TEST(FormatFiveDecimals, RoundsAtTheFifthDecimal) {
  const NumberCase cases[] = {
      {48.856613888888886, "48.85661"},
      {-73.98513611111111, "-73.98514"},
      {0.00015, "0.00015"},
      {-0.000005, "-0.00001"},
      {-0.000001, "0.00000"},
      {0.123455, "0.12345"},  // held as 0.12345499999...
      {0.0, "0.00000"},
      {-0.0, "0.00000"},
      {-0.000004, "0.00000"},
      {0.000005, "0.00001"},
      {-122.4194, "-122.41940"},
      {12.345678, "12.34568"},
      {9.999995, "10.00000"},  // carry into a new integer digit
      {99999.999995, "100000.00000"},
      {1e-30, "0.00000"},
      {123456789012345678.0, "123456789012345680.00000"},
      {1e17, "100000000000000000.00000"},
      {0.5, "0.50000"},
      {2.00002, "2.00002"},
      {-33.86781, "-33.86781"},
  };
  for (const NumberCase& c : cases) {
    EXPECT_EQ(format_five_decimals(c.value), QString::fromLatin1(c.text)) << c.text;
  }
}

TEST(FormatFiveDecimals, UsesTheGeneralFormBeyondItsRange) {
  EXPECT_EQ(format_five_decimals(1e18), "1E18");
  EXPECT_EQ(format_five_decimals(-2.5e20), "-2.5E20");
  EXPECT_EQ(format_five_decimals(std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(format_five_decimals(std::numeric_limits<double>::quiet_NaN()), "NAN");
}

}  // namespace
