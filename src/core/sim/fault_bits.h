#pragma once
// Which fault bits an ECU of a given identity can raise: the bits of the fault bytes its slot
// layout carries (type codes 0, 1 and 43 for current faults, 2 and 3 for stored ones) that
// its fault texts give a fault for, so that every fault the simulated ECU raises reads as
// one on a fault viewer. "F602" and "F802" carry no fault bytes and raise nothing.
#include <string_view>

#include "sim/engine_model.h"

namespace rizazovoz {

// Unlisted identities use the default row.
FaultBits FaultBitsFor(std::string_view identity);

}  // namespace rizazovoz
