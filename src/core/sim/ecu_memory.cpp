#include "sim/ecu_memory.h"

#include "livedata/slot_encoder.h"

namespace rizazovoz {

EcuMemory::EcuMemory(std::string_view identity)
    : identity_(identity), profile_(MakeEcuProfile(identity)), statusBits_(identity) {}

void EcuMemory::Encode(const EngineState& state) {
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const int type = profile_.slotTypes[static_cast<std::size_t>(slot)];
    const auto address = static_cast<std::uint8_t>((profile_.baseAddress + slot) & 0xFF);
    bytes_[address] = EncodeSlotByte(type, SlotValue(type, state), profile_);
  }
}

double EcuMemory::SlotValue(int typeCode, const EngineState& s) const {
  const bool massFlow = profile_.airflowKind == "MAF";
  switch (typeCode) {
    case 0:
    case 1:
      return s.currentFaults[static_cast<std::size_t>(typeCode)];
    case 43:
      return s.currentFaults[2];
    case 2:
    case 3:
      return s.storedFaults[static_cast<std::size_t>(typeCode - 2)];
    case 4:
    case 5:
      return s.engineSpeedRpm;
    case 6:
    case 40:  // the transmission's own road-speed byte
      return s.roadSpeedKmh;
    case 7:
      return s.coolantC;
    case 8:
      return s.intakeAirC;
    case 44:
      return s.egrTempC;
    case 9:
      return s.manifoldMbar;
    case 39:
      return s.baroMbar;
    case 10:
    case 11:
    case 12:
      return massFlow ? s.airflowGramsPerSecond : s.airflowLitresPerMinute;
    case 13:
      return s.throttlePercent;
    case 14:
      return s.throttleVolts;
    case 15:
    case 16:
      return s.o2Volts[static_cast<std::size_t>(typeCode - 15)];
    case 19:
      return s.idleAirPercent;
    case 20:
    case 21:
      return s.injectorMs[0];
    case 22:
    case 23:
      return s.injectorMs[1];
    case 24:
      return s.ignitionAdvanceDeg;
    case 25:
      return s.shortTrim[0];
    case 27:
      return s.shortTrim[1];
    case 26:
      return s.longTrim[0];
    case 28:
      return s.longTrim[1];
    case 45:
      return s.shortTrim[0] + s.longTrim[0];
    case 46:
      return s.shortTrim[1] + s.longTrim[1];
    case 29:
      return s.vePercent;
    case 30:
      return s.batteryVolts;
    case 31:
      return s.purgePercent;
    case 32:
    case 33:
    case 34:
    case 35:
      return statusBits_.Byte(typeCode - 32, s);
    case 36:
      return s.targetIdleRpm;
    case 37:
      return 128;  // ignition trim: no correction
    case 38:
      return s.egrPercent;
    case 47:
      return s.iacAdjustPercent;
    case 48:
      return s.seconds;
    default:  // transmission position and status, and codes that carry nothing
      return 0;
  }
}

}  // namespace rizazovoz
