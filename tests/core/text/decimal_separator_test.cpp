#include "text/decimal_separator.h"

#include <gtest/gtest.h>

#include <clocale>

namespace rizazovoz {
namespace {

TEST(DecimalSeparator, TakesASingleByteSeparatorAndFallsBackToThePoint) {
  EXPECT_EQ(decimalSeparatorFromText(","), ',');
  EXPECT_EQ(decimalSeparatorFromText("."), '.');
  EXPECT_EQ(decimalSeparatorFromText(""), '.');
  EXPECT_EQ(decimalSeparatorFromText(nullptr), '.');
  EXPECT_EQ(decimalSeparatorFromText("\xd9\xab"), '.');  // U+066B in UTF-8
}

TEST(DecimalSeparator, ReadsTheCurrentNumericLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  ASSERT_NE(std::setlocale(LC_NUMERIC, "C"), nullptr);
  EXPECT_EQ(decimalSeparatorFromLocale(), '.');
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr) {
    EXPECT_EQ(decimalSeparatorFromLocale(), ',');
  }
  std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
}  // namespace rizazovoz
