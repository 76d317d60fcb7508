#pragma once
// Plain values shared by the dial's state, its drawing and the canvases that draw it.
#include <cstdint>

namespace rizazovoz {

// A 24-bit colour, 0xRRGGBB.
struct GaugeColor {
  std::uint32_t rgb = 0;
  friend constexpr bool operator==(GaugeColor, GaugeColor) = default;
};

namespace gauge_colors {
inline constexpr GaugeColor kBlack{0x000000};
inline constexpr GaugeColor kWhite{0xFFFFFF};
inline constexpr GaugeColor kGray{0x808080};
inline constexpr GaugeColor kSilver{0xC0C0C0};
inline constexpr GaugeColor kRed{0xFF0000};
inline constexpr GaugeColor kYellow{0xFFFF00};
}  // namespace gauge_colors

// Which picture the dial draws; the ordinals are those stored in form descriptions.
enum class TKelvoGaugeKind : std::uint8_t {
  rgkText = 0,           // the plain face only
  rgkHorizontalBar = 1,  // a bar growing from the left
  rgkVerticalBar = 2,    // a bar growing from the bottom
  rgkPie = 3,            // a wedge growing clockwise from 12 o'clock
  rgkNeedle = 4,         // a half-disc with a needle sweeping from left to right
  rgk270 = 5,            // the 270-degree dial
};

// The window border styles a form description may give; only bsSingle changes the drawing
// (a one-pixel inset on every side).
enum class TFormBorderStyle : std::uint8_t {
  bsNone,
  bsSingle,
  bsSizeable,
  bsDialog,
  bsToolWindow,
  bsSizeToolWin,
};

// Pixel coordinates, origin top left, y growing downwards.
struct GaugePoint {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(GaugePoint, GaugePoint) = default;
};

struct GaugeSize {
  int width = 0;
  int height = 0;
  friend constexpr bool operator==(GaugeSize, GaugeSize) = default;
};

// Covers left <= x < right, top <= y < bottom.
struct GaugeRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend constexpr bool operator==(GaugeRect, GaugeRect) = default;
};

}  // namespace rizazovoz
