#pragma once
// The running average of fuel economy (miles per UK gallon in the display speed unit),
// updated after each road-speed decode while the economy dial is shown.
#include <cstdint>

namespace rizazovoz {

struct FuelEconomyInputs {
  float pulseWidthMs = 0;         // injPulseWidth[1]
  std::int32_t engineSpeed = 0;   // rpm
  std::int32_t roadSpeed = 0;     // as just stored, in the display unit
  std::int32_t flowRate = 0;      // injector flow setting
  std::int32_t averageCount = 0;  // mpgAverageCount of the current ECU
};

// The next value of the average from the previous one. Missing data (no pulse width or
// vehicle standing) and a zero fuel term count as the ceiling 99; an average length below 1
// is taken as 1.
float NextMpg(float previousMpg, const FuelEconomyInputs& in);

}  // namespace rizazovoz
