#include "logger/time_base.h"

#include <gtest/gtest.h>

#include "logger/time_labels.h"

namespace rizazovoz {
namespace {

TEST(TimeBase, WholeSecondsFromOneTo3600GiveOneSamplePerGridColumn) {
  const std::pair<const char*, std::int32_t> accepted[] = {
      {"1", 40},    {"2", 80},    {"5", 200},       {"10", 400},   {"15", 600},
      {"30", 1200}, {"60", 2400}, {"3600", 144000}, {" 10 ", 400}, {"+7", 280},
  };
  for (const auto& [text, interval] : accepted) {
    SCOPED_TRACE(text);
    EXPECT_EQ(SampleIntervalFor(text, 25), interval);
  }
  for (const char* refused : {"0", "-5", "3601", "99999999999", "abc", "", "1.5", "10s", "1e2"}) {
    SCOPED_TRACE(refused);
    EXPECT_EQ(SampleIntervalFor(refused, 25), std::nullopt);
  }
  EXPECT_EQ(SampleIntervalFor("10", 0), std::nullopt);
  EXPECT_EQ(SampleIntervalFor("1", 30), 33);  // truncated
  EXPECT_EQ(SampleIntervalText(400), "Sample interval: 400ms");
}

TEST(TimeLabels, NewestSampleAtTheRightEdgeAndAGraphWidthBack) {
  struct Case {
    std::uint32_t count;
    std::int32_t interval;
    char separator;
    TimeLabelTexts expected;
  };
  const Case cases[] = {
      {1, 400, '.', {"0.4", "-79.6", "-160.0", "-240.0", "-320.0"}},
      {1, 400, ',', {"0,4", "-79,6", "-160,0", "-240,0", "-320,0"}},
      {2500, 400, '.', {"1E3", "920.0", "840.0", "760.0", "680.0"}},  // 1000 s
      {2501, 400, ',', {"1E3", "920,0", "840,0", "760,0", "680,0"}},  // 1000.4 s
      {3, 40, '.', {"0.1", "-7.9", "-15.9", "-23.9", "-31.9"}},
      {0, 144000, '.', {"0.0", "-2.88E4", "-5.76E4", "-8.64E4", "-1.15E5"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.count << " × " << c.interval);
    EXPECT_EQ(TimeLabels(c.count, c.interval, 800, c.separator), c.expected);
  }
}

}  // namespace
}  // namespace rizazovoz
