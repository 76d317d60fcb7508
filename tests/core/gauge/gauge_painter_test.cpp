#include "gauge/gauge_painter.h"

#include <gtest/gtest.h>

#include <ostream>

#include "recording_canvas.h"

namespace rizazovoz {

std::ostream& operator<<(std::ostream& os, GaugeRect r) {
  return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
std::ostream& operator<<(std::ostream& os, GaugePoint p) {
  return os << "(" << p.x << ", " << p.y << ")";
}
std::ostream& operator<<(std::ostream& os, GaugeColor c) { return os << std::hex << c.rgb; }

namespace {

using namespace gauge_colors;
using Kind = CanvasOp::Kind;

constexpr GaugeColor kParentColor{0xF0F0F0};

GaugeSnapshot dial(int size, TFormBorderStyle border) {
  GaugeSnapshot s;
  s.width = size;
  s.height = size;
  s.color = kParentColor;
  s.properties.borderStyle = border;
  return s;
}

RecordingCanvas paint(const GaugeSnapshot& snapshot) {
  RecordingCanvas canvas;
  paintGauge(snapshot, canvas);
  return canvas;
}

TEST(GaugePainter, ANewDialIsDrawnStepByStepInItsColours) {
  const RecordingCanvas canvas = paint(dial(120, TFormBorderStyle::bsSingle));
  const std::vector<CanvasOp>& ops = canvas.ops();
  ASSERT_EQ(ops.size(), 2u + 1u + 11u + 1u + 1u + 2u + 1u + 1u);
  // Black underneath, then the parent's colour on the paint rectangle.
  EXPECT_EQ(ops[0].kind, Kind::FillRect);
  EXPECT_EQ(ops[0].rect, (GaugeRect{0, 0, 120, 120}));
  EXPECT_EQ(ops[0].brush, kBlack);
  EXPECT_EQ(ops[1].kind, Kind::FillRect);
  EXPECT_EQ(ops[1].rect, (GaugeRect{1, 1, 119, 119}));
  EXPECT_EQ(ops[1].brush, kParentColor);
  // Grey rim, three pixels wide, round a black face.
  EXPECT_EQ(ops[2].kind, Kind::Ellipse);
  EXPECT_EQ(ops[2].rect, (GaugeRect{1, 1, 119, 119}));
  EXPECT_EQ(ops[2].brush, kBlack);
  EXPECT_EQ(ops[2].pen, kGray);
  EXPECT_EQ(ops[2].penWidth, 3);
  // White ticks.
  for (int i = 3; i < 14; ++i) {
    EXPECT_EQ(ops[i].kind, Kind::Line);
    EXPECT_EQ(ops[i].from, (GaugePoint{60, 60}));
    EXPECT_EQ(ops[i].pen, kWhite);
    EXPECT_EQ(ops[i].penWidth, 1);
  }
  // The black inner disc, then the (empty) white title on black.
  EXPECT_EQ(ops[14].kind, Kind::Ellipse);
  EXPECT_EQ(ops[14].rect, (GaugeRect{21, 21, 100, 100}));
  EXPECT_EQ(ops[14].brush, kBlack);
  EXPECT_EQ(ops[14].pen, kBlack);
  EXPECT_EQ(ops[15].kind, Kind::Text);
  EXPECT_EQ(ops[15].text, "");
  EXPECT_EQ(ops[15].fontColor, kWhite);
  EXPECT_EQ(ops[15].fontHeight, std::nullopt);
  EXPECT_EQ(ops[15].brush, kBlack);
  // Yellow needle body under a red core, both at 0 % (the first tick).
  EXPECT_EQ(ops[16].kind, Kind::Line);
  EXPECT_EQ(ops[16].pen, kYellow);
  EXPECT_EQ(ops[16].penWidth, 3);
  EXPECT_EQ(ops[17].kind, Kind::Line);
  EXPECT_EQ(ops[17].pen, kRed);
  EXPECT_EQ(ops[17].penWidth, 1);
  // Silver read-out box with the digit 0 in black on silver.
  EXPECT_EQ(ops[18].kind, Kind::RoundRect);
  EXPECT_EQ(ops[18].brush, kSilver);
  EXPECT_EQ(ops[18].pen, kSilver);
  EXPECT_EQ(ops[18].penWidth, 1);
  EXPECT_EQ(ops[19].kind, Kind::Text);
  EXPECT_EQ(ops[19].text, "0");
  EXPECT_EQ(ops[19].fontColor, kBlack);
  EXPECT_EQ(ops[19].brush, kSilver);
}

struct DialGeometry {
  int size;
  TFormBorderStyle border;
  GaugeRect paintRect;
  int cx;
  GaugeRect innerDisc;
  GaugeRect readOut;
  GaugeSize corner;
  int digitHeight, textTop, titleTop;
  GaugePoint firstTick, lastTick;
};

TEST(GaugePainter, DialGeometryForTheDashboardSizes) {
  const DialGeometry cases[] = {
      {115,
       TFormBorderStyle::bsSingle,
       {1, 1, 114, 114},
       57,
       {21, 21, 95, 95},
       {38, 71, 76, 85},
       {9, 7},
       10,
       73,
       93,
       {20, 93},
       {93, 93}},
      {255,
       TFormBorderStyle::bsNone,
       {0, 0, 255, 255},
       127,
       {20, 20, 235, 235},
       {85, 159, 169, 190},
       {21, 15},
       27,
       161,
       207,
       {40, 213},
       {213, 213}},
      {120,
       TFormBorderStyle::bsSingle,
       {1, 1, 119, 119},
       60,
       {21, 21, 100, 100},
       {40, 75, 80, 90},
       {10, 7},
       11,
       77,
       97,
       {21, 98},
       {98, 98}},
  };
  for (const DialGeometry& c : cases) {
    SCOPED_TRACE(c.size);
    GaugeSnapshot s = dial(c.size, c.border);
    s.properties.title = "Coolant C";
    s.properties.minValue = -40;
    s.properties.progress = -17;
    const RecordingCanvas canvas = paint(s);

    const auto fills = canvas.opsOf(Kind::FillRect);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[1].rect, c.paintRect);
    const auto ellipses = canvas.opsOf(Kind::Ellipse);
    ASSERT_EQ(ellipses.size(), 2u);
    EXPECT_EQ(ellipses[0].rect, c.paintRect);  // the rim, inscribed in the paint rectangle
    EXPECT_EQ(ellipses[1].rect, c.innerDisc);

    const auto lines = canvas.opsOf(Kind::Line);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines.front().from, (GaugePoint{c.cx, c.cx}));
    EXPECT_EQ(lines.front().to, c.firstTick);
    EXPECT_EQ(lines[10].to, c.lastTick);

    const auto boxes = canvas.opsOf(Kind::RoundRect);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rect, c.readOut);
    EXPECT_EQ(boxes[0].corner, c.corner);

    const auto texts = canvas.opsOf(Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    const GaugeSize titleSize = RecordingCanvas::textExtentRule("Coolant C", std::nullopt);
    EXPECT_EQ(texts[0].text, "Coolant C");
    EXPECT_EQ(texts[0].from, (GaugePoint{c.cx - titleSize.width / 2, c.titleTop}));
    EXPECT_EQ(texts[1].text, "-17");
    EXPECT_EQ(texts[1].fontHeight, c.digitHeight);
    const GaugeSize digitsSize = RecordingCanvas::textExtentRule("-17", c.digitHeight);
    EXPECT_EQ(texts[1].from, (GaugePoint{c.readOut.right - (digitsSize.width + 5), c.textTop}));
  }
}

struct NeedleCase {
  int size;
  std::int32_t progress;  // on 0..100, so that it is the percentage
  GaugePoint body, core;
};

TEST(GaugePainter, DialNeedleSweepsFromTheFirstToTheLastTick) {
  const NeedleCase cases[] = {
      {115, 0, {25, 88}, {23, 90}},       {115, 50, {57, 12}, {57, 10}},
      {115, 100, {88, 88}, {90, 90}},     {255, 0, {45, 208}, {44, 209}},
      {255, 37, {60, 32}, {59, 31}},      {255, 50, {127, 12}, {126, 10}},
      {255, 100, {208, 208}, {209, 209}},
  };
  for (const NeedleCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.size << " at " << c.progress);
    GaugeSnapshot s = dial(c.size, TFormBorderStyle::bsNone);
    s.properties.maxValue = 100;
    s.properties.progress = c.progress;
    const auto lines = paint(s).opsOf(Kind::Line);
    ASSERT_EQ(lines.size(), 13u);
    const GaugePoint centre{c.size / 2, c.size / 2};
    EXPECT_EQ(lines[11].from, centre);
    EXPECT_EQ(lines[11].to, c.body);
    EXPECT_EQ(lines[12].from, centre);
    EXPECT_EQ(lines[12].to, c.core);
  }
}

TEST(GaugePainter, DialTickCount) {
  struct TickCase {
    std::int32_t nTicks;
    int lines;
  };
  for (const TickCase c :
       {TickCase{0, 0}, TickCase{-3, 0}, TickCase{1, 2}, TickCase{2, 2}, TickCase{13, 13}}) {
    GaugeSnapshot s = dial(255, TFormBorderStyle::bsNone);
    s.properties.nTicks = c.nTicks;
    const auto lines = paint(s).opsOf(Kind::Line);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(c.lines + 2)) << c.nTicks;  // + needle
    if (c.lines == 2) {  // only the two ends of the scale
      EXPECT_EQ(lines[0].to, (GaugePoint{40, 213})) << c.nTicks;
      EXPECT_EQ(lines[1].to, (GaugePoint{213, 213})) << c.nTicks;
    }
  }
}

TEST(GaugePainter, ReadOutShowsTheValueNotThePercentage) {
  GaugeSnapshot s = dial(255, TFormBorderStyle::bsNone);
  s.properties.maxValue = 8000;
  s.properties.progress = 4080;
  const auto texts = paint(s).opsOf(Kind::Text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[1].text, "4080");
}

struct BarCase {
  TKelvoGaugeKind kind;
  std::int32_t percent;
  std::optional<GaugeRect> bar;
};

TEST(GaugePainter, BarsGrowFromTheLeftAndFromTheBottom) {
  const BarCase cases[] = {
      {TKelvoGaugeKind::rgkHorizontalBar, 0, std::nullopt},
      {TKelvoGaugeKind::rgkHorizontalBar, 50, GaugeRect{1, 1, 59, 119}},
      {TKelvoGaugeKind::rgkHorizontalBar, 100, GaugeRect{1, 1, 119, 119}},
      {TKelvoGaugeKind::rgkVerticalBar, 0, GaugeRect{1, 119, 119, 119}},
      {TKelvoGaugeKind::rgkVerticalBar, 50, GaugeRect{1, 60, 119, 119}},
      {TKelvoGaugeKind::rgkVerticalBar, 100, GaugeRect{1, 1, 119, 119}},
  };
  for (const BarCase& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.kind) << " at " << c.percent);
    GaugeSnapshot s = dial(120, TFormBorderStyle::bsSingle);
    s.properties.kind = c.kind;
    s.properties.maxValue = 100;
    s.properties.progress = c.percent;
    const auto fills = paint(s).opsOf(Kind::FillRect);
    ASSERT_EQ(fills.size(), c.bar ? 3u : 2u);
    EXPECT_EQ(fills[1].rect, (GaugeRect{1, 1, 119, 119}));
    EXPECT_EQ(fills[1].brush, kBlack);  // the face in BackColor
    if (c.bar) {
      EXPECT_EQ(fills[2].rect, *c.bar);
      EXPECT_EQ(fills[2].brush, kWhite);
    }
  }
}

TEST(GaugePainter, TextKindDrawsThePlainFace) {
  GaugeSnapshot s = dial(120, TFormBorderStyle::bsNone);
  s.properties.kind = TKelvoGaugeKind::rgkText;
  s.properties.backColor = kSilver;
  s.properties.progress = 200;
  const RecordingCanvas canvas = paint(s);
  ASSERT_EQ(canvas.ops().size(), 2u);
  EXPECT_EQ(canvas.ops()[1].rect, (GaugeRect{0, 0, 120, 120}));
  EXPECT_EQ(canvas.ops()[1].brush, kSilver);
}

struct PieCase {
  std::int32_t percent;
  GaugePoint start;  // the end is always 12 o'clock, (59, 0)
};

TEST(GaugePainter, PieWedgeGrowsClockwiseFromTwelve) {
  const PieCase cases[] = {{25, {118, 58}},
                           {50, {59, 118}},
                           {75, {0, 59}},
                           {99, {55, 0}},
                           {100, {59, 0}}};  // start and end coincide: the whole disc
  for (const PieCase& c : cases) {
    SCOPED_TRACE(c.percent);
    GaugeSnapshot s = dial(120, TFormBorderStyle::bsSingle);
    s.properties.kind = TKelvoGaugeKind::rgkPie;
    s.properties.maxValue = 100;
    s.properties.progress = c.percent;
    const RecordingCanvas canvas = paint(s);
    const auto ellipses = canvas.opsOf(Kind::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].rect, (GaugeRect{1, 1, 119, 119}));
    EXPECT_EQ(ellipses[0].brush, kBlack);
    EXPECT_EQ(ellipses[0].pen, kWhite);
    const auto pies = canvas.opsOf(Kind::Pie);
    ASSERT_EQ(pies.size(), 1u);
    EXPECT_EQ(pies[0].rect, (GaugeRect{1, 1, 119, 119}));
    EXPECT_EQ(pies[0].from, c.start);
    EXPECT_EQ(pies[0].to, (GaugePoint{59, 0}));
    EXPECT_EQ(pies[0].brush, kWhite);
  }
}

TEST(GaugePainter, PieAndNeedleKindsDrawNothingMovingAtZero) {
  for (const TKelvoGaugeKind kind : {TKelvoGaugeKind::rgkPie, TKelvoGaugeKind::rgkNeedle}) {
    GaugeSnapshot s = dial(120, TFormBorderStyle::bsSingle);
    s.properties.kind = kind;
    const RecordingCanvas canvas = paint(s);
    const std::size_t pies = canvas.opsOf(Kind::Pie).size();
    const std::size_t lines = canvas.opsOf(Kind::Line).size();
    if (kind == TKelvoGaugeKind::rgkPie) {
      EXPECT_EQ(pies, 0u);
      EXPECT_EQ(lines, 0u);
    } else {
      EXPECT_EQ(pies, 1u);   // the half-disc
      EXPECT_EQ(lines, 1u);  // its base line, no needle
    }
  }
}

struct NeedleKindCase {
  std::int32_t percent;
  GaugePoint tip;
};

TEST(GaugePainter, NeedleKindSweepsAHalfDiscFromLeftToRight) {
  const NeedleKindCase cases[] = {{25, {17, 34}}, {50, {59, 0}}, {100, {120, 117}}};
  for (const NeedleKindCase& c : cases) {
    SCOPED_TRACE(c.percent);
    GaugeSnapshot s = dial(120, TFormBorderStyle::bsSingle);
    s.properties.kind = TKelvoGaugeKind::rgkNeedle;
    s.properties.maxValue = 100;
    s.properties.progress = c.percent;
    const RecordingCanvas canvas = paint(s);
    const auto pies = canvas.opsOf(Kind::Pie);
    ASSERT_EQ(pies.size(), 1u);
    EXPECT_EQ(pies[0].rect, (GaugeRect{1, 1, 119, 237}));
    EXPECT_EQ(pies[0].from, (GaugePoint{120, 118}));
    EXPECT_EQ(pies[0].to, (GaugePoint{1, 118}));
    EXPECT_EQ(pies[0].pen, kGray);
    const auto lines = canvas.opsOf(Kind::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].from, (GaugePoint{1, 119}));  // base line
    EXPECT_EQ(lines[0].to, (GaugePoint{120, 119}));
    EXPECT_EQ(lines[0].pen, kGray);
    EXPECT_EQ(lines[1].from, (GaugePoint{60, 118}));
    EXPECT_EQ(lines[1].to, c.tip);
    EXPECT_EQ(lines[1].pen, kRed);
  }
}

TEST(PieSweep, GivesTheCounterclockwiseAnglesOfTheWedge) {
  struct SweepCase {
    GaugeRect box;
    GaugePoint start, end;
    double startDegrees, spanDegrees;
  };
  const SweepCase cases[] = {
      // From 3 o'clock up to 12 o'clock: a quarter.
      {{0, 0, 100, 100}, {100, 50}, {50, 0}, 0, 90},
      // From 12 o'clock round through 9 and 6 to 3: the other three quarters.
      {{0, 0, 100, 100}, {50, 0}, {100, 50}, 90, 270},
      // The needle kind's half-disc: from 3 o'clock over the top to 9 o'clock.
      {{0, 0, 100, 200}, {100, 100}, {0, 100}, 0, 180},
      // Coinciding points: the whole ellipse.
      {{0, 0, 100, 100}, {50, 0}, {50, 0}, 90, 360},
      // On a flat ellipse the radial through a corner is the parametric 45 degrees.
      {{0, 0, 200, 100}, {200, 0}, {0, 0}, 45, 90},
  };
  for (const SweepCase& c : cases) {
    const PieSweep sweep = pieSweep(c.box, c.start, c.end);
    EXPECT_NEAR(sweep.startDegrees, c.startDegrees, 1e-9) << c.box;
    EXPECT_NEAR(sweep.spanDegrees, c.spanDegrees, 1e-9) << c.box;
  }
}

}  // namespace
}  // namespace rizazovoz
