#pragma once
// The inverse of the slot decoder, for the simulated ECU: the byte that an ECU with this
// profile sends in a slot of a type code for an engineering value given in the ECU's own
// units (°C, km/h; never °F or mph). For a value carried in two slots (engine speed: codes
// 4 and 5; air flow: 10 and 11/12; pulse width: 20 and 21, 22 and 23) the value is the whole
// quantity and the code selects its high or its low byte. Values out of reach are clamped to
// the nearest byte; codes that carry a plain byte (fault and status flags, raw codes, codes
// without a decoder) take the value as that byte.
#include <cstdint>

#include "ecudefs/ecu_profile.h"

namespace rizazovoz {

std::uint8_t EncodeSlotByte(int typeCode, double value, const EcuProfile& profile);

}  // namespace rizazovoz
