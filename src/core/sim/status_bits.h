#pragma once
// Where an ECU reports the engine's outputs and conditions in its status bytes: the status
// bit number (0..39, byte k / 8, bit value 128 >> k % 8) of each, per identity, as the
// status flag viewer reads them. -1 where the ECU has no such bit.
#include <string_view>

namespace rizazovoz {

struct StatusBits {
  int fuelPump = -1;
  int radiatorFan = -1;
  int canisterPurge = -1;
  int egrValve = -1;
  int rich = -1;
  int idleSwitch = -1;
};

// Unlisted identities use the default row.
StatusBits StatusBitsFor(std::string_view identity);

}  // namespace rizazovoz
