#include "livedata/slot_encoder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>

#include "livedata/slot_decoder.h"

namespace rizazovoz {
namespace {

// The decoders' own arithmetic picks the byte: the byte that decodes nearest to the value
// wins, so the inverse never drifts from the decoding rules (negative scales included).

const DisplaySettings& NativeUnits() {
  static const DisplaySettings units = [] {
    DisplaySettings s;
    s.tempUnits = "C";
    s.speedUnits = "KPH";
    s.mpgDial = "";
    return s;
  }();
  return units;
}

// The value a decoder stores for a code, as a double; 0 for codes that store nothing.
double Stored(const LiveValues& v, int code) {
  switch (code) {
    case 5:
      return v.engineSpeed;
    case 6:
      return v.roadSpeed;
    case 7:
      return v.coolantTemp;
    case 8:
      return v.airTemp;
    case 44:
      return v.egrTemp;
    case 9:
      return v.mapPressure;
    case 39:
      return v.baro;
    case 11:
    case 12:
      return v.airFlow;
    case 13:
      return v.tpsPercent;
    case 14:
      return v.tpsVolts;
    case 15:
      return v.o2Volts[0];
    case 16:
      return v.o2Volts[1];
    case 19:
      return v.iac;
    case 21:
      return v.injPulseWidth[0];
    case 23:
      return v.injPulseWidth[1];
    case 24:
      return v.ignAdvance;
    case 25:
      return v.stft[0];
    case 27:
      return v.stft[1];
    case 26:
      return v.ltft[0];
    case 28:
      return v.ltft[1];
    case 45:
      return v.tft[0];
    case 46:
      return v.tft[1];
    case 29:
      return v.ve;
    case 30:
      return v.batteryVolts;
    case 31:
      return v.evapPurge;
    case 36:
      return v.targetIdle;
    case 38:
      return v.egr;
    case 47:
      return v.iacAdjMon;
    case 48:
      return v.timeFromStart;
    default:
      return 0;
  }
}

struct Pair {
  int high;
  int low;  // a second low code decodes the same (air flow 11 and 12)
  int lowAlt;
};
constexpr std::array<Pair, 4> kPairs = {{{4, 5, 5}, {10, 11, 12}, {20, 21, 21}, {22, 23, 23}}};

const Pair* PairOf(int code) {
  for (const Pair& p : kPairs) {
    if (code == p.high || code == p.low || code == p.lowAlt) return &p;
  }
  return nullptr;
}

bool HasCode(const EcuProfile& profile, int code) {
  return std::find(profile.slotTypes.begin(), profile.slotTypes.end(), code) !=
         profile.slotTypes.end();
}

double DecodeCount(const EcuProfile& profile, const Pair& pair, int count) {
  LiveValues values;
  DashboardReadouts silent;
  SlotDecoder decoder(values, profile, NativeUnits(), silent);
  decoder.decode(pair.high, static_cast<std::uint8_t>(count >> 8));
  decoder.decode(pair.low, static_cast<std::uint8_t>(count & 0xFF));
  return Stored(values, pair.low);
}

double DecodeByte(const EcuProfile& profile, int code, int byte) {
  LiveValues values;
  DashboardReadouts silent;
  SlotDecoder decoder(values, profile, NativeUnits(), silent);
  decoder.decode(code, static_cast<std::uint8_t>(byte));
  return Stored(values, code);
}

// The input (0..maxInput) whose decoded value is nearest to the value, the lower one on a
// tie. Every decoder is monotonic in its input (rising or falling), so a bisection for the
// first input decoding at or beyond the value, and a look at its neighbour, finds it.
template <typename DecodeFn>
int NearestInput(DecodeFn decode, double value, int maxInput) {
  const bool rising = decode(maxInput) >= decode(0);
  int lo = 0;
  int hi = maxInput;
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    const double decoded = decode(mid);
    if (rising ? decoded >= value : decoded <= value) {
      hi = mid;
    } else {
      lo = mid + 1;
    }
  }
  if (lo > 0 && std::fabs(decode(lo - 1) - value) <= std::fabs(decode(lo) - value)) {
    return lo - 1;
  }
  return lo;
}

std::uint8_t PlainByte(double value) {
  if (std::isnan(value)) return 0;
  return static_cast<std::uint8_t>(std::clamp(std::round(value), 0.0, 255.0));
}

}  // namespace

std::uint8_t EncodeSlotByte(int typeCode, double value, const EcuProfile& profile) {
  if (const Pair* pair = PairOf(typeCode)) {
    if (std::isnan(value)) return 0;
    // Without its high-byte slot the low byte carries the whole count on its own.
    const bool split = HasCode(profile, pair->high);
    const int count = NearestInput([&](int c) { return DecodeCount(profile, *pair, c); }, value,
                                   split ? 0xFFFF : 0xFF);
    return static_cast<std::uint8_t>(typeCode == pair->high ? count >> 8 : count & 0xFF);
  }
  switch (typeCode) {
    case 6:
    case 7:
    case 8:
    case 9:
    case 13:
    case 14:
    case 15:
    case 16:
    case 19:
    case 24:
    case 25:
    case 26:
    case 27:
    case 28:
    case 29:
    case 30:
    case 31:
    case 36:
    case 38:
    case 39:
    case 44:
    case 45:
    case 46:
    case 47:
    case 48:
      if (std::isnan(value)) return 0;
      return static_cast<std::uint8_t>(
          NearestInput([&](int b) { return DecodeByte(profile, typeCode, b); }, value, 0xFF));
    default:  // flag bytes, raw bytes and codes without a decoder
      return PlainByte(value);
  }
}

}  // namespace rizazovoz
