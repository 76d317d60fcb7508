#include "livedata/fuel_economy.h"

#include "livedata/single_precision.h"

namespace rizazovoz {

namespace {
constexpr float kCeiling = 99.0f;
constexpr double kGallonsPerUnit = 0.0002199;  // injector flow to UK gallons
}  // namespace

float NextMpg(float previousMpg, const FuelEconomyInputs& in) {
  const float p = in.pulseWidthMs;
  const float e = MinusFactor(p, 0.64);  // injector dead time
  float m = kCeiling;
  if (p != 0.0f && in.roadSpeed != 0) {
    // n × e × 2 rounded once: the exact product fits a double.
    float f = static_cast<float>(static_cast<double>(in.engineSpeed) * e * 2.0);
    f = TimesFactor(f, 0.001);
    f = static_cast<float>(in.flowRate) * f;
    f = TimesFactor(f, kGallonsPerUnit);
    const float r = TimesFactor(static_cast<float>(in.roadSpeed), 1.0 / 60.0);
    if (f != 0.0f) {  // no fuel term: keep the ceiling rather than divide by zero
      m = r / f;
      if (m > kCeiling) m = kCeiling;
    }
  }
  const std::int32_t n = in.averageCount < 1 ? 1 : in.averageCount;
  const float n1 = static_cast<float>(n - 1);
  const float weighted = n1 * previousMpg;
  const float sum = weighted + m;
  return sum / static_cast<float>(n);
}

}  // namespace rizazovoz
