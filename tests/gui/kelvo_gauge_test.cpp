#include "kelvo_gauge.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include "font_cells.h"
#include "gui_test_support.h"

namespace rizazovoz {
namespace {

class KelvoGaugeWidget : public ::testing::Test {
 protected:
  void SetUp() override { guitest::TestApplication(); }

  // The dashboard's large dial: 255 pixels, no border.
  static void MakeLargeDial(TKelvoGauge& gauge) {
    gauge.resize(255, 255);
    gauge.model().SetBorderStyle(TFormBorderStyle::bsNone);
  }
};

bool IsBlack(QRgb c) { return qRed(c) < 24 && qGreen(c) < 24 && qBlue(c) < 24; }
// Red core, yellow body or a blend of the two: full red, no blue.
bool IsNeedle(QRgb c) { return qRed(c) > 200 && qBlue(c) < 60; }

TEST_F(KelvoGaugeWidget, NewDialHasTheDefaultPropertiesAndPicture) {
  TKelvoGauge gauge;
  EXPECT_EQ(gauge.size(), QSize(120, 120));
  const GaugeProperties& p = gauge.properties();
  EXPECT_EQ(p.kind, TKelvoGaugeKind::rgk270);
  EXPECT_EQ(p.maxValue, 255);
  EXPECT_EQ(p.nTicks, 11);
  EXPECT_EQ(gauge.picture().size(), QSize(120, 120));
  EXPECT_TRUE(gauge.testAttribute(Qt::WA_OpaquePaintEvent));
}

TEST_F(KelvoGaugeWidget, PictureShowsRimFaceNeedleAndReadout) {
  TKelvoGauge gauge;
  MakeLargeDial(gauge);
  const QImage atZero = gauge.picture();
  EXPECT_EQ(QColor(atZero.pixel(127, 1)), QColor(0x80, 0x80, 0x80)) << "rim on the edge";
  EXPECT_TRUE(IsBlack(atZero.pixel(127, 70))) << "face above the centre";
  EXPECT_EQ(QColor(atZero.pixel(95, 175)), QColor(0xC0, 0xC0, 0xC0)) << "read-out box";
  // The needle at 0 % points along the first tick, to the lower left.
  EXPECT_TRUE(IsNeedle(atZero.pixel(80, 174)));

  gauge.SetProgress(128);  // 50 %: straight up
  const QImage atHalf = gauge.picture();
  EXPECT_TRUE(IsNeedle(atHalf.pixel(127, 70)));
  EXPECT_TRUE(IsBlack(atHalf.pixel(80, 174)));
}

TEST_F(KelvoGaugeWidget, ComposesOnlyWhenTheWholePercentageChanges) {
  TKelvoGauge gauge;
  MakeLargeDial(gauge);
  ASSERT_FALSE(gauge.SetMaxValue(8000));
  gauge.SetProgress(4000);
  const int composed = gauge.composeCount();
  const QImage at4000 = gauge.picture();

  gauge.SetProgress(4040);  // still 50 %
  EXPECT_EQ(gauge.composeCount(), composed);
  EXPECT_EQ(gauge.properties().progress, 4040);
  EXPECT_EQ(gauge.picture(), at4000) << "the digits keep showing 4000";

  gauge.SetProgress(4080);  // 51 %
  EXPECT_EQ(gauge.composeCount(), composed + 1);
  EXPECT_NE(gauge.picture(), at4000);

  gauge.model().AddProgress(0);
  EXPECT_EQ(gauge.composeCount(), composed + 2);
  gauge.SetGTitle(QStringLiteral("RPM"));
  gauge.SetGTitle(QStringLiteral("RPM"));
  EXPECT_EQ(gauge.composeCount(), composed + 3);
}

TEST_F(KelvoGaugeWidget, RefusedLimitLeavesTheRangeAndTellsWhy) {
  TKelvoGauge gauge;
  const auto refused = gauge.model().SetMinValue(256);
  ASSERT_TRUE(refused);
  EXPECT_EQ(*refused, "Value must be between -2147483647 and 254");
  EXPECT_EQ(gauge.properties().minValue, 0);
}

TEST_F(KelvoGaugeWidget, SmallDialsStillPaint) {
  TKelvoGauge gauge;
  gauge.resize(30, 30);  // read-out font height below zero
  gauge.SetProgress(200);
  EXPECT_EQ(gauge.picture().size(), QSize(30, 30));
}

TEST(FontCells, FontsFitTheirCellHeight) {
  guitest::TestApplication();
  for (int cell : {11, 20, 27, 30, 32}) {
    const int height = QFontMetrics(fontWithCellHeight(cell)).height();
    EXPECT_LE(height, cell);
    EXPECT_GE(height, cell - 3) << cell;
  }
}

}  // namespace
}  // namespace rizazovoz
