#include "sim/fault_bits.h"

#include <algorithm>
#include <cstdint>

#include "ecudefs/ecu_profile.h"
#include "ecudefs/fault_defs.h"

namespace rizazovoz {

FaultBits FaultBitsFor(std::string_view identity) {
  const FaultDefs defs;
  const EcuProfile profile = MakeEcuProfile(identity);
  // The bits of fault byte `faultByte`, carried by slots of type `typeCode`, that name a fault.
  const auto usable = [&](int faultByte, int typeCode) {
    const auto& types = profile.slotTypes;
    if (std::find(types.begin(), types.end(), typeCode) == types.end()) return std::uint8_t{0};
    std::uint8_t mask = 0;
    for (int bit = faultByte * 8; bit < faultByte * 8 + 8; ++bit) {
      if (defs.FaultText(identity, bit) != kUnallocatedFaultText) mask |= FaultMaskOf(bit);
    }
    return mask;
  };
  FaultBits bits;
  bits.current = {usable(0, 0), usable(1, 1), usable(4, 43)};
  bits.stored = {usable(2, 2), usable(3, 3)};
  return bits;
}

}  // namespace rizazovoz
