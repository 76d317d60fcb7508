#pragma once
// Turns one data byte into its engineering value by the slot's type code, stores it in the
// live values and refreshes the dashboard read-out that shows it. The poller stores the raw
// byte in rawSlotValues first, then calls decode(slotTypes[slot], byte), in slot order.
//
// Arithmetic is single precision with every step rounded, whole numbers by truncation toward
// zero. Sixteen-bit values come from two slots: the high-byte code only stores its byte, the
// low-byte code combines it with whatever high byte was stored last.
#include <cstdint>

#include "ecudefs/ecu_profile.h"
#include "livedata/dashboard_readouts.h"
#include "livedata/display_settings.h"
#include "livedata/live_values.h"

namespace rizazovoz {

class SlotDecoder {
 public:
  // All four are owned by the main window and outlive the decoder; the profile and the
  // settings are read at every byte, so changes take effect with the next byte.
  SlotDecoder(LiveValues& values, const EcuProfile& profile, const DisplaySettings& settings,
              DashboardReadouts& readouts);

  // Type codes outside 0..48 (and 17, 18) change nothing.
  void decode(int typeCode, std::uint8_t byte);

 private:
  LiveValues& values_;
  const EcuProfile& profile_;
  const DisplaySettings& settings_;
  DashboardReadouts& readouts_;
};

}  // namespace rizazovoz
