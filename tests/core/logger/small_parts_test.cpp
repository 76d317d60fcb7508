// The row store and the date and time of the header.
#include <gtest/gtest.h>

#include "logger/date_time_text.h"
#include "logger/row_store.h"

namespace rizazovoz {
namespace {

std::string Joined(const RowStore& rows) {
  std::string text;
  rows.ForEachBlock([&](std::string_view block) {
    text += block;
    return true;
  });
  return text;
}

TEST(RowStore, KeepsRowsInOrderAcrossBlocksWithoutSplittingOne) {
  RowStore rows;
  std::string expected;
  std::size_t blocks = 0;
  const std::string row = "36000000,6500,1013,-1.4E2,0.46\r\n";
  const std::size_t count = 3 * RowStore::kBlockSize / row.size();
  for (std::size_t n = 0; n < count; ++n) {
    rows.Append(row);
    expected += row;
  }
  const std::string huge(RowStore::kBlockSize + 5, 'x');  // longer than a block
  rows.Append(huge);
  expected += huge;
  rows.ForEachBlock([&](std::string_view block) {
    ++blocks;
    EXPECT_TRUE(block.ends_with("\r\n") || block == huge);
    return true;
  });
  EXPECT_GE(blocks, 4u);
  EXPECT_EQ(rows.Size(), expected.size());
  EXPECT_EQ(Joined(rows), expected);
  rows.Clear();
  EXPECT_TRUE(rows.Empty());
  EXPECT_EQ(Joined(rows), "");
}

TEST(DateTimeText, ShortDateAndTimeOfTheLocaleWithoutTheTimeAtMidnight) {
  std::tm moment{};
  moment.tm_year = 2026 - 1900;
  moment.tm_mon = 11;
  moment.tm_mday = 11;
  moment.tm_hour = 16;
  moment.tm_min = 45;
  EXPECT_EQ(DateTimeText(moment, "C"), "12/11/26 16:45:00");
  moment.tm_hour = 0;
  moment.tm_min = 0;
  EXPECT_EQ(DateTimeText(moment, "C"), "12/11/26");
  moment.tm_sec = 1;
  EXPECT_EQ(DateTimeText(moment, "C"), "12/11/26 00:00:01");
  EXPECT_EQ(DateTimeText(moment, "no_SUCH.locale"), "12/11/26 00:00:01");
}

}  // namespace
}  // namespace rizazovoz
