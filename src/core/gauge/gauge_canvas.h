#pragma once
// The drawing surface the dial is painted on. The dial's pictures are told entirely in these
// operations, so a screen backend (QPainter on a widget or an off-screen image) and the tests'
// recording canvas draw the same thing.
//
// Conventions every implementation follows:
// - Coordinates are pixels, origin at the top left, y growing downwards. A GaugeRect
//   (l, t, r, b) covers l <= x < r, t <= y < b; for QPainter that is QRect(l, t, r - l, b - t).
// - The pen (colour, width) outlines shapes and draws lines; the brush (always solid) fills
//   shapes and is the opaque background of text. A painting starts with the default font.
// - Which pixels a wide pen covers, whether a line includes its end point and how an ellipse
//   is rounded are the backend's own; the coordinates handed over are exact.
#include <optional>
#include <string>

#include "gauge/gauge_types.h"

namespace rizazovoz {

class GaugeCanvas {
 public:
  virtual ~GaugeCanvas() = default;

  virtual void setPen(GaugeColor color, int width) = 0;
  virtual void setBrush(GaugeColor color) = 0;
  // Font colour and cell height in pixels (internal leading included); no height selects the
  // default face and size, an 8-point sans-serif. A height of zero or below (a dial under 40
  // pixels high) is for the backend to interpret; it must not fail.
  virtual void setFont(GaugeColor color, std::optional<int> cellHeight) = 0;

  // Fills `rect` with the brush; no outline.
  virtual void fillRect(const GaugeRect& rect) = 0;
  // The ellipse inscribed in `box`, filled with the brush and outlined with the pen.
  virtual void ellipse(const GaugeRect& box) = 0;
  // A wedge of the ellipse inscribed in `box`, filled and outlined like ellipse(): from the
  // radial through `start`, counterclockwise as seen on the screen, to the radial through
  // `end`. The points only give directions from the box's centre; when both give the same
  // direction the whole ellipse is drawn. pieSweep() turns this into QPainter::drawPie angles.
  virtual void pie(const GaugeRect& box, GaugePoint start, GaugePoint end) = 0;
  // A rectangle with rounded corners, each corner a quarter of an ellipse `cornerWidth` wide
  // and `cornerHeight` high (QPainter::drawRoundedRect with radii of half those, absolute).
  virtual void roundRect(const GaugeRect& rect, int cornerWidth, int cornerHeight) = 0;
  // Line drawing with the pen: lineTo draws from the current position and moves there.
  virtual void moveTo(GaugePoint point) = 0;
  virtual void lineTo(GaugePoint point) = 0;
  // Writes `text` in the font colour with the top left of its cell at `topLeft`, on an opaque
  // background of the brush colour. Text beyond the surface is clipped.
  virtual void textOut(GaugePoint topLeft, const std::string& text) = 0;
  // The size of the cell textOut would fill with `text` in the current font.
  virtual GaugeSize textExtent(const std::string& text) = 0;
};

// A pie() wedge as angles in degrees: 0 at 3 o'clock, counterclockwise positive, start in
// [0, 360), span in (0, 360]. The angles are the ellipse's own parametric ones (the point at
// angle a lies at centre + (rx cos a, -ry sin a)), which is how QPainter::drawPie reads them.
struct PieSweep {
  double startDegrees = 0;
  double spanDegrees = 0;
};
PieSweep pieSweep(const GaugeRect& box, GaugePoint start, GaugePoint end);

}  // namespace rizazovoz
