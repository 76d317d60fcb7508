#include "text/integer_text.h"

#include <gtest/gtest.h>

#include <string>

namespace rizazovoz {
namespace {

TEST(ParseInteger, SignedDecimalWithBlanksAround) {
  EXPECT_EQ(parseInteger("15625"), 15625);
  EXPECT_EQ(parseInteger("  7812 "), 7812);
  EXPECT_EQ(parseInteger("\t-50\t"), -50);
  EXPECT_EQ(parseInteger("+250"), 250);
  EXPECT_EQ(parseInteger("007"), 7);
  EXPECT_EQ(parseInteger("2147483647"), 2147483647);
  EXPECT_EQ(parseInteger("-2147483648"), -2147483647 - 1);
}

TEST(ParseInteger, AnythingElseIsNotAWholeNumber) {
  for (const std::string text :
       {"", "   ", "abc", "250ms", "7 812", "1e3", "12.5", "+", "-", "+-1", "--1", "0x10",
        "2147483648", "-2147483649", "99999999999999999999"}) {
    EXPECT_EQ(parseInteger(text), std::nullopt) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace rizazovoz
