#include "protocol/ecu_setup.h"

namespace rizazovoz {

EcuSetup::EcuSetup(EcuProfile& profile, const DisplaySettings& settings, DashboardGauges& gauges,
                   EcuWindows& windows, StatusPanels& panels, UserMessages& messages)
    : profile_(profile),
      settings_(settings),
      gauges_(gauges),
      windows_(windows),
      panels_(panels),
      messages_(messages) {}

EcuClass EcuSetup::Run(const std::string& identityText, int sampleIntervalMs) {
  const EcuClass ecuClass = DataDefs::ClassOf(identityText);
  profile_.layoutLoaded = false;  // until this ECU's own layout is loaded below
  switch (ecuClass) {
    case EcuClass::kObd2:
      messages_.showMessage("OBD2 ECU detected - limited functionality available");
      break;
    case EcuClass::kFull:
      LoadProfile(identityText);
      windows_.SetDataViewerFormatted(true);
      windows_.SetLoggerChannelMode(true);
      break;
    case EcuClass::kNotListed:
      messages_.showMessage("Formatted data not available for ECU ID " + identityText +
                            ". Please contact Ostrand Ltd");
      windows_.SetDataViewerFormatted(false);
      windows_.SetLoggerChannelMode(false);
      windows_.HideMainShowDataViewer();
      break;
  }
  panels_.SetStatusPanel(StatusBar::kDataViewer, StatusPanel::kSampleRate,
                         "Sample Rate " + std::to_string(sampleIntervalMs) + "ms");
  return ecuClass;
}

void EcuSetup::LoadProfile(const std::string& identityText) {
  profile_ = MakeEcuProfile(identityText);
  profile_.layoutLoaded = true;

  if (profile_.airflowKind == "MAF") {
    gauges_.SetAirflowGauge("MAF(g/s)", 500);
  } else if (profile_.airflowKind == "VAF") {
    gauges_.SetAirflowGauge("AFM(l/m)", 1800);
  } else {
    gauges_.SetAirflowGauge("MAP(mbar)", 1100);
  }

  if (settings_.idleAirDial()) {
    const char* title = profile_.idleAirKind == "FLOW" ? "IAC Flow"
                        : profile_.idleAirKind == "DC" ? "IAC Duty"
                                                       : "IAC Pos";
    gauges_.SetEconomyGauge(title, 100, 10);
  }
}

}  // namespace rizazovoz
