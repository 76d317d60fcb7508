#pragma once
// The simulated ECU's 256-byte memory: the engine model's values written as the bytes an ECU
// of this identity holds, slot i at baseAddress + i, each through the slot's type code and
// the identity's constants (the inverse of the slot decoders). An unlisted identity, and an
// OBD2 one, is laid out by the default row of the identity tables.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "ecudefs/ecu_profile.h"
#include "sim/engine_model.h"
#include "sim/status_bits.h"

namespace rizazovoz {

class EcuMemory {
 public:
  explicit EcuMemory(std::string_view identity);

  // Rewrites every slot from the engine's state; addresses outside the slots stay 0.
  void Encode(const EngineState& state);
  std::uint8_t Read(std::uint8_t address) const { return bytes_[address]; }
  const std::array<std::uint8_t, 256>& bytes() const { return bytes_; }
  const EcuProfile& profile() const { return profile_; }

  // The value a slot of this type code carries, in the ECU's own units (before encoding).
  double SlotValue(int typeCode, const EngineState& state) const;

 private:
  std::string identity_;
  EcuProfile profile_;
  StatusBits statusBits_;
  std::array<std::uint8_t, 256> bytes_{};
};

}  // namespace rizazovoz
