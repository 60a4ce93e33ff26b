#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "app/error_report.h"
#include "app/message_boxes.h"
#include "app_test_support.h"
#include "text/app_error.h"

namespace {

struct ErrorBoxTextCase {
  const char* message;
  const char* shown;
};

void PrintTo(const ErrorBoxTextCase& c, std::ostream* os) {
  *os << '"' << c.message << '"';
}

class ErrorBoxText : public ::testing::TestWithParam<ErrorBoxTextCase> {};

TEST_P(ErrorBoxText, AppendsAPeriodOnlyAfterCharactersAboveIt) {
  EXPECT_EQ(error_box_text(QString::fromUtf8(GetParam().message)),
            QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ErrorBoxText,
    ::testing::Values(
        ErrorBoxTextCase{"Cannot open file", "Cannot open file."},
        ErrorBoxTextCase{"List index out of bounds (0)", "List index out of bounds (0)"},
        ErrorBoxTextCase{"Already ends.", "Already ends."},
        ErrorBoxTextCase{"trailing blank ", "trailing blank "}, ErrorBoxTextCase{"", ""},
        ErrorBoxTextCase{"comma,", "comma,"}, ErrorBoxTextCase{"dash-", "dash-"},
        ErrorBoxTextCase{"quote\"", "quote\""}, ErrorBoxTextCase{"slash/", "slash/."},
        ErrorBoxTextCase{"digit 7", "digit 7."}, ErrorBoxTextCase{"caf\xC3\xA9", "caf\xC3\xA9."}));

std::exception_ptr caught(const std::function<void()>& thrower) {
  try {
    thrower();
  } catch (...) {
    return std::current_exception();
  }
  return nullptr;
}

struct ErrorMessageCase {
  const char* name;
  std::function<void()> thrower;
  const char* message;
};

void PrintTo(const ErrorMessageCase& c, std::ostream* os) {
  *os << c.name;
}

class ErrorMessage : public ::testing::TestWithParam<ErrorMessageCase> {};

TEST_P(ErrorMessage, IsTakenFromTheInnermostErrorThatHasOne) {
  EXPECT_EQ(error_message_of(caught(GetParam().thrower)), QString::fromUtf8(GetParam().message));
}

void throw_nested(const char* inner, const char* outer) {
  try {
    throw std::runtime_error(inner);
  } catch (...) {
    std::throw_with_nested(AppError(QString::fromUtf8(outer)));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ErrorMessage,
    ::testing::Values(
        ErrorMessageCase{"AppError", [] { throw AppError(QStringLiteral("Stra\u00DFe fehlt")); },
                         "Stra\xC3\x9F"
                         "e fehlt"},
        ErrorMessageCase{"StdError", [] { throw std::runtime_error("plain"); }, "plain"},
        ErrorMessageCase{"OutOfMemory", [] { throw std::bad_alloc(); }, "Out of memory"},
        ErrorMessageCase{"NotAnException", [] { throw 42; }, ""},
        ErrorMessageCase{"Nested", [] { throw_nested("inner", "outer"); }, "inner"},
        ErrorMessageCase{"NestedEmpty", [] { throw_nested("", "outer"); }, "outer"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RunGuarded, ShowsEscapingErrorsInTheErrorBoxAndReturns) {
  DesktopCapture desktop;
  run_guarded([] { throw AppError(QStringLiteral("Template missing")); });
  run_guarded([] { throw 7; });
  run_guarded([] {});
  ASSERT_EQ(desktop.boxes.size(), 2u);
  EXPECT_EQ(desktop.boxes[0].text, QStringLiteral("Template missing."));
  EXPECT_EQ(desktop.boxes[0].caption, QStringLiteral("Trailbook"));
  EXPECT_EQ(desktop.boxes[0].icon, QMessageBox::Critical);
  EXPECT_EQ(desktop.boxes[1].text, QString());
}

TEST(PlainMessage, HasNoIconAndTheApplicationTitle) {
  DesktopCapture desktop;
  show_plain_message(QStringLiteral("No photo has a position"));
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].icon, QMessageBox::NoIcon);
  EXPECT_EQ(desktop.boxes[0].caption, QStringLiteral("Trailbook"));
  EXPECT_EQ(desktop.boxes[0].text, QStringLiteral("No photo has a position"));
}

}  // namespace
