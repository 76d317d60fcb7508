#pragma once
// The sampling period for a time base (seconds per graph division): one sample per grid
// column, so that a division of 25 pixels holds 25 samples ("10" gives 400 ms).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rizazovoz {

inline constexpr std::int32_t kMinTimeBaseSeconds = 1;
inline constexpr std::int32_t kMaxTimeBaseSeconds = 3600;

// Nothing for a text that is not a whole number of seconds from 1 to 3600, or a grid of no
// pixels: the caller keeps its previous time base.
std::optional<std::int32_t> SampleIntervalFor(std::string_view timeBase, std::int32_t gridSize);

// The status bar's "Sample interval: 400ms".
std::string SampleIntervalText(std::int32_t sampleIntervalMs);

}  // namespace rizazovoz
