#include "actuators/actuator_tests.h"

#include "text/integer_text.h"
#include "text/number_format.h"

namespace rizazovoz {
namespace {

// The target idle's step is 7.843 rpm: its inverse, to extended precision.
constexpr long double kTargetIdleStep = 0.12750223128904756L;

std::string NotAnInteger(std::string_view entry) {
  return "'" + std::string(entry) + "' is not a valid integer value";
}

}  // namespace

const std::array<ActuatorTest, 8>& ActuatorTests() {
  using M = ActuatorMode;
  using F = FirstMonitor;
  static const std::array<ActuatorTest, 8> tests = {{
      {M::RpmControl, "RPM Control", 0x01, "RPM Control", "Set Target Idle", "800", "Target Idle",
       F::kTargetIdle},
      {M::FixAdvance, "Fix Advance", 0x02, "Fix Advance", "Fix Spark Advance", "---", "Ign Adv",
       F::kIgnAdvance},
      {M::IacCalibration, "IAC Calibration", 0x04, "IAC Calibration", "Set IAC CAl", "---",
       "IAC Adjust Mon.", F::kIacAdjMon},
      {M::EgrSolControl, "EGR Sol. Control", 0x08, "EGR Solenoid Control", "EGR Solenoid", "---",
       "---", F::kNothing},
      {M::EgrStepControl, "EGR Step Control", 0x10, "EGR Stepper Control", "EGR Position (%)", "0",
       "EGR", F::kEgr},
      {M::RadFanControl, "Rad.Fan Control", 0x20, "Radiator Fan Control", "Radiator Fan", "---",
       "---", F::kNothing},
      {M::CanPurgeControl, "Can. Purge Control", 0x40, "Can. Purge Sol. Control", "Can. Purge",
       "---", "---", F::kNothing},
      {M::FuelPumpControl, "Fuel Pump Control", 0x80, "Fuel Pump Control", "Fuel Pump", "---",
       "---", F::kNothing},
  }};
  return tests;
}

const ActuatorTest* ActuatorPanel::current() const {
  if (currentTest_ < 1) return nullptr;
  return &ActuatorTests()[static_cast<std::size_t>(currentTest_ - 1)];
}

void ActuatorPanel::Choose(int test) {
  if (test >= 1 && test <= 8) currentTest_ = test;
}

std::variant<ActuatorCommand, std::string> ActuatorPanel::Set(std::string_view entry) {
  int value = lastValue_;
  if (currentTest_ == 1 || currentTest_ == 5) {
    const std::optional<std::int32_t> number = parseInteger(entry);
    if (!number) return NotAnInteger(entry);
    // One byte travels: a larger number would arrive as its low eight bits, a quite
    // different command (3000 rpm would hold the engine near 988 rpm).
    if (currentTest_ == 1) {
      if (*number < 0 || *number > kHighestTargetIdle) {
        return "The target idle must be from 0 to " + std::to_string(kHighestTargetIdle) +
               " rpm, not " + std::string(entry);
      }
      value = static_cast<int>(static_cast<long double>(*number) * kTargetIdleStep);
    } else {
      if (*number < 0 || *number > kHighestEgrPosition) {
        return "The EGR position must be from 0 to " + std::to_string(kHighestEgrPosition) +
               " %, not " + std::string(entry);
      }
      value = *number;
    }
  } else if (currentTest_ == 2) {
    value = 16;
  }
  lastValue_ = value;
  return ActuatorCommand{static_cast<ActuatorMode>(currentTest_), value};
}

std::array<std::optional<std::string>, 4> ActuatorPanel::Monitors(const LiveValues& v,
                                                                  char separator) const {
  std::array<std::optional<std::string>, 4> texts;
  const ActuatorTest* test = current();
  if (!test) return texts;
  switch (test->monitor) {
    case FirstMonitor::kTargetIdle:
      texts[0] = formatInteger(v.targetIdle);
      break;
    case FirstMonitor::kIgnAdvance:
      texts[0] = formatInteger(v.ignAdvance);
      break;
    case FirstMonitor::kIacAdjMon:
      texts[0] = formatInteger(v.iacAdjMon);
      break;
    case FirstMonitor::kEgr:
      texts[0] = formatInteger(v.egr);
      break;
    case FirstMonitor::kNothing:
      break;
  }
  texts[1] = formatFixed(v.engineSpeed, 5, 0, separator);
  texts[2] = formatFixed(v.coolantTemp, 3, 0, separator);
  texts[3] = formatInteger(v.roadSpeed);
  return texts;
}

}  // namespace rizazovoz
