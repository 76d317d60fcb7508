#include "logger/time_labels.h"

#include "livedata/single_precision.h"
#include "text/number_format.h"

namespace rizazovoz {

TimeLabelTexts TimeLabels(std::uint32_t sampleCount, std::int32_t sampleIntervalMs,
                          std::int32_t graphWidth, char decimalSeparator) {
  // The whole-number products are exact in double; each "× 0.001" step rounds once.
  const auto seconds = [](double milliseconds) { return static_cast<float>(milliseconds * 0.001); };
  const float span = seconds(static_cast<double>(graphWidth) * sampleIntervalMs);
  const float t0 = seconds(static_cast<double>(sampleCount) * sampleIntervalMs);
  const std::array<float, 5> times{t0, t0 - TimesFactor(span, 0.25), t0 - TimesFactor(span, 0.5),
                                   t0 - TimesFactor(span, 0.75), t0 - span};
  TimeLabelTexts texts;
  for (std::size_t k = 0; k < times.size(); ++k) {
    texts[k] = formatFixed(times[k], 3, 1, decimalSeparator);
  }
  return texts;
}

}  // namespace rizazovoz
