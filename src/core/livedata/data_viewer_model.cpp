#include "livedata/data_viewer_model.h"

#include "text/number_format.h"

namespace rizazovoz {
namespace {

constexpr std::string_view kNothing = "--";

std::string AirflowCaption(const SensorKinds& kinds) {
  if (kinds.airflow == "MAP") return "MAP (mB)";
  if (kinds.airflow == "VAF") return "VAF (l/m)";
  return "MAF (g/s)";
}

std::string IdleAirCaption(const SensorKinds& kinds) {
  if (kinds.idleAir == "FLOW") return "IAC Flow (l/m)";
  if (kinds.idleAir == "DC") return "IAC Duty (%)";
  return "ISC Pos (%)";
}

std::string EgrCaption(const SensorKinds& kinds) {
  return kinds.egr == "FLOW" ? "EGR Flow (l/m)" : "EGR Pos (%)";
}

ViewerTexts PageOneCaptions(const SensorKinds& kinds) {
  return {"VSS",
          "RPM",
          AirflowCaption(kinds),
          "TPS(%)",
          "TPS(V)",
          "O2 Bank1 (V)",
          "Battery (V)",
          "CTS",
          "IAT",
          "STFT Bank1",
          "LTFT Bank1",
          "TFT Bank1",
          "Inj PW Bank1 (ms)",
          "Ign Timing (degs)",
          IdleAirCaption(kinds),
          "Target Idle",
          "Evap Purge %",
          EgrCaption(kinds),
          "Baro (mB)",
          "IAC Adj Mon (%)",
          "VE (%)",
          "--",
          "MPG",
          "--",
          "--"};
}

ViewerTexts PageTwoCaptions() {
  return {"Fault Flags 1",
          "Fault Flags 2",
          "Fault Flags 3",
          "Fault Flags 4",
          "Status Flags 1",
          "Status Flags 2",
          "Status Flags 3",
          "Status Flags 4",
          "Ignition Trim",
          "ATM VSS",
          "ATM Pos",
          "ATM Status",
          "Inj PW Bank2",
          "EGT Temp",
          "--",
          "O2 Bank2",
          "STFT Bank2",
          "LTFT Bank2",
          "TFT Bank2",
          "Time From Start(s)",
          "--",
          "--",
          "--",
          "--",
          "--"};
}

ViewerTexts PageOneValues(const LiveValues& v, const SensorKinds& kinds, char s) {
  const auto integer = [](long long n) { return formatInteger(n); };
  const auto fixed = [s](double x, int p, int d) { return formatFixed(x, p, d, s); };
  return {integer(v.roadSpeed),
          fixed(v.engineSpeed, 5, 0),
          kinds.airflow == "MAP" ? integer(v.mapPressure) : fixed(v.airFlow, 4, 0),
          fixed(v.tpsPercent, 3, 1),
          fixed(v.tpsVolts, 3, 2),
          fixed(v.o2Volts[0], 4, 2),
          fixed(v.batteryVolts, 4, 2),
          fixed(v.coolantTemp, 3, 0),
          fixed(v.airTemp, 3, 0),
          fixed(v.stft[0], 4, 2),
          fixed(v.ltft[0], 4, 2),
          fixed(v.tft[0], 4, 2),
          fixed(v.injPulseWidth[0], 5, 3),
          integer(v.ignAdvance),
          integer(v.iac),
          integer(v.targetIdle),
          integer(v.evapPurge),
          integer(v.egr),
          fixed(v.baro, 4, 0),
          integer(v.iacAdjMon),
          integer(v.ve),
          std::string(kNothing),
          fixed(v.mpg, 4, 2),
          std::string(kNothing),
          std::string(kNothing)};
}

ViewerTexts PageTwoValues(const LiveValues& v, char s) {
  const auto integer = [](long long n) { return formatInteger(n); };
  const auto fixed = [s](double x, int p, int d) { return formatFixed(x, p, d, s); };
  const std::string nothing(kNothing);
  return {integer(v.faultFlags[0]),
          integer(v.faultFlags[1]),
          integer(v.faultFlags[2]),
          integer(v.faultFlags[3]),
          integer(v.statusFlags[0]),
          integer(v.statusFlags[1]),
          integer(v.statusFlags[2]),
          integer(v.statusFlags[3]),
          integer(v.ignTrim),
          integer(v.atmVss),
          integer(v.atmPos),
          integer(v.atmStatus),
          fixed(v.injPulseWidth[1], 5, 3),
          fixed(v.egrTemp, 4, 0),
          nothing,
          fixed(v.o2Volts[1], 4, 2),
          fixed(v.stft[1], 4, 2),
          fixed(v.ltft[1], 4, 2),
          fixed(v.tft[1], 4, 2),
          integer(v.timeFromStart),
          nothing,
          nothing,
          nothing,
          nothing,
          nothing};
}

}  // namespace

DataViewerModel::DataViewerModel() {
  for (int k = 0; k < kViewerReadouts; ++k)
    captions_[static_cast<std::size_t>(k)] = std::to_string(k);
}

void DataViewerModel::TogglePage() {
  page_ = page_ == 1 ? 2 : 1;
  modeButtonEnabled_ = true;
}

void DataViewerModel::Recaption(const SensorKinds& kinds, std::string_view identityText) {
  kinds_ = kinds;
  if (!formatted_) {
    const int first = page_ == 1 ? 0 : kViewerReadouts;
    for (int k = 0; k < kViewerReadouts; ++k) {
      captions_[static_cast<std::size_t>(k)] = std::to_string(first + k);
    }
  } else {
    captions_ = page_ == 1 ? PageOneCaptions(kinds_) : PageTwoCaptions();
  }
  // An ECU that names itself "0000" has nothing formatted to offer.
  if (identityText == "0000") modeButtonEnabled_ = false;
}

ViewerTexts DataViewerModel::Values(const LiveValues& values, char decimalSeparator) const {
  if (formatted_) {
    return page_ == 1 ? PageOneValues(values, kinds_, decimalSeparator)
                      : PageTwoValues(values, decimalSeparator);
  }
  ViewerTexts texts;
  const int first = page_ == 1 ? 0 : kViewerReadouts;
  for (int k = 0; k < kViewerReadouts; ++k) {
    texts[static_cast<std::size_t>(k)] =
        formatInteger(values.rawSlotValues[static_cast<std::size_t>(first + k)]);
  }
  return texts;
}

}  // namespace rizazovoz
