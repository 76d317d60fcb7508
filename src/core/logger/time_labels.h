#pragma once
// The times under each graph: T0 at its right edge is the time of the newest sample, T4 at its
// left edge one graph width earlier, T1 ... T3 the quarters between. Computed in single
// precision and shown as Fixed(3, 1): 0.4, -79.6, -160.0, -240.0, -320.0 after the first
// 400 ms sample on an 800-pixel graph; 1E3 at 1000 s.
#include <array>
#include <cstdint>
#include <string>

namespace rizazovoz {

// Index k holds Tk.
using TimeLabelTexts = std::array<std::string, 5>;

TimeLabelTexts TimeLabels(std::uint32_t sampleCount, std::int32_t sampleIntervalMs,
                          std::int32_t graphWidth, char decimalSeparator);

}  // namespace rizazovoz
