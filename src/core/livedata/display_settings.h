#pragma once
// The display settings the decoders consult. Texts are compared exactly: only "F" selects
// Fahrenheit, only "MPH" miles per hour, and only "MPG" or "IAC" feed the economy gauge.
#include <cstdint>
#include <string>

namespace rizazovoz {

struct DisplaySettings {
  std::string tempUnits = "C";     // "C" or "F"
  std::string speedUnits = "MPH";  // "MPH" or "KPH"
  std::string mpgDial = "IAC";     // "MPG" or "IAC"
  std::int32_t flowRate = 210;     // injector flow for the fuel-economy figure

  bool fahrenheit() const { return tempUnits == "F"; }
  bool milesPerHour() const { return speedUnits == "MPH"; }
  bool economyDial() const { return mpgDial == "MPG"; }
  bool idleAirDial() const { return mpgDial == "IAC"; }
};

}  // namespace rizazovoz
