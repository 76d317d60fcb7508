#pragma once
// The current engineering values decoded from the ECU's data bytes, and the raw byte of
// each slot. Written only by the poller (raw bytes) and the slot decoder; every window reads
// it. Everything starts at 0 and keeps its last value across disconnection and change of ECU.
#include <array>
#include <cstdint>

#include "ecudefs/data_defs.h"

namespace rizazovoz {

struct LiveValues {
  std::array<std::int32_t, kSlotCount> rawSlotValues{};  // 0..255
  std::array<std::uint8_t, 5> faultFlags{};   // 0, 1, 4 current faults; 2, 3 stored faults
  std::array<std::uint8_t, 5> statusFlags{};  // entry 4 is written by no type code

  std::int32_t engineSpeedHigh = 0;  // high byte of the engine-speed count
  std::int32_t engineSpeed = 0;      // rpm
  std::int32_t roadSpeed = 0;        // mph or km/h by the speed unit setting
  float coolantTemp = 0;             // °C or °F by the temperature unit setting
  float airTemp = 0;
  float egrTemp = 0;             // always a whole value
  std::int32_t mapPressure = 0;  // mbar
  std::int32_t airFlowHigh = 0;  // high byte of the air-flow count, times 256
  std::int32_t airFlow = 0;      // l/min (VAF) or g/s (MAF)
  float baro = 0;                // mbar, always a whole value
  float tpsPercent = 0;          // always a whole value
  float tpsVolts = 0;
  std::array<float, 2> o2Volts{};  // banks 1, 2
  std::int32_t iac = 0;            // flow, duty or position by idleAirKind
  std::array<std::int32_t, 2> injPulseHigh{};
  std::array<float, 2> injPulseWidth{};  // ms
  std::int32_t ignAdvance = 0;           // degrees
  std::array<float, 2> stft{};
  std::array<float, 2> ltft{};
  std::array<float, 2> tft{};
  std::int32_t ve = 0;  // percent
  float batteryVolts = 0;
  std::int32_t evapPurge = 0;      // percent
  std::int32_t targetIdle = 0;     // rpm
  std::int32_t ignTrim = 0;        // raw byte
  std::int32_t egr = 0;            // flow or position by egrKind
  std::int32_t atmVss = 0;         // raw byte
  std::int32_t atmPos = 0;         // raw byte
  std::int32_t atmStatus = 0;      // raw byte
  std::int32_t iacAdjMon = 0;      // percent
  std::int32_t timeFromStart = 0;  // seconds
  float mpg = 0;                   // running average of fuel economy

  bool operator==(const LiveValues&) const = default;
};

}  // namespace rizazovoz
