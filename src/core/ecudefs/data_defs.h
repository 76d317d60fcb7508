#pragma once
// The per-ECU tables keyed by the identity text ("1103", "17E2", ...): capability class,
// slot layout, the 37 scaling constants, the kind texts and the accepted actuator commands.
// Matching is exact and case-sensitive; an identity that is not listed (and every OBD2
// identity) reads the default row. Pure lookups over constant tables: safe from any thread.
#include <cstdint>
#include <string_view>

namespace rizazovoz {

inline constexpr int kSlotCount = 50;
inline constexpr int kEcuConstantCount = 37;

// 0 not listed, 1 fully described, 2 OBD2 (recognised, but reads the default row).
enum class EcuClass : int { kNotListed = 0, kFull = 1, kObd2 = 2 };

// Index of each constant in a row. Constants 8 and 10 are stored but read by nothing.
enum class EcuConstantIndex : int {
  kBaseAddress = 0,
  kEndAddress = 1,
  kAirflowKindSelector = 2,
  kRpmScale = 3,
  kRpmOffset = 4,
  kTpsScale = 5,
  kTpsVoltScale = 6,
  kSpeedScale = 7,
  kUnused8 = 8,
  kInjScale = 9,
  kUnused10 = 10,
  kCtsScale = 11,
  kCtsOffset = 12,
  kIatScale = 13,
  kIatOffset = 14,
  kMpgAverageCount = 15,
  kIgnScale = 16,
  kIgnOffset = 17,
  kO2Divisor = 18,
  kAirflowScale = 19,
  kAirflowOffset = 20,
  kIdleScale = 21,
  kIdleOffset = 22,
  kEgrTempScale = 23,
  kTrimScale = 24,
  kIdleAirKindSelector = 25,
  kIacScale = 26,
  kIacOffset = 27,
  kIacAdjScale = 28,
  kIacAdjOffset = 29,
  kVeScale = 30,
  kVeOffset = 31,
  kBatteryDivisor = 32,
  kPurgeScale = 33,
  kEgrKindSelector = 34,
  kEgrScale = 35,
  kActuatorFlags = 36,
};

// Bits of actuatorFlags: a set bit enables the actuator command of that name.
enum ActuatorFlag : std::uint8_t {
  kActuatorRpmControl = 1,
  kActuatorFixAdvance = 2,
  kActuatorIacCalibration = 4,
  kActuatorEgrSolControl = 8,
  kActuatorEgrStepControl = 16,
  kActuatorRadFanControl = 32,
  kActuatorCanPurgeControl = 64,
  kActuatorFuelPumpControl = 128,
};

namespace DataDefs {

// Whole-number readers truncate the stored real toward zero.
EcuClass ClassOf(std::string_view identity);
// Type code 0..55 of a slot (0..49); other slots are a precondition failure (asserted,
// and 55, "nothing", in a build without assertions).
int SlotType(std::string_view identity, int slot);
// Constant 0..36; other indexes are a precondition failure (asserted, and 0 otherwise).
float EcuConstant(std::string_view identity, int index);
float EcuConstant(std::string_view identity, EcuConstantIndex index);

int baseAddress(std::string_view identity);
int endAddress(std::string_view identity);
std::string_view airflowKind(std::string_view identity);  // "MAP", "VAF" or "MAF"
float rpmScale(std::string_view identity);
float rpmOffset(std::string_view identity);
float tpsScale(std::string_view identity);
float tpsVoltScale(std::string_view identity);
float speedScale(std::string_view identity);
float injScale(std::string_view identity);
float ctsScale(std::string_view identity);
float ctsOffset(std::string_view identity);
float iatScale(std::string_view identity);
int iatOffset(std::string_view identity);
int mpgAverageCount(std::string_view identity);
float ignScale(std::string_view identity);
float ignOffset(std::string_view identity);
float o2Divisor(std::string_view identity);
float airflowScale(std::string_view identity);
float airflowOffset(std::string_view identity);
float idleScale(std::string_view identity);
float idleOffset(std::string_view identity);
float egrTempScale(std::string_view identity);
float trimScale(std::string_view identity);
std::string_view idleAirKind(std::string_view identity);  // "FLOW", "DC" or "POS"
float iacScale(std::string_view identity);
float iacOffset(std::string_view identity);
float iacAdjScale(std::string_view identity);
float iacAdjOffset(std::string_view identity);
float veScale(std::string_view identity);
float veOffset(std::string_view identity);
float batteryDivisor(std::string_view identity);
float purgeScale(std::string_view identity);
std::string_view egrKind(std::string_view identity);  // "FLOW" or "POS"
float egrScale(std::string_view identity);
std::uint8_t actuatorFlags(std::string_view identity);  // only the low eight bits count

// The kind texts for a truncated selector value.
std::string_view AirflowKindFor(int selector);
std::string_view IdleAirKindFor(int selector);
std::string_view EgrKindFor(int selector);

}  // namespace DataDefs
}  // namespace rizazovoz
