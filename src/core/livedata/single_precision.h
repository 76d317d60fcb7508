#pragma once
// The arithmetic of the engineering values: every step's result is rounded to single
// precision; the fixed factors written in the formulas (1.8, 0.6214, 0.001, ...) take part at
// their full decimal value, only the result of the step is rounded. Whole numbers come from
// truncation toward zero.
#include <cmath>
#include <cstdint>
#include <limits>

namespace rizazovoz {

// x op k for a fixed factor k, rounded once to single precision.
inline float TimesFactor(float x, double k) { return static_cast<float>(x * k); }
inline float PlusFactor(float x, double k) { return static_cast<float>(x + k); }
inline float MinusFactor(float x, double k) { return static_cast<float>(x - k); }

// Out-of-range and undefined inputs saturate (NaN gives 0) instead of being undefined.
inline std::int32_t TruncToWhole(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483648.0) return std::numeric_limits<std::int32_t>::max();
  if (value <= -2147483649.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

}  // namespace rizazovoz
