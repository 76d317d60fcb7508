#include "livedata/data_viewer_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace rizazovoz {
namespace {

using ::testing::ElementsAre;

const SensorKinds kMapDcFlow{"MAP", "DC", "FLOW"};

std::string Joined(const ViewerTexts& texts, int from, int count) {
  std::string out;
  for (int k = from; k < from + count; ++k) out += (k > from ? "|" : "") + texts[k];
  return out;
}

TEST(DataViewerModel, StartsFormattedOnPageOneWithNumberedCaptions) {
  const DataViewerModel model;
  EXPECT_TRUE(model.formatted());
  EXPECT_EQ(model.modeButtonCaption(), "Raw Data");
  EXPECT_EQ(model.pageButtonCaption(), "Page2");
  EXPECT_EQ(Joined(model.captions(), 0, 3), "0|1|2");
  EXPECT_EQ(model.captions()[24], "24");
  // Before the first re-caption the values are already the formatted page one's.
  LiveValues values;
  values.batteryVolts = 13.7f;
  EXPECT_EQ(model.Values(values, '.')[6], "13.70");
}

TEST(DataViewerModel, ModeAndPageClicksChangeCaptionsAndButtons) {
  DataViewerModel model;
  model.ToggleMode();
  model.Recaption(kMapDcFlow, "1103");
  EXPECT_EQ(model.modeButtonCaption(), "Format Data");
  EXPECT_EQ(model.captions()[0], "0");
  model.TogglePage();
  model.Recaption(kMapDcFlow, "1103");
  EXPECT_EQ(model.pageButtonCaption(), "Page1");
  EXPECT_EQ(Joined(model.captions(), 0, 2), "25|26");
  EXPECT_EQ(model.captions()[24], "49");
  LiveValues values;
  values.rawSlotValues[49] = 200;
  EXPECT_EQ(model.Values(values, '.')[24], "200");

  model.TogglePage();
  model.ToggleMode();  // raw page 1 to formatted page 1: every caption replaced
  model.Recaption(kMapDcFlow, "1103");
  EXPECT_EQ(model.modeButtonCaption(), "Raw Data");
  EXPECT_EQ(Joined(model.captions(), 0, 5), "VSS|RPM|MAP (mB)|TPS(%)|TPS(V)");
  EXPECT_THAT((std::array{model.captions()[21], model.captions()[22], model.captions()[23],
                          model.captions()[24]}),
              ElementsAre("--", "MPG", "--", "--"));
}

TEST(DataViewerModel, KindsNameTheirReadoutsAndChooseTheAirflowValue) {
  struct Case {
    SensorKinds kinds;
    const char* airflow;
    const char* airflowValue;
    const char* idleAir;
    const char* egr;
  };
  LiveValues values;
  values.mapPressure = 1013;
  values.airFlow = 1234;
  const Case cases[] = {
      {{"MAP", "FLOW", "FLOW"}, "MAP (mB)", "1013", "IAC Flow (l/m)", "EGR Flow (l/m)"},
      {{"VAF", "DC", "POS"}, "VAF (l/m)", "1234", "IAC Duty (%)", "EGR Pos (%)"},
      {{"MAF", "POS", ""}, "MAF (g/s)", "1234", "ISC Pos (%)", "EGR Pos (%)"},
      {{"", "", ""}, "MAF (g/s)", "1234", "ISC Pos (%)", "EGR Pos (%)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.airflow);
    DataViewerModel model;
    model.Recaption(c.kinds, "1103");
    EXPECT_EQ(model.captions()[2], c.airflow);
    EXPECT_EQ(model.Values(values, '.')[2], c.airflowValue);
    EXPECT_EQ(model.captions()[14], c.idleAir);
    EXPECT_EQ(model.captions()[17], c.egr);
  }
}

TEST(DataViewerModel, FormattedValuesInTheirFormatsWithTheUsersSeparator) {
  LiveValues v;
  v.batteryVolts = 13.7f;
  v.tpsPercent = 45;
  v.injPulseWidth = {2.5f, 3.25f};
  v.coolantTemp = 85.6f;
  v.engineSpeed = 812;
  v.roadSpeed = -3;
  v.faultFlags = {1, 2, 3, 4, 5};
  v.statusFlags = {6, 7, 8, 9, 10};
  v.timeFromStart = 4711;
  DataViewerModel model;
  model.Recaption(kMapDcFlow, "1103");
  const ViewerTexts one = model.Values(v, ',');
  EXPECT_EQ(one[6], "13,70");
  EXPECT_EQ(one[3], "45,0");
  EXPECT_EQ(one[12], "2,500");
  EXPECT_EQ(one[7], "86");
  EXPECT_EQ(one[1], "812");
  EXPECT_EQ(one[0], "-3");
  EXPECT_EQ(one[21], "--");

  model.TogglePage();
  model.Recaption(kMapDcFlow, "1103");
  const ViewerTexts two = model.Values(v, '.');
  EXPECT_EQ(Joined(two, 0, 8), "1|2|3|4|6|7|8|9");  // entry 4 of each is not shown
  EXPECT_EQ(two[12], "3.250");
  EXPECT_EQ(two[19], "4711");
  EXPECT_EQ(Joined(two, 20, 5), "--|--|--|--|--");
}

TEST(DataViewerModel, IdentityZeroDisablesTheModeButtonUntilAPageClick) {
  DataViewerModel model;
  model.Recaption(kMapDcFlow, "0000");
  EXPECT_FALSE(model.modeButtonEnabled());
  model.TogglePage();
  EXPECT_TRUE(model.modeButtonEnabled());
  model.Recaption(kMapDcFlow, "0000");  // the re-caption after the click disables it again
  EXPECT_FALSE(model.modeButtonEnabled());
  model.TogglePage();
  model.Recaption(kMapDcFlow, "1103");
  EXPECT_TRUE(model.modeButtonEnabled());
}

}  // namespace
}  // namespace rizazovoz
