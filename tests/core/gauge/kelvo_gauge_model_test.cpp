#include "gauge/kelvo_gauge_model.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace rizazovoz {
namespace {

using namespace gauge_colors;

struct CountingListener : GaugeRepaintListener {
  void repaintGauge() override { ++repaints; }
  int repaints = 0;
};

class KelvoGaugeModelTest : public testing::Test {
 protected:
  // Sets the range (widest first, so that no step is refused) and the value, then forgets the
  // repaints that took. `max` must not be 0.
  void setUp(std::int32_t min, std::int32_t max, std::int32_t progress) {
    ASSERT_EQ(gauge.SetMinValue(INT_MIN), std::nullopt);
    ASSERT_EQ(gauge.SetMaxValue(max), std::nullopt);
    ASSERT_EQ(gauge.SetMinValue(min), std::nullopt);
    gauge.SetProgress(progress);
    ASSERT_EQ(gauge.properties().progress, progress);
    listener.repaints = 0;
  }

  CountingListener listener;
  KelvoGaugeModel gauge{&listener};
};

TEST_F(KelvoGaugeModelTest, ANewGaugeIsAWhiteOnBlackDialOverTheByteRange) {
  const GaugeProperties& p = gauge.properties();
  EXPECT_EQ(p.kind, TKelvoGaugeKind::rgk270);
  EXPECT_EQ(p.minValue, 0);
  EXPECT_EQ(p.maxValue, 255);
  EXPECT_EQ(p.progress, 0);
  EXPECT_EQ(p.nTicks, 11);
  EXPECT_EQ(p.title, "");
  EXPECT_TRUE(p.showText);
  EXPECT_EQ(p.borderStyle, TFormBorderStyle::bsSingle);
  EXPECT_EQ(p.foreColor, kWhite);
  EXPECT_EQ(p.backColor, kBlack);
  EXPECT_EQ(p.borderColor, kGray);
  EXPECT_EQ(p.needleColor1, kRed);
  EXPECT_EQ(p.needleColor2, kYellow);
  EXPECT_EQ(p.lcdColor, kSilver);
  EXPECT_EQ(gauge.GetPercentDone(), 0);
}

struct PercentCase {
  std::int32_t min, max, progress, percent;
};

TEST(GaugePercentDone, FloorsTheShareOfTheRange) {
  const PercentCase cases[] = {
      {0, 8000, 3999, 49},
      {0, 8000, 4040, 50},
      {0, 100, 29, 29},  // 100 * 29 / 100
      {0, 100, 57, 57},
      {-100, 100, 0, 50},
      {-40, 215, -40, 0},
      {0, 255, 255, 100},
      {7, 7, 7, 0},
      {0, 3, 1, 33},
      {INT_MIN, INT_MAX, INT_MAX, 100},
      {INT_MIN, INT_MAX, 0, 50},
      {INT_MIN, INT_MAX, INT_MIN, 0},
  };
  for (const PercentCase& c : cases) {
    EXPECT_EQ(gaugePercentDone(c.min, c.max, c.progress), c.percent)
        << c.progress << " in " << c.min << ".." << c.max;
  }
}

TEST_F(KelvoGaugeModelTest, ProgressIsClampedIntoTheRange) {
  gauge.SetProgress(300);
  EXPECT_EQ(gauge.properties().progress, 255);
  EXPECT_EQ(gauge.GetPercentDone(), 100);
  gauge.SetProgress(-5);
  EXPECT_EQ(gauge.properties().progress, 0);
  EXPECT_EQ(listener.repaints, 2);
}

TEST_F(KelvoGaugeModelTest, ProgressRepaintsOnlyWhenTheWholePercentageChanges) {
  setUp(0, 8000, 4000);
  gauge.SetProgress(4040);  // still 50 %
  EXPECT_EQ(gauge.properties().progress, 4040);
  EXPECT_EQ(listener.repaints, 0);
  gauge.SetProgress(4080);  // 51 %
  EXPECT_EQ(listener.repaints, 1);
  gauge.SetProgress(4080);
  gauge.SetProgress(9000);  // clamped to 8000: 100 %
  EXPECT_EQ(listener.repaints, 2);
  gauge.SetProgress(8000);
  EXPECT_EQ(listener.repaints, 2);
}

TEST_F(KelvoGaugeModelTest, AddProgressAlwaysRepaints) {
  gauge.AddProgress(0);
  EXPECT_EQ(listener.repaints, 1);
  gauge.AddProgress(1);  // 0 % to 0 %: only the unconditional repaint
  EXPECT_EQ(listener.repaints, 2);
  gauge.AddProgress(99);  // 0 % to 39 %: the percentage's repaint and the unconditional one
  EXPECT_EQ(gauge.properties().progress, 100);
  EXPECT_EQ(listener.repaints, 4);
  gauge.AddProgress(-1000);
  EXPECT_EQ(gauge.properties().progress, 0);
}

TEST_F(KelvoGaugeModelTest, AddProgressStopsAtTheEndsOfTheIntegerRange) {
  setUp(INT_MIN, INT_MAX, INT_MAX - 1);
  gauge.AddProgress(10);
  EXPECT_EQ(gauge.properties().progress, INT_MAX);
  gauge.SetProgress(INT_MIN + 1);
  gauge.AddProgress(-10);
  EXPECT_EQ(gauge.properties().progress, INT_MIN);
}

TEST_F(KelvoGaugeModelTest, LimitsPullTheProgressAlong) {
  setUp(0, 255, 100);
  ASSERT_EQ(gauge.SetMaxValue(50), std::nullopt);
  EXPECT_EQ(gauge.properties().progress, 50);
  ASSERT_EQ(gauge.SetMinValue(50), std::nullopt);  // equal to the maximum is allowed
  EXPECT_EQ(gauge.properties().minValue, 50);
  ASSERT_EQ(gauge.SetMinValue(-20), std::nullopt);
  EXPECT_EQ(gauge.properties().progress, 50);
  ASSERT_EQ(gauge.SetMinValue(20), std::nullopt);
  EXPECT_EQ(gauge.properties().progress, 50);
  EXPECT_EQ(listener.repaints, 4);
}

TEST_F(KelvoGaugeModelTest, AMinimumAboveTheMaximumIsRefusedAndChangesNothing) {
  setUp(10, 255, 40);
  EXPECT_EQ(gauge.SetMinValue(256), "Value must be between -2147483647 and 254");
  EXPECT_EQ(gauge.properties().minValue, 10);
  EXPECT_EQ(gauge.properties().maxValue, 255);
  EXPECT_EQ(gauge.properties().progress, 40);
  EXPECT_EQ(listener.repaints, 0);
  EXPECT_EQ(gauge.SetMinValue(10), std::nullopt);  // the current minimum: nothing happens
  EXPECT_EQ(listener.repaints, 0);
}

TEST_F(KelvoGaugeModelTest, AMaximumBelowTheMinimumIsRefusedAndChangesNothing) {
  setUp(-40, 215, 20);
  EXPECT_EQ(gauge.SetMaxValue(-41), "Value must be between -39 and 2147483647");
  EXPECT_EQ(gauge.properties().maxValue, 215);
  EXPECT_EQ(gauge.properties().progress, 20);
  EXPECT_EQ(listener.repaints, 0);
}

TEST_F(KelvoGaugeModelTest, RangeMessagesAtTheEndsOfTheIntegersDoNotOverflow) {
  setUp(INT_MIN, INT_MIN, INT_MIN);
  EXPECT_EQ(gauge.SetMinValue(0), "Value must be between -2147483647 and -2147483649");
  setUp(INT_MAX, INT_MAX, INT_MAX);
  EXPECT_EQ(gauge.SetMaxValue(5), "Value must be between 2147483648 and 2147483647");
}

TEST_F(KelvoGaugeModelTest, AMaximumOfZeroIsIgnoredTheCurrentMaximumRepaints) {
  setUp(-50, 100, 80);
  EXPECT_EQ(gauge.SetMaxValue(0), std::nullopt);
  EXPECT_EQ(gauge.properties().maxValue, 100);
  EXPECT_EQ(gauge.properties().progress, 80);
  EXPECT_EQ(listener.repaints, 0);
  EXPECT_EQ(gauge.SetMaxValue(100), std::nullopt);
  EXPECT_EQ(listener.repaints, 1);
  EXPECT_EQ(gauge.SetMaxValue(-50), std::nullopt);  // equal to the minimum: an empty range
  EXPECT_EQ(gauge.properties().progress, -50);
  EXPECT_EQ(gauge.GetPercentDone(), 0);
}

TEST_F(KelvoGaugeModelTest, SimpleSettersRepaintOnlyOnAChange) {
  struct Setter {
    const char* name;
    std::function<void(KelvoGaugeModel&)> set;
  };
  const Setter setters[] = {
      {"Kind", [](auto& g) { g.SetTKelvoGaugeKind(TKelvoGaugeKind::rgkPie); }},
      {"nTicks", [](auto& g) { g.SetnTicks(9); }},
      {"GTitle", [](auto& g) { g.SetGTitle("RPM x1000"); }},
      {"ShowText", [](auto& g) { g.SetShowText(false); }},
      {"BorderStyle", [](auto& g) { g.SetBorderStyle(TFormBorderStyle::bsNone); }},
      {"ForeColor", [](auto& g) { g.SetForeColor(kYellow); }},
      {"BackColor", [](auto& g) { g.SetBackColor(kSilver); }},
      {"NeedleColor1", [](auto& g) { g.SetNeedleColor1(kWhite); }},
      {"NeedleColor2", [](auto& g) { g.SetNeedleColor2(kRed); }},
      {"BorderColor", [](auto& g) { g.SetBorderColor(kBlack); }},
      {"LCDColor", [](auto& g) { g.SetLCDColor(GaugeColor{0x00FF00}); }},
  };
  for (const Setter& setter : setters) {
    CountingListener counter;
    KelvoGaugeModel model{&counter};
    const GaugeProperties before = model.properties();
    setter.set(model);
    EXPECT_EQ(counter.repaints, 1) << setter.name;
    setter.set(model);
    EXPECT_EQ(counter.repaints, 1) << setter.name << " again";
    // Exactly the setter's own property moved.
    GaugeProperties after = model.properties();
    int changed = (after.kind != before.kind) + (after.nTicks != before.nTicks) +
                  (after.title != before.title) + (after.showText != before.showText) +
                  (after.borderStyle != before.borderStyle) +
                  (after.foreColor != before.foreColor) + (after.backColor != before.backColor) +
                  (after.needleColor1 != before.needleColor1) +
                  (after.needleColor2 != before.needleColor2) +
                  (after.borderColor != before.borderColor) + (after.lcdColor != before.lcdColor);
    EXPECT_EQ(changed, 1) << setter.name;
  }
}

TEST(KelvoGaugeModelWithoutListener, WorksWithNobodyToRepaint) {
  KelvoGaugeModel gauge;
  gauge.SetProgress(128);
  gauge.AddProgress(1);
  EXPECT_EQ(gauge.properties().progress, 129);
}

}  // namespace
}  // namespace rizazovoz
