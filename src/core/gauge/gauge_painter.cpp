#include "gauge/gauge_painter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "text/number_format.h"

namespace rizazovoz {
namespace {

constexpr double kPi = std::numbers::pi;

// Every floating-point result becomes a pixel coordinate by truncation toward zero.
int pixel(double value) { return static_cast<int>(value); }

int insetForBorder(TFormBorderStyle style) { return style == TFormBorderStyle::bsSingle ? 1 : 0; }

void line(GaugeCanvas& canvas, GaugePoint from, GaugePoint to) {
  canvas.moveTo(from);
  canvas.lineTo(to);
}

void paintAsNothing(const GaugeSnapshot& s, const GaugeRect& r, GaugeCanvas& canvas) {
  canvas.setBrush(s.properties.backColor);
  canvas.fillRect(r);
}

void paintAsBar(const GaugeSnapshot& s, const GaugeRect& r, int percent, GaugeCanvas& canvas) {
  const GaugeProperties& p = s.properties;
  const int width = r.right - r.left + 1;
  const int height = r.bottom - r.top + 1;
  canvas.setBrush(p.backColor);
  canvas.fillRect(r);
  canvas.setPen(p.foreColor, 1);
  canvas.setBrush(p.foreColor);
  if (p.kind == TKelvoGaugeKind::rgkHorizontalBar) {
    const int fill = std::min(pixel(std::floor(percent * 0.01 * width)), width);
    if (fill > 0) canvas.fillRect({r.left, r.top, fill, height});
  } else {
    int fill = pixel(std::floor(percent * 0.01 * height));
    if (fill >= height) fill = height - 1;
    canvas.fillRect({r.left, height - fill, width, height});
  }
}

void paintAsPie(const GaugeSnapshot& s, const GaugeRect& r, int percent, GaugeCanvas& canvas) {
  const GaugeProperties& p = s.properties;
  const int inset = insetForBorder(p.borderStyle);
  const int width = r.right - r.left + inset;
  const int height = r.bottom - r.top + inset;
  const GaugeRect box{r.left, r.top, width, height};
  canvas.setBrush(s.color);
  canvas.fillRect(r);
  canvas.setBrush(p.backColor);
  canvas.setPen(p.foreColor, 1);
  canvas.ellipse(box);
  if (percent == 0) return;
  canvas.setBrush(p.foreColor);
  const GaugePoint end{width / 2, 0};  // 12 o'clock
  GaugePoint start = end;              // a full turn: start and end coincide
  // At 100 % the rounding of cos(5pi/2) would put the start a pixel left of 12 o'clock and
  // leave a one-degree gap in what must be a full disc.
  if (percent < 100) {
    const double angle = (percent * 0.02 + 0.5) * kPi;
    start = {pixel(std::floor((1 - std::cos(angle)) * (width / 2))),
             pixel(std::floor((1 - std::sin(angle)) * (height / 2)))};
  }
  canvas.pie(box, start, end);
}

void paintAsNeedle(const GaugeSnapshot& s, const GaugeRect& r, int percent, GaugeCanvas& canvas) {
  const GaugeProperties& p = s.properties;
  const int inset = insetForBorder(p.borderStyle);
  const int width = r.right - r.left + inset;
  const int height = r.bottom - r.top + inset;
  const int bottom = r.bottom;
  canvas.setBrush(s.color);
  canvas.fillRect(r);
  // The upper half of an ellipse twice the paint height: a half-disc standing on the bottom.
  canvas.setBrush(p.backColor);
  canvas.setPen(p.borderColor, 1);
  canvas.pie({r.left, r.top, width, 2 * height - 1}, {r.left + width, bottom - 1},
             {r.left, bottom - 1});
  line(canvas, {r.left, bottom}, {r.left + width, bottom});
  if (percent == 0) return;
  canvas.setPen(p.needleColor1, 1);
  const int centreX = s.width / 2;
  const double angle = percent * 0.01 * kPi;
  line(canvas, {centreX, bottom - 1},
       {pixel(std::floor((1 - std::cos(angle)) * centreX)),
        pixel(std::floor((1 - std::sin(angle)) * (bottom - 1)))});
}

void paintAs270(const GaugeSnapshot& s, const GaugeRect& r, int percent, GaugeCanvas& canvas) {
  const GaugeProperties& p = s.properties;
  const int cx = s.width / 2;
  const int cy = s.height / 2;
  const int q = cy / 4;
  const int t = cx / 3;
  const GaugePoint centre{cx, cy};
  // A point on the radial at `angle` (0 = 9 o'clock, growing clockwise on the screen), `inset`
  // pixels inside the half-extents.
  const auto radial = [&](double angle, int inset) {
    return GaugePoint{pixel(cx - std::cos(angle) * (cx - inset)),
                      pixel(cy - std::sin(angle) * (cy - inset))};
  };

  canvas.setBrush(s.color);
  canvas.setPen(s.color, 1);
  canvas.fillRect(r);

  canvas.setBrush(p.backColor);
  canvas.setPen(p.borderColor, 3);
  canvas.ellipse(r);

  // Ticks from 315 degrees (lower left) clockwise over the top to 225 degrees (lower right).
  // One tick would make the step a division by zero: it is drawn like two, one at each end.
  canvas.setPen(p.foreColor, 1);
  const int ticks = p.nTicks == 1 ? 2 : p.nTicks;
  const double step = ticks > 1 ? (3 * kPi / 2) / (ticks - 1) : 0.0;
  double angle = 7 * kPi / 4;
  for (int i = 0; i < ticks; ++i, angle += step) line(canvas, centre, radial(angle, 5));

  // The inner disc hides the inner part of every tick line, leaving short marks on the ring.
  canvas.setBrush(p.backColor);
  canvas.setPen(p.backColor, 1);
  canvas.ellipse({r.left + 20, r.top + 20, s.width - 20, s.height - 20});

  canvas.setFont(p.foreColor, std::nullopt);
  const GaugeSize titleSize = canvas.textExtent(p.title);
  canvas.textOut({cx - titleSize.width / 2, (13 * s.height) / 16}, p.title);

  // 0 % points at the first tick, 50 % straight up, 100 % at the last tick; drawn at 0 % too.
  double needle = percent * 0.01 * (3 * kPi / 2) - kPi / 4;
  if (needle < 0) needle += 2 * kPi;
  canvas.setPen(p.needleColor2, 3);
  line(canvas, centre, radial(needle, 12));
  canvas.setPen(p.needleColor1, 1);
  line(canvas, centre, radial(needle, 10));

  // The read-out box over the needle, with the value itself right-aligned inside it.
  const int boxTop = (5 * s.height) / 8;
  canvas.setPen(p.lcdColor, 1);
  canvas.setBrush(p.lcdColor);
  canvas.roundRect({cx - t, boxTop, cx + t, boxTop + q}, t / 2, q / 2);
  const std::string digits = formatInteger(p.progress);
  canvas.setFont(p.backColor, q - 4);
  const GaugeSize digitsSize = canvas.textExtent(digits);
  canvas.textOut({(cx + t) - (digitsSize.width + 5), boxTop + 2}, digits);
}

}  // namespace

GaugeRect gaugePaintRect(TFormBorderStyle borderStyle, int width, int height) {
  const int inset = insetForBorder(borderStyle);
  return {inset, inset, width - inset, height - inset};
}

void paintGauge(const GaugeSnapshot& snapshot, GaugeCanvas& canvas) {
  const GaugeProperties& p = snapshot.properties;
  canvas.setBrush(gauge_colors::kBlack);
  canvas.fillRect({0, 0, snapshot.width, snapshot.height});
  const GaugeRect rect = gaugePaintRect(p.borderStyle, snapshot.width, snapshot.height);
  // A snapshot from KelvoGaugeModel is always within 0..100; a hand-made one is held there.
  const int percent = std::clamp(gaugePercentDone(p.minValue, p.maxValue, p.progress), 0, 100);
  switch (p.kind) {
    case TKelvoGaugeKind::rgkText:
      paintAsNothing(snapshot, rect, canvas);
      break;
    case TKelvoGaugeKind::rgkHorizontalBar:
    case TKelvoGaugeKind::rgkVerticalBar:
      paintAsBar(snapshot, rect, percent, canvas);
      break;
    case TKelvoGaugeKind::rgkPie:
      paintAsPie(snapshot, rect, percent, canvas);
      break;
    case TKelvoGaugeKind::rgkNeedle:
      paintAsNeedle(snapshot, rect, percent, canvas);
      break;
    case TKelvoGaugeKind::rgk270:
      paintAs270(snapshot, rect, percent, canvas);
      break;
  }
}

}  // namespace rizazovoz
