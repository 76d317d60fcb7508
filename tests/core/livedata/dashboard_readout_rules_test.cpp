#include "livedata/dashboard_readout_rules.h"

#include <gtest/gtest.h>

namespace rizazovoz {
namespace {

// Volts as the decoder stores them: the byte divided by the ECU's divisor, in single precision.
float volts(int byte, float divisor) { return static_cast<float>(byte) / divisor; }

struct VoltsCase {
  int byte;
  float divisor;
  const char* text;
  ReadoutColor color;
};

TEST(DashboardReadoutRules, BatteryVoltsTextAndBand) {
  const VoltsCase cases[] = {
      {185, 12.5f, "14.80V", ReadoutColor::kRed},  // the float 14.8 lies above 14.8
      {184, 12.5f, "14.72V", ReadoutColor::kGreen}, {115, 12.8f, "8.98V", ReadoutColor::kRed},
      {116, 12.8f, "9.06V", ReadoutColor::kGreen},  {0, 12.5f, "0.00V", ReadoutColor::kRed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.byte);
    EXPECT_EQ(BatteryVoltsReadout(volts(c.byte, c.divisor), '.'), (LabelReadout{c.text, c.color}));
  }
  EXPECT_EQ(BatteryVoltsReadout(9.0f, '.').color, ReadoutColor::kGreen);  // 9 V is healthy
}

TEST(DashboardReadoutRules, OxygenVoltsTextAndBand) {
  const VoltsCase cases[] = {
      {90, 200, "0.450V", ReadoutColor::kYellow},  // the float 0.45 lies below 0.45
      {91, 200, "0.455V", ReadoutColor::kGreen},  {180, 200, "0.900V", ReadoutColor::kGreen},
      {181, 200, "0.905V", ReadoutColor::kRed},   {0, 200, "0.000V", ReadoutColor::kYellow},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.byte);
    EXPECT_EQ(O2VoltsReadout(volts(c.byte, c.divisor), '.'), (LabelReadout{c.text, c.color}));
  }
}

TEST(DashboardReadoutRules, PlainReadoutsLeaveTheColourAlone) {
  EXPECT_EQ(IgnitionAdvanceReadout(-12), (LabelReadout{"-12", std::nullopt}));
  EXPECT_EQ(TwoDecimalReadout(3.456f, '.'), (LabelReadout{"3.46", std::nullopt}));
  EXPECT_EQ(TwoDecimalReadout(-7.5f, ','), (LabelReadout{"-7,50", std::nullopt}));
  EXPECT_EQ(BatteryVoltsReadout(12.0f, ',').text, "12,00V");
}

TEST(DashboardReadoutRules, MilColourFollowsTheFaultState) {
  EXPECT_EQ(MilColor(MilState::kCurrentFault), ReadoutColor::kRed);
  EXPECT_EQ(MilColor(MilState::kStoredFault), ReadoutColor::kYellow);
  EXPECT_EQ(MilColor(MilState::kNoFault), ReadoutColor::kBlack);
  EXPECT_EQ(ReadoutColorRgb(ReadoutColor::kGreen), 0x008000u);
}

}  // namespace
}  // namespace rizazovoz
