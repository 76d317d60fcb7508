#pragma once
// What the ECU setup copies out of the identity tables for the poller and the slot decoders,
// so that nothing looks an identity up per data byte. A default-constructed profile is the
// state before any ECU was set up: addresses 0, type 0 in every slot, every constant 0,
// empty kind texts.
#include <array>
#include <cstdint>
#include <string_view>

#include "ecudefs/data_defs.h"

namespace rizazovoz {

struct EcuProfile {
  // The slot layout below is that of the ECU now connected. Only then are data bytes
  // decoded: an unlisted or OBD2 ECU keeps the previous (or empty) layout for its addresses,
  // and decoding its bytes by that layout would show numbers and faults it never sent.
  bool layoutLoaded = false;
  std::array<int, kSlotCount> slotTypes{};
  int baseAddress = 0;
  int endAddress = 0;

  // Kind texts point at static storage.
  std::string_view airflowKind;
  std::string_view idleAirKind;
  std::string_view egrKind;

  float rpmScale = 0;
  float rpmOffset = 0;
  float tpsScale = 0;
  float tpsVoltScale = 0;
  float speedScale = 0;
  float injScale = 0;
  int unusedConstant10 = 0;  // copied like every other constant, read by nothing
  float ctsScale = 0;
  float ctsOffset = 0;
  float iatScale = 0;
  int iatOffset = 0;
  int mpgAverageCount = 0;
  float ignScale = 0;
  float ignOffset = 0;
  float o2Divisor = 0;
  float airflowScale = 0;
  float airflowOffset = 0;
  float idleScale = 0;
  float idleOffset = 0;
  float egrTempScale = 0;
  float trimScale = 0;
  float iacScale = 0;
  float iacOffset = 0;
  float iacAdjScale = 0;
  float iacAdjOffset = 0;
  float veScale = 0;
  float veOffset = 0;
  float batteryDivisor = 0;
  float purgeScale = 0;
  float egrScale = 0;
};

// The full profile of an identity's row (the default row for an unlisted identity). The
// setup step decides by class whether to load it at all.
EcuProfile MakeEcuProfile(std::string_view identity);

}  // namespace rizazovoz
