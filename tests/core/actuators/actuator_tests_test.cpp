#include "actuators/actuator_tests.h"

#include <gtest/gtest.h>

namespace rizazovoz {
namespace {

ActuatorCommand Sent(ActuatorPanel& panel, std::string_view entry) {
  auto result = panel.Set(entry);
  EXPECT_TRUE(std::holds_alternative<ActuatorCommand>(result)) << std::get<std::string>(result);
  return std::holds_alternative<ActuatorCommand>(result) ? std::get<ActuatorCommand>(result)
                                                         : ActuatorCommand{};
}

std::string Refused(ActuatorPanel& panel, std::string_view entry) {
  auto result = panel.Set(entry);
  EXPECT_TRUE(std::holds_alternative<std::string>(result));
  return std::holds_alternative<std::string>(result) ? std::get<std::string>(result) : "";
}

TEST(ActuatorPanel, SetSendsTheChosenTestWithItsValue) {
  using M = ActuatorMode;
  struct Case {
    int test;
    const char* entry;
    ActuatorCommand sent;
  };
  const Case cases[] = {
      {0, "800", {M::Cancel, 0}},  // no test chosen yet
      {1, "800", {M::RpmControl, 102}},     {1, "2000", {M::RpmControl, 255}},
      {1, " 500 ", {M::RpmControl, 63}},    {1, "0", {M::RpmControl, 0}},
      {2, "---", {M::FixAdvance, 16}},  // the entry is not read
      {2, "5", {M::FixAdvance, 16}},        {5, "40", {M::EgrStepControl, 40}},
      {5, "100", {M::EgrStepControl, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.test) + " " + c.entry);
    ActuatorPanel panel;
    panel.Choose(c.test);
    EXPECT_EQ(Sent(panel, c.entry), c.sent);
    EXPECT_EQ(panel.lastValue(), c.sent.value);
  }
}

TEST(ActuatorPanel, TestsWithoutAValueCarryTheLastOneAndCancelKeepsTheTest) {
  ActuatorPanel panel;
  panel.Choose(1);
  Sent(panel, "800");
  panel.Choose(3);
  EXPECT_EQ(Sent(panel, "---"), (ActuatorCommand{ActuatorMode::IacCalibration, 102}));
  panel.Choose(6);
  EXPECT_EQ(Sent(panel, "---"), (ActuatorCommand{ActuatorMode::RadFanControl, 102}));
  EXPECT_EQ(ActuatorPanel::Cancel(), (ActuatorCommand{ActuatorMode::Cancel, 0}));
  EXPECT_EQ(panel.currentTest(), 6);
  EXPECT_EQ(Sent(panel, "---").mode, ActuatorMode::RadFanControl);
}

// Letters, and values the command's one byte cannot carry, send nothing and keep the value.
TEST(ActuatorPanel, EntriesThatCannotTravelAreRefusedWithTheReason) {
  ActuatorPanel panel;
  panel.Choose(1);
  Sent(panel, "800");
  EXPECT_EQ(Refused(panel, "abc"), "'abc' is not a valid integer value");
  EXPECT_EQ(Refused(panel, "3000"), "The target idle must be from 0 to 2000 rpm, not 3000");
  EXPECT_EQ(Refused(panel, "-5"), "The target idle must be from 0 to 2000 rpm, not -5");
  panel.Choose(5);
  EXPECT_EQ(Refused(panel, "101"), "The EGR position must be from 0 to 100 %, not 101");
  EXPECT_EQ(Refused(panel, ""), "'' is not a valid integer value");
  EXPECT_EQ(panel.lastValue(), 102);
}

TEST(ActuatorPanel, ChoosingATestGivesItsTextsAndMonitors) {
  ActuatorPanel panel;
  LiveValues v;
  v.targetIdle = 850;
  v.egr = 40;
  v.engineSpeed = 1234;
  v.coolantTemp = 85.6f;
  v.roadSpeed = 0;
  for (const std::optional<std::string>& text : panel.Monitors(v, '.')) EXPECT_FALSE(text);

  panel.Choose(1);
  ASSERT_NE(panel.current(), nullptr);
  EXPECT_EQ(panel.current()->title, "RPM Control");
  EXPECT_EQ(panel.current()->entryText, "800");
  auto texts = panel.Monitors(v, '.');
  EXPECT_EQ(texts[0], "850");
  EXPECT_EQ(texts[1], "1234");
  EXPECT_EQ(texts[2], "86");
  EXPECT_EQ(texts[3], "0");

  panel.Choose(6);  // the fan has nothing of its own to show
  EXPECT_EQ(panel.current()->title, "Radiator Fan Control");
  EXPECT_FALSE(panel.Monitors(v, '.')[0]);
  panel.Choose(5);
  EXPECT_EQ(panel.Monitors(v, '.')[0], "40");
  panel.Choose(9);  // no such test: the choice stays
  EXPECT_EQ(panel.currentTest(), 5);
}

TEST(ActuatorTests, EachFlagBitOffersItsTestInMenuOrder) {
  std::uint8_t bit = 1;
  int mode = 1;
  for (const ActuatorTest& test : ActuatorTests()) {
    EXPECT_EQ(test.flag, bit) << test.menuItem;
    EXPECT_EQ(static_cast<int>(test.mode), mode++) << test.menuItem;
    bit = static_cast<std::uint8_t>(bit << 1);
  }
}

}  // namespace
}  // namespace rizazovoz
