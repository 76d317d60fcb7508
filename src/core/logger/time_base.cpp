#include "logger/time_base.h"

#include "text/integer_text.h"
#include "text/number_format.h"

namespace rizazovoz {

std::optional<std::int32_t> SampleIntervalFor(std::string_view timeBase, std::int32_t gridSize) {
  const std::optional<std::int32_t> seconds = parseInteger(timeBase);
  if (!seconds || *seconds < kMinTimeBaseSeconds || *seconds > kMaxTimeBaseSeconds) {
    return std::nullopt;
  }
  if (gridSize <= 0) return std::nullopt;
  return *seconds * 1000 / gridSize;
}

std::string SampleIntervalText(std::int32_t sampleIntervalMs) {
  return "Sample interval: " + formatInteger(sampleIntervalMs) + "ms";
}

}  // namespace rizazovoz
