#pragma once
// How the dashboard's numeric read-outs and the check-engine lamp look for a decoded value:
// the label text and, for the two voltage read-outs, the font colour that flags a value out
// of its healthy band. The window only puts the result on its labels.
#include <cstdint>
#include <optional>
#include <string>

#include "livedata/dashboard_readouts.h"

namespace rizazovoz {

enum class ReadoutColor : std::uint8_t { kBlack, kRed, kYellow, kGreen };

constexpr std::uint32_t ReadoutColorRgb(ReadoutColor color) {
  switch (color) {
    case ReadoutColor::kRed:
      return 0xFF0000;
    case ReadoutColor::kYellow:
      return 0xFFFF00;
    case ReadoutColor::kGreen:
      return 0x008000;
    case ReadoutColor::kBlack:
      break;
  }
  return 0x000000;
}

// A label's new text; the colour is set before the text, and no colour leaves it as it is.
struct LabelReadout {
  std::string text;
  std::optional<ReadoutColor> color;
  bool operator==(const LabelReadout&) const = default;
};

// "14.80V": red above 14.8 V or below 9 V (a charging fault or a flat battery), else green.
LabelReadout BatteryVoltsReadout(float batteryVolts, char decimalSeparator);
// "0.450V": red above 0.9 V, green from 0.45 V (rich), yellow below (lean).
LabelReadout O2VoltsReadout(float o2Volts, char decimalSeparator);
// Whole degrees, colour unchanged.
LabelReadout IgnitionAdvanceReadout(std::int32_t ignAdvance);
// Pulse width in ms and the fuel trims: two decimals, colour unchanged.
LabelReadout TwoDecimalReadout(float value, char decimalSeparator);

// The lamp's font colour: red for a current fault, yellow for a stored one, else black.
ReadoutColor MilColor(MilState state);

}  // namespace rizazovoz
