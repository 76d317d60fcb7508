#include "sim/status_bits.h"

#include <string>
#include <utility>

#include "text/csv_string.h"

namespace rizazovoz {
namespace {

using Condition = bool EngineState::*;
using NamedCondition = std::pair<std::string_view, Condition>;

// The engine condition each flag name reports, names compared exactly.
constexpr std::array<NamedCondition, 12> kConditions = {{
    {"Fuel Pump", &EngineState::fuelPump},
    {"Radiator Fan", &EngineState::radiatorFan},
    {"Evap. Can. Purge", &EngineState::canisterPurge},
    {"EGR Valve", &EngineState::egrValve},
    {"Idle Position", &EngineState::idleSwitch},
    {"Closed Loop", &EngineState::closedLoop},
    // The oxygen sensors are active, and switching, once the loop is closed.
    {"O2S Activated", &EngineState::closedLoop},
    {"O2S B1 Activated", &EngineState::closedLoop},
    {"O2S B2 Activated", &EngineState::closedLoop},
    {"Rich/Lean Monitor", &EngineState::rich},
    {"Rich/Lean Monitor B1", &EngineState::rich},
    {"Rich/lean Monitor B2", &EngineState::richBank2},
}};

// The first field of a status text, split as a status flag viewer splits it.
std::string FlagName(const std::string& text) {
  CSVString value(text.c_str());
  CSVString name("");
  CSVString rest("");
  value.split(name, rest);
  return name.text();
}

Condition ConditionNamed(std::string_view name) {
  for (const auto& [flag, condition] : kConditions) {
    if (flag == name) return condition;
  }
  return nullptr;
}

}  // namespace

StatusBits::StatusBits(std::string_view identity) {
  const StatusDefs defs;
  for (int bit = 0; bit < kStatusBitCount; ++bit) {
    conditions_[static_cast<std::size_t>(bit)] =
        ConditionNamed(FlagName(defs.StatusText(identity, bit)));
  }
}

std::uint8_t StatusBits::Byte(int index, const EngineState& state) const {
  std::uint8_t byte = 0;
  for (int k = 0; k < 8; ++k) {
    const int bit = index * 8 + k;
    const Condition condition = conditions_.at(static_cast<std::size_t>(bit));
    if (condition != nullptr && state.*condition) byte |= StatusMaskOf(bit);
  }
  return byte;
}

}  // namespace rizazovoz
