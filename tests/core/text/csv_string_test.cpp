#include "text/csv_string.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace rizazovoz {
namespace {

struct SplitCase {
  const char* value;
  const char* field;
  const char* rest;
  bool separated;
};

TEST(CSVStringSplit, TakesTheFirstFieldAndLeavesTheValue) {
  const SplitCase cases[] = {
      {"a,b,c", "a", "b,c", true},  {"a,,b", "a", ",b", true},
      {",b", "", "b", true},        {"a,", "a", "", true},  // a trailing separator still separates
      {"a\r\nb", "a", "\nb", true}, {"\nb", "", "b", true},
      {"x\ry", "x", "y", true},     {"Idle Position,OPEN,IDLE", "Idle Position", "OPEN,IDLE", true},
      {"IDLE", "IDLE", "", false},  {"", "", "", false},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::string(c.value)));
    CSVString value(c.value);
    CSVString field("stale");
    CSVString rest("stale");
    EXPECT_EQ(value.split(field, rest), c.separated);
    EXPECT_STREQ(field.text(), c.field);
    EXPECT_EQ(field.length(), static_cast<int>(std::string(c.field).size()));
    EXPECT_STREQ(rest.text(), c.rest);
    EXPECT_EQ(rest.length(), static_cast<int>(std::string(c.rest).size()));
    EXPECT_STREQ(value.text(), c.value);
  }
}

// What the value reads after each split into itself, and the field and result each time.
std::vector<std::string> Consume(const char* text) {
  CSVString value(text);
  CSVString field("");
  std::vector<std::string> steps;
  bool more = true;
  while (more) {
    more = value.split(field, value);
    steps.push_back(std::string(field.text()) + "|" + value.text() + (more ? "|true" : "|false"));
  }
  return steps;
}

TEST(CSVStringSplit, SplittingIntoItselfConsumesOneFieldAtATime) {
  EXPECT_EQ(Consume("a,b,c"), (std::vector<std::string>{"a|b,c|true", "b|c|true", "c||false"}));
  EXPECT_EQ(Consume("Rich/Lean Monitor,LEAN,RICH"),
            (std::vector<std::string>{"Rich/Lean Monitor|LEAN,RICH|true", "LEAN|RICH|true",
                                      "RICH||false"}));
  EXPECT_EQ(Consume("on\r\n"), (std::vector<std::string>{"on|\n|true", "||true", "||false"}));
  EXPECT_EQ(Consume(""), (std::vector<std::string>{"||false"}));
}

TEST(CSVStringSplit, SplittingIntoItselfAsTheFieldKeepsBothParts) {
  CSVString value("name,off,on");
  CSVString rest("");
  EXPECT_TRUE(value.split(value, rest));
  EXPECT_STREQ(value.text(), "name");
  EXPECT_STREQ(rest.text(), "off,on");
}

TEST(CSVStringValue, CopiesAreDeepAndSelfAssignmentChangesNothing) {
  CSVString original("OFF");
  CSVString copy(original);
  copy.append('!');
  EXPECT_STREQ(original.text(), "OFF");
  EXPECT_STREQ(copy.text(), "OFF!");
  EXPECT_NE(copy.text(), original.text());

  CSVString assigned("something longer than before");
  assigned = original;
  original.clear();
  EXPECT_STREQ(assigned.text(), "OFF");
  EXPECT_EQ(assigned.length(), 3);

  CSVString& same = assigned;
  assigned = same;
  EXPECT_STREQ(assigned.text(), "OFF");
  assigned = std::move(same);
  EXPECT_STREQ(assigned.text(), "OFF");
}

TEST(CSVStringValue, AMovedFromValueIsEmptyAndUsable) {
  CSVString from("ON");
  CSVString to(std::move(from));
  EXPECT_STREQ(to.text(), "ON");
  EXPECT_STREQ(from.text(), "");  // NOLINT(bugprone-use-after-move): the state is defined
  EXPECT_EQ(from.length(), 0);
  from.append('x');
  EXPECT_STREQ(from.text(), "x");
  to = std::move(from);
  EXPECT_STREQ(to.text(), "x");
  EXPECT_EQ(from.length(), 0);  // NOLINT(bugprone-use-after-move)
}

TEST(CSVStringValue, AppendClearAndTheEdgesOfWhatItHolds) {
  CSVString value(nullptr);  // no text is the empty text
  EXPECT_STREQ(value.text(), "");
  EXPECT_EQ(value.length(), 0);
  for (char c : std::string("a,\r\n\xFF")) value.append(c);
  EXPECT_EQ(value.length(), 5);
  EXPECT_STREQ(value.text(), "a,\r\n\xFF");
  EXPECT_THROW(value.append('\0'), std::invalid_argument);
  EXPECT_EQ(value.length(), 5);
  value.clear();
  EXPECT_STREQ(value.text(), "");
  EXPECT_EQ(value.length(), 0);
}

struct DiffersCase {
  const char* a;
  const char* b;
  bool differs;
};

TEST(CSVStringDiffers, ComparesWithAsciiLetterCaseIgnored) {
  const DiffersCase cases[] = {
      {"Unimplemented", "UNIMPLEMENTED", false},
      {"Unimplemented", "unimplemented", false},
      {"On", "Off", true},
      {"", "", false},
      {"OFF", "OFF ", true},  // length counts
      {"", "x", true},
      {"@", "`", true},  // one case bit apart, but not letters
      {"[", "{", true},
      {"\xC4", "\xE4", true},  // letters outside ASCII are compared as they are
  };
  for (const DiffersCase& c : cases) {
    EXPECT_EQ(CSVString(c.a).differs(CSVString(c.b)), c.differs) << c.a << " / " << c.b;
    EXPECT_EQ(CSVString(c.b).differs(CSVString(c.a)), c.differs) << c.b << " / " << c.a;
  }
}

}  // namespace
}  // namespace rizazovoz
