#include "livedata/slot_decoder.h"

#include <cmath>

#include "livedata/fuel_economy.h"
#include "livedata/single_precision.h"

namespace rizazovoz {
namespace {

// Every step below yields a float, so that it is rounded to single precision before the
// next one (the build also forbids fused multiply-add).

// A temperature in °C in the unit the user chose.
float InDisplayUnit(float t, const DisplaySettings& settings) {
  if (!settings.fahrenheit()) return t;
  return PlusFactor(TimesFactor(t, 1.8), 32.0);
}

// Scaled byte plus offset, both steps rounded, then truncated.
std::int32_t ScaledPlus(std::uint8_t b, float scale, float offset) {
  const float product = static_cast<float>(b) * scale;
  const float sum = product + offset;
  return TruncToWhole(sum);
}

std::int32_t ScaledMinus(std::int32_t count, float scale, float offset) {
  const float product = static_cast<float>(count) * scale;
  const float difference = product - offset;
  return TruncToWhole(difference);
}

float Trim(std::uint8_t b, float trimScale) {
  return static_cast<float>(static_cast<int>(b) - 128) * trimScale;
}

// A sensor without a calibrated divisor has no reading.
float Divided(std::uint8_t b, float divisor) {
  if (divisor == 0.0f) return 0.0f;
  return static_cast<float>(b) / divisor;
}

float PulseWidthMs(std::int32_t high, std::uint8_t low, float injScale) {
  const float count = static_cast<float>(high * 256 + low);
  return TimesFactor(count, 0.001) * injScale;
}

}  // namespace

MilState MilStateOf(const std::array<std::uint8_t, 5>& faultFlags) {
  if (faultFlags[0] != 0 || faultFlags[1] != 0 || faultFlags[4] != 0) {
    return MilState::kCurrentFault;
  }
  if (faultFlags[2] != 0 || faultFlags[3] != 0) return MilState::kStoredFault;
  return MilState::kNoFault;
}

SlotDecoder::SlotDecoder(LiveValues& values, const EcuProfile& profile,
                         const DisplaySettings& settings, DashboardReadouts& readouts)
    : values_(values), profile_(profile), settings_(settings), readouts_(readouts) {}

void SlotDecoder::decode(int typeCode, std::uint8_t b) {
  LiveValues& v = values_;
  const EcuProfile& p = profile_;
  const float byte = static_cast<float>(b);

  switch (typeCode) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 43:
      v.faultFlags[typeCode == 43 ? 4 : static_cast<std::size_t>(typeCode)] = b;
      readouts_.showMil(MilStateOf(v.faultFlags));
      break;
    case 4:
      v.engineSpeedHigh = b;
      break;
    case 5: {
      const float count = static_cast<float>(v.engineSpeedHigh * 256 + b);
      const float rpm = count * p.rpmScale;
      const float sum = rpm + p.rpmOffset;
      v.engineSpeed = TruncToWhole(sum);
      readouts_.feedRevCounter(v.engineSpeed);
      break;
    }
    case 6: {
      float t = byte * p.speedScale;
      if (settings_.milesPerHour()) t = TimesFactor(t, 0.6214);
      v.roadSpeed = TruncToWhole(t);
      readouts_.feedSpeedo(v.roadSpeed);
      if (settings_.economyDial()) {
        v.mpg = NextMpg(v.mpg, {v.injPulseWidth[1], v.engineSpeed, v.roadSpeed, settings_.flowRate,
                                p.mpgAverageCount});
        readouts_.feedEconomyGauge(TruncToWhole(v.mpg));
      }
      break;
    }
    case 7: {
      const float scaled = byte * p.ctsScale;
      v.coolantTemp = InDisplayUnit(scaled - p.ctsOffset, settings_);
      readouts_.feedCoolantGauge(TruncToWhole(v.coolantTemp));
      break;
    }
    case 8: {
      const float scaled = byte * p.iatScale;
      v.airTemp = InDisplayUnit(scaled - static_cast<float>(p.iatOffset), settings_);
      readouts_.feedAirTempGauge(TruncToWhole(v.airTemp));
      break;
    }
    case 44: {
      const float scaled = byte * p.egrTempScale;
      v.egrTemp = static_cast<float>(TruncToWhole(InDisplayUnit(scaled, settings_)));
      break;
    }
    case 9:
      v.mapPressure = ScaledPlus(b, p.airflowScale, p.airflowOffset);
      readouts_.feedAirflowGauge(v.mapPressure);
      break;
    case 39:
      v.baro = static_cast<float>(ScaledPlus(b, p.airflowScale, p.airflowOffset));
      break;
    case 10:
      v.airFlowHigh = b * 256;
      break;
    case 11:
    case 12:
      v.airFlow = ScaledMinus(v.airFlowHigh + b, p.airflowScale, p.airflowOffset);
      readouts_.feedAirflowGauge(v.airFlow);
      break;
    case 13: {
      const float percent = byte * p.tpsScale;
      v.tpsPercent = static_cast<float>(TruncToWhole(percent));
      readouts_.feedThrottleGauge(TruncToWhole(v.tpsPercent));
      break;
    }
    case 14: {
      const float volts = TimesFactor(TimesFactor(byte, 5.0), 0.00390625);
      v.tpsVolts = volts * p.tpsVoltScale;
      break;
    }
    case 15:
      v.o2Volts[0] = Divided(b, p.o2Divisor);
      readouts_.showO2Volts(v.o2Volts[0]);
      break;
    case 16:
      v.o2Volts[1] = Divided(b, p.o2Divisor);
      break;
    case 19:
      v.iac = ScaledPlus(b, p.iacScale, p.iacOffset);
      if (settings_.idleAirDial()) readouts_.feedEconomyGauge(v.iac);
      break;
    case 20:
      v.injPulseHigh[0] = b;
      break;
    case 21:
      v.injPulseWidth[0] = PulseWidthMs(v.injPulseHigh[0], b, p.injScale);
      readouts_.showInjectorPulseWidth(v.injPulseWidth[0]);
      break;
    case 22:
      v.injPulseHigh[1] = b;
      break;
    case 23:
      v.injPulseWidth[1] = PulseWidthMs(v.injPulseHigh[1], b, p.injScale);
      break;
    case 24:
      // Product and sum rounded once together.
      v.ignAdvance = TruncToWhole(std::fma(byte, p.ignScale, p.ignOffset));
      readouts_.showIgnitionAdvance(v.ignAdvance);
      break;
    case 25:
      v.stft[0] = Trim(b, p.trimScale);
      break;
    case 27:
      v.stft[1] = Trim(b, p.trimScale);
      break;
    case 26:
      v.ltft[0] = Trim(b, p.trimScale);
      readouts_.showLongTermTrim(v.ltft[0]);
      break;
    case 28:
      v.ltft[1] = Trim(b, p.trimScale);
      break;
    case 45:
      v.tft[0] = Trim(b, p.trimScale);
      readouts_.showTotalTrim(v.tft[0]);
      break;
    case 46:
      v.tft[1] = Trim(b, p.trimScale);
      break;
    case 29:
      v.ve = ScaledMinus(b, p.veScale, p.veOffset);
      break;
    case 30:
      v.batteryVolts = Divided(b, p.batteryDivisor);
      readouts_.showBatteryVolts(v.batteryVolts);
      break;
    case 31:
      // The exact product (a byte times a float fits a double) truncated, without rounding.
      v.evapPurge = TruncToWhole(static_cast<double>(b) * static_cast<double>(p.purgeScale));
      break;
    case 32:
    case 33:
    case 34:
    case 35:
      v.statusFlags[static_cast<std::size_t>(typeCode - 32)] = b;
      break;
    case 36:
      v.targetIdle = ScaledPlus(b, p.idleScale, p.idleOffset);
      break;
    case 37:
      v.ignTrim = b;
      break;
    case 38: {
      const float scaled = byte * p.egrScale;
      v.egr = TruncToWhole(scaled);
      break;
    }
    case 40:
      v.atmVss = b;
      break;
    case 41:
      v.atmPos = b;
      break;
    case 42:
      v.atmStatus = b;
      break;
    case 47:
      v.iacAdjMon = ScaledMinus(b, p.iacAdjScale, p.iacAdjOffset);
      break;
    case 48:
      v.timeFromStart = 510 - 2 * b;  // the byte counts down from start
      break;
    default:  // 17, 18 and 49 onwards carry nothing to decode
      break;
  }
}

}  // namespace rizazovoz
