#pragma once
// The dashboard read-outs that follow a decoded value at once. The slot decoder calls these
// right after storing the value; gauge feeds receive the whole number the gauge is given.
// Every method does nothing by default, so a reader implements only what it shows.
#include <array>
#include <cstdint>

namespace rizazovoz {

// State of the check-engine lamp from the fault flag bytes.
enum class MilState {
  kNoFault,      // every fault byte 0 (black)
  kStoredFault,  // only a stored (history) fault (yellow)
  kCurrentFault  // a current fault (red)
};

// Entries 0, 1 and 4 are current faults, entries 2 and 3 stored ones.
MilState MilStateOf(const std::array<std::uint8_t, 5>& faultFlags);

class DashboardReadouts {
 public:
  virtual ~DashboardReadouts() = default;

  virtual void showMil(MilState) {}
  virtual void feedRevCounter(std::int32_t /*rpm*/) {}
  virtual void feedSpeedo(std::int32_t /*roadSpeed*/) {}
  virtual void feedCoolantGauge(std::int32_t /*trunc coolantTemp*/) {}
  virtual void feedAirTempGauge(std::int32_t /*trunc airTemp*/) {}
  virtual void feedAirflowGauge(std::int32_t /*mapPressure or airFlow*/) {}
  virtual void feedThrottleGauge(std::int32_t /*trunc tpsPercent*/) {}
  // The economy gauge: idle air (dial "IAC") or trunc(mpg) (dial "MPG").
  virtual void feedEconomyGauge(std::int32_t /*value*/) {}

  virtual void showBatteryVolts(float /*batteryVolts*/) {}
  virtual void showO2Volts(float /*o2Volts[0]*/) {}
  virtual void showIgnitionAdvance(std::int32_t /*ignAdvance*/) {}
  virtual void showInjectorPulseWidth(float /*injPulseWidth[0]*/) {}
  virtual void showLongTermTrim(float /*ltft[0]*/) {}
  virtual void showTotalTrim(float /*tft[0]*/) {}
};

}  // namespace rizazovoz
