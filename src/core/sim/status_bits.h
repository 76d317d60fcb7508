#pragma once
// The status bytes an ECU of a given identity reports for the engine's state. Each status
// bit reports the engine condition that the flag name of its status text names ("Fuel
// Pump", "Idle Position", ...), so that a status flag viewer reading the bytes back through
// the same texts shows what the engine does. Flags the engine has no condition for
// ("Starter", "AC On", ...) and unused bits read 0.
#include <array>
#include <cstdint>
#include <string_view>

#include "ecudefs/status_defs.h"
#include "sim/engine_model.h"

namespace rizazovoz {

class StatusBits {
 public:
  // Unlisted identities use the default row.
  explicit StatusBits(std::string_view identity);

  // Status byte 0..4 (bit of value 128 first) for the engine's state.
  std::uint8_t Byte(int index, const EngineState& state) const;

 private:
  using Condition = bool EngineState::*;
  std::array<Condition, kStatusBitCount> conditions_{};  // null where the engine has none
};

}  // namespace rizazovoz
