#include "gauge/gauge_canvas.h"

#include <cmath>
#include <numbers>

namespace rizazovoz {
namespace {

// The parametric angle of the point where the ray from the centre through `point` meets the
// ellipse; on a circle this is simply the direction of `point`.
double parametricDegrees(const GaugeRect& box, GaugePoint point) {
  const double radiusX = (box.right - box.left) / 2.0;
  const double radiusY = (box.bottom - box.top) / 2.0;
  const double dx = point.x - (box.left + radiusX);
  const double dyUp = (box.top + radiusY) - point.y;
  return std::atan2(dyUp * radiusX, dx * radiusY) * 180.0 / std::numbers::pi;
}

}  // namespace

PieSweep pieSweep(const GaugeRect& box, GaugePoint start, GaugePoint end) {
  double from = parametricDegrees(box, start);
  double span = parametricDegrees(box, end) - from;
  if (from < 0) from += 360.0;
  if (span <= 0) span += 360.0;  // the same direction: the whole ellipse
  return {from, span};
}

}  // namespace rizazovoz
