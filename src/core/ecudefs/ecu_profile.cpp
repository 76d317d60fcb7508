#include "ecudefs/ecu_profile.h"

namespace rizazovoz {

EcuProfile MakeEcuProfile(std::string_view id) {
  using I = EcuConstantIndex;
  EcuProfile p;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    p.slotTypes[static_cast<std::size_t>(slot)] = DataDefs::SlotType(id, slot);
  }
  p.baseAddress = DataDefs::baseAddress(id);
  p.endAddress = DataDefs::endAddress(id);
  p.airflowKind = DataDefs::airflowKind(id);
  p.idleAirKind = DataDefs::idleAirKind(id);
  p.egrKind = DataDefs::egrKind(id);
  p.rpmScale = DataDefs::rpmScale(id);
  p.rpmOffset = DataDefs::rpmOffset(id);
  p.tpsScale = DataDefs::tpsScale(id);
  p.tpsVoltScale = DataDefs::tpsVoltScale(id);
  p.speedScale = DataDefs::speedScale(id);
  p.injScale = DataDefs::injScale(id);
  p.unusedConstant10 = static_cast<int>(DataDefs::EcuConstant(id, I::kUnused10));
  p.ctsScale = DataDefs::ctsScale(id);
  p.ctsOffset = DataDefs::ctsOffset(id);
  p.iatScale = DataDefs::iatScale(id);
  p.iatOffset = DataDefs::iatOffset(id);
  p.mpgAverageCount = DataDefs::mpgAverageCount(id);
  p.ignScale = DataDefs::ignScale(id);
  p.ignOffset = DataDefs::ignOffset(id);
  p.o2Divisor = DataDefs::o2Divisor(id);
  p.airflowScale = DataDefs::airflowScale(id);
  p.airflowOffset = DataDefs::airflowOffset(id);
  p.idleScale = DataDefs::idleScale(id);
  p.idleOffset = DataDefs::idleOffset(id);
  p.egrTempScale = DataDefs::egrTempScale(id);
  p.trimScale = DataDefs::trimScale(id);
  p.iacScale = DataDefs::iacScale(id);
  p.iacOffset = DataDefs::iacOffset(id);
  p.iacAdjScale = DataDefs::iacAdjScale(id);
  p.iacAdjOffset = DataDefs::iacAdjOffset(id);
  p.veScale = DataDefs::veScale(id);
  p.veOffset = DataDefs::veOffset(id);
  p.batteryDivisor = DataDefs::batteryDivisor(id);
  p.purgeScale = DataDefs::purgeScale(id);
  p.egrScale = DataDefs::egrScale(id);
  return p;
}

}  // namespace rizazovoz
