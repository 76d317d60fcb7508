#pragma once
// One logger graph: a scrolling line graph of 800 × 100 pixels that remembers its last 266
// steps (one step per sample, 3 pixels wide) and scales itself to what they hold.
//   graph.DataPoint(kChannelColours[0], value);  // each sampling tick, then
//   graph.Update();                              // scroll and rescale
// A widget paints from Trace(colour) (oldest step first, newest at the right edge, each older
// step StepSize pixels further left), Scale, GridSize and GridPhase.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace rizazovoz {

// Colours as RGB: the traces of channels 1 to 4 (red, blue, green, purple), grid, background.
inline constexpr std::array<std::uint32_t, 4> kChannelColours{0xFF0000, 0x0000FF, 0x008000,
                                                              0x800080};
inline constexpr std::uint32_t kGridColour = 0xC0C0C0;
inline constexpr std::uint32_t kGraphBackColour = 0xFFFFFF;
inline constexpr int kTracePenWidth = 2;

class GraphModel {
 public:
  static constexpr std::int32_t kWidth = 800;
  static constexpr std::int32_t kHeight = 100;
  static constexpr std::int32_t kStepSize = 3;
  static constexpr std::int32_t kGradient = 10;
  static constexpr std::int64_t kInitialScale = 100;
  static constexpr std::size_t kRememberedSteps = kWidth / kStepSize;  // 266

  explicit GraphModel(std::int32_t gridSize);

  std::int32_t GridSize() const { return gridSize_; }
  std::int32_t Width() const { return kWidth; }
  std::int32_t StepSize() const { return kStepSize; }
  // The value at the top edge; 0 is at the bottom edge.
  std::int64_t Scale() const { return scale_; }
  // Pixels the grid has scrolled left since the first step, modulo GridSize.
  std::int32_t GridPhase() const;

  // Adds a point of the colour to the step being filled.
  void DataPoint(std::uint32_t colour, std::int32_t value);
  // Ends the step being filled (the oldest step beyond 266 is forgotten) and sets Scale to the
  // largest value any remembered step holds (at least 0), rounded up to a multiple of 10.
  void Update();

  // The colour's point in each remembered step, oldest first; nothing for a step without one
  // (the trace has a gap there). Of several points of one colour in a step, the newest.
  std::vector<std::optional<std::int32_t>> Trace(std::uint32_t colour) const;
  // The pixel row of a value from the top edge: kHeight for 0, 0 for Scale; values out of
  // that range fall outside and are clipped by the painter.
  double RowOf(std::int32_t value) const;

 private:
  struct Point {
    std::uint32_t colour;
    std::int32_t value;
  };
  using Step = std::vector<Point>;

  std::int32_t gridSize_;
  std::int64_t scale_ = kInitialScale;
  std::uint64_t updates_ = 0;
  Step filling_;
  std::vector<Step> steps_;  // a ring of remembered steps
  std::size_t oldest_ = 0;   // its oldest step, once it is full
};

}  // namespace rizazovoz
