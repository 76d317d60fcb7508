#include "livedata/dashboard_readout_rules.h"

#include "text/number_format.h"

namespace rizazovoz {

// The thresholds are double constants compared with the stored single-precision value, so
// the single-precision rounding of 14.8 (just above it) already counts as too high and that
// of 0.45 (just below it) as lean.
LabelReadout BatteryVoltsReadout(float batteryVolts, char decimalSeparator) {
  const double v = batteryVolts;
  const ReadoutColor color = (v > 14.8 || v < 9.0) ? ReadoutColor::kRed : ReadoutColor::kGreen;
  return {formatFixed(v, 4, 2, decimalSeparator) + "V", color};
}

LabelReadout O2VoltsReadout(float o2Volts, char decimalSeparator) {
  const double v = o2Volts;
  ReadoutColor color = ReadoutColor::kYellow;
  if (v > 0.9) {
    color = ReadoutColor::kRed;
  } else if (v >= 0.45) {
    color = ReadoutColor::kGreen;
  }
  return {formatFixed(v, 4, 3, decimalSeparator) + "V", color};
}

LabelReadout IgnitionAdvanceReadout(std::int32_t ignAdvance) {
  return {formatInteger(ignAdvance), std::nullopt};
}

LabelReadout TwoDecimalReadout(float value, char decimalSeparator) {
  return {formatFixed(value, 4, 2, decimalSeparator), std::nullopt};
}

ReadoutColor MilColor(MilState state) {
  switch (state) {
    case MilState::kCurrentFault:
      return ReadoutColor::kRed;
    case MilState::kStoredFault:
      return ReadoutColor::kYellow;
    case MilState::kNoFault:
      break;
  }
  return ReadoutColor::kBlack;
}

}  // namespace rizazovoz
