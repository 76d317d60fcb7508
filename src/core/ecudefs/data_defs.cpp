// The identity tables. Each row holds the slot type codes (slots after the last listed one
// carry 55, "nothing of interest") and the 37 constants as the single-precision values
// the ECUs are calibrated with.
#include "ecudefs/data_defs.h"

#include <array>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <initializer_list>

#include "ecudefs/ecu_rows.h"

namespace rizazovoz {
namespace {

constexpr int kFillerType = 55;

using SlotRow = std::array<std::uint8_t, kSlotCount>;
using ConstantRow = std::array<float, kEcuConstantCount>;

constexpr std::array<std::string_view, 3> kObd2Identities = {"1B34", "1B41", "1B84"};

constexpr SlotRow PadSlots(std::initializer_list<int> listed) {
  SlotRow row{};
  for (auto& type : row) type = kFillerType;
  std::size_t slot = 0;
  for (int type : listed) row[slot++] = static_cast<std::uint8_t>(type);
  return row;
}

constexpr SlotRow kF602Slots = PadSlots(
    {55, 29, 7,  25, 26, 55, 55, 4,  5,  6,  24, 8,  10, 11, 13, 55, 15, 16, 36, 14, 20, 21, 39,
     19, 45, 30, 31, 55, 55, 55, 32, 33, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 40});

// Type codes of slot 0, 1, 2, ...
constexpr std::array<SlotRow, kEcuRowCount> kSlotTypes = {{
    // "1103"
    PadSlots({0,  1,  2,  3,  4,  5,  36, 6,  7,  8,  13, 14, 15,
              24, 20, 21, 12, 20, 25, 26, 45, 55, 30, 32, 33}),
    // "1112"
    PadSlots({0,  1,  2, 3,  43, 4,  5,  36, 6,  7,  8,  44, 13, 14, 15, 24,
              20, 21, 9, 39, 19, 47, 25, 26, 45, 48, 30, 32, 33, 34, 35}),
    // "1202"
    PadSlots({0,  1,  2,  3,  4,  5,  36, 6,  7,  44, 13, 14, 15, 24, 20,
              21, 10, 11, 19, 47, 25, 26, 45, 30, 31, 29, 32, 33, 55, 8}),
    // "1253"
    PadSlots(
        {0, 1, 2, 3, 4, 5, 36, 6, 7, 8, 13, 14, 15, 20, 21, 24, 9, 19, 25, 26, 45, 30, 32, 33}),
    // "1453"
    PadSlots(
        {0, 1, 2, 3, 4, 5, 36, 6, 7, 8, 13, 14, 15, 20, 21, 24, 9, 39, 19, 25, 26, 45, 30, 32, 33}),
    // "1601"
    PadSlots({0,  1,  2,  3,  4,  5,  36, 6,  7,  8,  13, 14, 20, 21, 22, 23, 24,
              10, 11, 19, 25, 27, 26, 28, 45, 46, 30, 29, 55, 31, 15, 16, 32, 33}),
    // "1641"
    PadSlots({0,  1,  2,  3,  4,  5,  36, 6,  7,  8,  13, 14, 15, 20,
              21, 24, 10, 11, 19, 25, 26, 45, 30, 29, 31, 32, 33}),
    // "1701"
    PadSlots({0,  1,  43, 2,  3,  55, 4,  5,  36, 6,  7,  8,  13, 14, 20, 21, 22, 23, 24, 10, 11,
              19, 25, 27, 26, 28, 45, 46, 30, 29, 38, 31, 15, 16, 40, 41, 55, 32, 33, 34, 42, 35}),
    // "1702"
    PadSlots({0,  1,  43, 2,  3,  55, 4,  5,  36, 6,  7,  8,  13, 14, 15, 24, 20, 21,
              10, 11, 19, 47, 25, 26, 45, 30, 31, 29, 40, 41, 49, 32, 33, 55, 42, 34}),
    // "17E2"
    PadSlots({0,  1,  2, 3,  4,  5,  36, 6,  7,  8,  13, 14, 15, 24,
              20, 21, 9, 39, 19, 25, 26, 45, 30, 55, 55, 32, 33}),
    // "1843"
    PadSlots({0,  1,  2, 3,  4,  5,  36, 6,  7,  8,  13, 14, 15, 20,
              21, 24, 9, 39, 19, 25, 26, 45, 30, 31, 38, 32, 33}),
    // "1881"
    PadSlots({0,  1,  55, 2, 3,  55, 4,  5,  36, 6,  7,  8,  13, 14, 15,
              24, 20, 21, 9, 50, 25, 27, 45, 30, 55, 55, 55, 55, 32, 33}),
    // "1901"
    PadSlots({0,  1,  43, 2,  3,  55, 4,  5,  36, 6,  7,  8,  13, 14, 20, 21, 22, 23, 24, 10, 11,
              19, 55, 25, 27, 26, 28, 45, 46, 30, 29, 38, 31, 15, 16, 5,  55, 55, 55, 32, 33}),
    // "1902"
    PadSlots({0,  1,  43, 2,  3,  55, 4,  5,  36, 6, 7,  13, 14, 15, 24, 20, 21, 10, 11, 19,
              55, 47, 55, 55, 55, 30, 31, 29, 50, 8, 55, 55, 55, 55, 55, 55, 55, 32, 33, 34}),
    // "1903"
    PadSlots({0,  1,  2, 3,  4,  5,  36, 6,  7,  8,  13, 14, 15, 20,
              21, 24, 9, 39, 19, 25, 26, 45, 30, 31, 50, 32, 33}),
    // "1943"
    PadSlots({0,  1,  2, 3,  4,  5,  36, 6,  7,  8,  13, 14, 15, 20,
              21, 24, 9, 39, 19, 25, 26, 45, 30, 31, 50, 55, 32, 33}),
    // "F602"
    kF602Slots,
    // "F802": the same layout as "F602"
    kF602Slots,
    // default row
    PadSlots({0,  1,  3,  43, 4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
              16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31,
              32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47}),
}};

// One entry per EcuConstantIndex, in index order.
constexpr std::array<ConstantRow, kEcuRowCount> kConstants = {{
    // "1103"
    {0.0f,   32.0f,  1.0f,  0.977f, 0.0f,    0.49f, 1.0f,   1.9f,   0.0f,   1.02f,
     232.0f, 0.625f, 40.0f, 0.625f, 40.0f,   4.0f,  0.35f,  -11.7f, 205.0f, 1.041f,
     0.0f,   7.843f, 0.0f,  1.0f,   0.0173f, 1.0f,  0.391f, 0.0f,   1.6f,   0.67f,
     0.78f,  0.55f,  12.8f, 1.0f,   0.0f,    1.0f,  15.0f},
    // "1112"
    {0.0f,  45.0f, 0.0f, 3.9f,   0.0f,  0.49f,  1.0f,  2.0f, 0.0f,   1.02f, 232.0f, 0.93f,    74.0f,
     0.93f, 74.0f, 4.0f, -0.35f, 61.5f, 102.0f, 4.95f, 0.0f, 7.843f, 0.0f,  0.95f,  0.00781f, 0.0f,
     1.0f,  0.0f,  2.0f, 0.0f,   0.78f, 0.55f,  12.8f, 1.0f, 0.0f,   1.0f,  15.0f},
    // "1202"
    {0.0f,   30.0f,   2.0f,   0.9766f, 0.0f,  0.49f, 1.024f,  1.17f, 0.0f,   4.0f,
     232.0f, 0.9375f, 75.0f,  0.625f,  40.0f, 4.0f,  -0.352f, 60.7f, 205.0f, 0.0101f,
     0.0f,   7.843f,  0.0f,   0.95f,   1.0f,  0.0f,  1.0f,    0.0f,  1.6f,   0.8f,
     0.78f,  0.55f,   13.64f, 1.0f,    0.0f,  1.0f,  15.0f},
    // "1253"
    {0.0f,   18.0f,  0.0f,  0.0977f, -400.0f, 0.49f, 1.0f,   1.078f, 0.0f,  2.0f,
     212.0f, 0.625f, 40.0f, 0.625f,  40.0f,   4.0f,  0.35f,  -11.7f, 51.5f, 5.219f,
     0.0f,   7.843f, 0.0f,  1.0f,    1.0f,    1.0f,  0.391f, 0.0f,   1.0f,  1.0f,
     1.0f,   1.0f,   12.8f, 1.0f,    0.0f,    1.0f,  15.0f},
    // "1453"
    {0.0f,     25.0f,  0.0f,  0.195f, 0.0f,  0.49f, 1.0f,   1.0f,   0.0f,  2.0f,
     232.0f,   0.625f, 40.0f, 0.625f, 40.0f, 4.0f,  0.35f,  -11.7f, 51.5f, 6.4844f,
     -193.33f, 7.843f, 0.0f,  1.0f,   1.0f,  1.0f,  0.391f, 0.0f,   1.6f,  0.67f,
     0.78f,    0.55f,  12.8f, 1.0f,   0.0f,  1.0f,  15.0f},
    // "1601"
    {0.0f, 33.0f, 2.0f, 1.0f, 0.0f,   0.49f,  1.0f,    1.0f, 0.0f,   8.0f, 232.0f, 1.0f,     50.0f,
     1.0f, 50.0f, 4.0f, 1.0f, -10.0f, 200.0f, 0.0069f, 0.0f, 7.843f, 0.0f, 1.0f,   0.00769f, 1.0f,
     1.0f, 0.0f,  1.0f, 0.0f, 0.391f, 0.0f,   12.8f,   2.0f, 0.0f,   1.0f, 23.0f},
    // "1641"
    {0.0f, 26.0f, 2.0f, 1.0f, 0.0f,   0.49f,  1.024f,  1.0f, 0.0f,   8.0f, 232.0f, 1.0f,     50.0f,
     1.0f, 50.0f, 4.0f, 1.0f, -10.0f, 200.0f, 0.0069f, 0.0f, 7.843f, 0.0f, 1.0f,   0.00769f, 1.0f,
     1.0f, 0.0f,  1.0f, 0.0f, 0.391f, 0.0f,   12.5f,   2.0f, 0.0f,   1.0f, 15.0f},
    // "1701"
    {0.0f, 41.0f, 2.0f, 1.0f, 0.0f,   0.49f,  1.024f,  1.0f, 0.0f,   8.0f, 193.0f, 1.0f,     50.0f,
     1.0f, 50.0f, 4.0f, 1.0f, -10.0f, 200.0f, 0.0069f, 0.0f, 7.843f, 0.0f, 1.0f,   0.00769f, 1.0f,
     1.0f, 0.0f,  1.0f, 0.0f, 0.391f, 0.55f,  12.8f,   2.0f, 0.0f,   1.0f, 23.0f},
    // "1702"
    {0.0f,   35.0f,  2.0f,  0.9766f, 0.0f,     0.49f,  1.0f,   1.88f, -0.1f,  4.0f,
     232.0f, 0.93f,  74.0f, 0.93f,   74.0f,    4.0f,   -0.35f, 61.5f, 205.0f, 0.01f,
     0.0f,   7.843f, 0.0f,  1.0f,    0.00769f, 0.0f,   1.0f,   0.0f,  1.6f,   0.67f,
     0.78f,  0.0f,   13.6f, 1.0f,    2.0f,     0.391f, 23.0f},
    // "17E2"
    {0.0f,   27.0f,   0.0f,   3.92f,  0.0f,     0.49f, 1.0f,   2.0f,  0.0f,  1.0f,
     212.0f, 0.937f,  75.0f,  0.937f, 75.0f,    4.0f,  -0.35f, 61.5f, 51.5f, 4.95f,
     0.0f,   7.8125f, 500.0f, 1.0f,   0.00769f, 1.0f,  2.0f,   0.0f,  1.0f,  0.0f,
     1.0f,   0.0f,    13.6f,  1.0f,   0.0f,     1.0f,  15.0f},
    // "1843"
    {0.0f,   27.0f,  0.0f,  0.195f, 0.0f,     0.49f,  1.0f,   1.0f,   0.0f,  2.0f,
     218.0f, 0.625f, 40.0f, 0.625f, 40.0f,    4.0f,   0.355f, -12.5f, 51.5f, 4.95f,
     0.0f,   7.843f, 0.0f,  1.0f,   0.00195f, 1.0f,   0.391f, 0.0f,   1.0f,  0.0f,
     1.0f,   0.0f,   12.8f, 0.391f, 2.0f,     0.391f, 19.0f},
    // "1881"
    {0.0f,   30.0f,  0.0f,  0.195f, 0.0f,     0.49f, 1.0f, 1.0f,   0.0f,   0.3125f,
     200.0f, 1.0f,   50.0f, 1.0f,   50.0f,    4.0f,  1.0f, -32.0f, 100.0f, 10.0f,
     0.0f,   7.843f, 0.0f,  1.0f,   0.00769f, 2.0f,  0.5f, 0.0f,   1.0f,   0.0f,
     1.0f,   0.0f,   12.5f, 0.391f, 0.0f,     1.0f,  11.0f},
    // "1901"
    {0.0f,   41.0f,  2.0f,  0.9766f, 0.0f,     0.49f,  1.024f, 1.883f, 0.0f,   8.0f,
     232.0f, 1.0f,   50.0f, 1.0f,    50.0f,    4.0f,   1.0f,   -10.0f, 205.0f, 0.0069f,
     0.0f,   7.843f, 0.0f,  1.0f,    0.00781f, 1.0f,   1.0f,   0.0f,   1.0f,   0.0f,
     0.391f, 0.0f,   12.5f, 2.0f,    2.0f,     0.391f, 19.0f},
    // "1902"
    {0.0f,   40.0f,  2.0f,  0.9766f, 0.0f,  0.49f,  1.0f,   1.883f, 0.0f,   4.0f,
     232.0f, 0.93f,  74.0f, 0.93f,   74.0f, 4.0f,   -0.35f, 61.5f,  205.0f, 0.01f,
     0.0f,   7.843f, 0.0f,  1.0f,    1.0f,  0.0f,   256.0f, 0.0f,   1.6f,   0.67f,
     0.78f,  0.0f,   13.6f, 0.391f,  2.0f,  0.391f, 23.0f},
    // "1903"
    {0.0f,   27.0f,  0.0f,  0.195f, 0.0f,     0.49f,  1.0f,   1.0f,  0.0f,  2.0f,
     212.0f, 0.625f, 40.0f, 0.625f, 40.0f,    4.0f,   -0.35f, 61.5f, 51.5f, 4.95f,
     0.0f,   7.843f, 0.0f,  1.0f,   0.00195f, 1.0f,   0.391f, 0.0f,  1.0f,  0.0f,
     1.0f,   0.0f,   12.8f, 0.391f, 2.0f,     0.391f, 19.0f},
    // "1943"
    {0.0f,   28.0f,  0.0f,  0.195f, 0.0f,     1.11f,  1.0f,   1.0f,   0.0f,  2.0f,
     216.0f, 0.625f, 40.0f, 0.625f, 40.0f,    4.0f,   0.355f, -12.0f, 51.5f, 4.95f,
     0.0f,   7.843f, 0.0f,  1.0f,   0.00195f, 1.0f,   0.391f, 0.0f,   1.6f,  0.67f,
     0.78f,  0.55f,  12.8f, 0.391f, 2.0f,     0.391f, 19.0f},
    // "F602"
    {20.0f,   66.0f, 2.0f, 0.25f, 0.0f,   0.256f, 1.0f,  1.0f,   0.0f,    1.0f, 232.0f, 1.0f, 40.0f,
     1.0f,    40.0f, 4.0f, 0.5f,  -64.0f, 200.0f, 0.01f, 0.0f,   7.8125f, 0.0f, 1.0f,   1.0f, 1.0f,
     0.3907f, 0.0f,  1.0f, 0.0f,  0.256f, 0.0f,   12.8f, 0.256f, 2.0f,    1.0f, 15.0f},
    // "F802"
    {20.0f,   66.0f, 2.0f, 0.25f, 0.0f,   0.256f, 1.0f,  1.0f,   0.0f,    1.0f, 232.0f, 1.0f, 40.0f,
     1.0f,    40.0f, 4.0f, 0.5f,  -64.0f, 200.0f, 0.01f, 0.0f,   7.8125f, 0.0f, 1.0f,   1.0f, 1.0f,
     0.3907f, 0.0f,  1.0f, 0.0f,  0.256f, 0.0f,   12.8f, 0.256f, 2.0f,    1.0f, 15.0f},
    // default row
    {0.0f,   25.0f, 0.0f, 1.0f,  0.0f,  1.0f,   1.0f,  1.0f, 0.0f, 1.0f, 232.0f, 0.82f, 68.66f,
     1.0f,   97.0f, 4.0f, 1.0f,  0.0f,  102.0f, 5.0f,  0.0f, 1.0f, 0.0f, 1.0f,   1.0f,  1.0f,
     0.391f, 0.0f,  1.6f, 0.67f, 0.78f, 0.55f,  12.8f, 1.0f, 0.0f, 1.0f, 15.0f},
}};

float Constant(std::string_view identity, EcuConstantIndex index) {
  return kConstants[EcuRowOf(identity)][static_cast<std::size_t>(index)];
}

int Whole(std::string_view identity, EcuConstantIndex index) {
  // Every stored value is well inside the int range.
  return static_cast<int>(std::trunc(Constant(identity, index)));
}

}  // namespace

namespace DataDefs {

EcuClass ClassOf(std::string_view identity) {
  if (EcuRowOf(identity) != kDefaultEcuRow) return EcuClass::kFull;
  for (std::string_view obd2 : kObd2Identities) {
    if (obd2 == identity) return EcuClass::kObd2;
  }
  return EcuClass::kNotListed;
}

int SlotType(std::string_view identity, int slot) {
  assert(slot >= 0 && slot < kSlotCount);
  if (slot < 0 || slot >= kSlotCount) return kFillerType;
  return kSlotTypes[EcuRowOf(identity)][static_cast<std::size_t>(slot)];
}

float EcuConstant(std::string_view identity, int index) {
  assert(index >= 0 && index < kEcuConstantCount);
  if (index < 0 || index >= kEcuConstantCount) return 0.0f;
  return Constant(identity, static_cast<EcuConstantIndex>(index));
}

float EcuConstant(std::string_view identity, EcuConstantIndex index) {
  return EcuConstant(identity, static_cast<int>(index));
}

std::string_view AirflowKindFor(int selector) {
  if (selector == 0) return "MAP";
  if (selector == 1) return "VAF";
  return "MAF";
}

std::string_view IdleAirKindFor(int selector) {
  if (selector == 0) return "FLOW";
  if (selector == 1) return "DC";
  return "POS";
}

std::string_view EgrKindFor(int selector) { return selector == 0 ? "FLOW" : "POS"; }

using I = EcuConstantIndex;
int baseAddress(std::string_view id) { return Whole(id, I::kBaseAddress); }
int endAddress(std::string_view id) { return Whole(id, I::kEndAddress); }
std::string_view airflowKind(std::string_view id) {
  return AirflowKindFor(Whole(id, I::kAirflowKindSelector));
}
float rpmScale(std::string_view id) { return Constant(id, I::kRpmScale); }
float rpmOffset(std::string_view id) { return Constant(id, I::kRpmOffset); }
float tpsScale(std::string_view id) { return Constant(id, I::kTpsScale); }
float tpsVoltScale(std::string_view id) { return Constant(id, I::kTpsVoltScale); }
float speedScale(std::string_view id) { return Constant(id, I::kSpeedScale); }
float injScale(std::string_view id) { return Constant(id, I::kInjScale); }
float ctsScale(std::string_view id) { return Constant(id, I::kCtsScale); }
float ctsOffset(std::string_view id) { return Constant(id, I::kCtsOffset); }
float iatScale(std::string_view id) { return Constant(id, I::kIatScale); }
int iatOffset(std::string_view id) { return Whole(id, I::kIatOffset); }
int mpgAverageCount(std::string_view id) { return Whole(id, I::kMpgAverageCount); }
float ignScale(std::string_view id) { return Constant(id, I::kIgnScale); }
float ignOffset(std::string_view id) { return Constant(id, I::kIgnOffset); }
float o2Divisor(std::string_view id) { return Constant(id, I::kO2Divisor); }
float airflowScale(std::string_view id) { return Constant(id, I::kAirflowScale); }
float airflowOffset(std::string_view id) { return Constant(id, I::kAirflowOffset); }
float idleScale(std::string_view id) { return Constant(id, I::kIdleScale); }
float idleOffset(std::string_view id) { return Constant(id, I::kIdleOffset); }
float egrTempScale(std::string_view id) { return Constant(id, I::kEgrTempScale); }
float trimScale(std::string_view id) { return Constant(id, I::kTrimScale); }
std::string_view idleAirKind(std::string_view id) {
  return IdleAirKindFor(Whole(id, I::kIdleAirKindSelector));
}
float iacScale(std::string_view id) { return Constant(id, I::kIacScale); }
float iacOffset(std::string_view id) { return Constant(id, I::kIacOffset); }
float iacAdjScale(std::string_view id) { return Constant(id, I::kIacAdjScale); }
float iacAdjOffset(std::string_view id) { return Constant(id, I::kIacAdjOffset); }
float veScale(std::string_view id) { return Constant(id, I::kVeScale); }
float veOffset(std::string_view id) { return Constant(id, I::kVeOffset); }
float batteryDivisor(std::string_view id) { return Constant(id, I::kBatteryDivisor); }
float purgeScale(std::string_view id) { return Constant(id, I::kPurgeScale); }
std::string_view egrKind(std::string_view id) { return EgrKindFor(Whole(id, I::kEgrKindSelector)); }
float egrScale(std::string_view id) { return Constant(id, I::kEgrScale); }
std::uint8_t actuatorFlags(std::string_view id) {
  return static_cast<std::uint8_t>(Whole(id, I::kActuatorFlags) & 0xFF);
}

}  // namespace DataDefs
}  // namespace rizazovoz
