#pragma once
// Adapts the program to the ECU that has just named itself: loads its profile out of the
// identity tables for the poller and the decoders, retitles the air-flow and idle-air gauges,
// and switches the data viewer and the logger between named and raw display.
//   fully described ECU: profile loaded, gauges set, named display;
//   OBD2 ECU: a message, and nothing else changes (the previous profile stays);
//   ECU not listed: a message, raw display, and the data viewer replaces the dashboard.
// In every case the data viewer shows the sample interval.
#include <string>

#include "common/user_messages.h"
#include "ecudefs/data_defs.h"
#include "ecudefs/ecu_profile.h"
#include "livedata/display_settings.h"
#include "protocol/protocol_views.h"

namespace rizazovoz {

class EcuSetup {
 public:
  EcuSetup(EcuProfile& profile, const DisplaySettings& settings, DashboardGauges& gauges,
           EcuWindows& windows, StatusPanels& panels, UserMessages& messages);

  EcuClass Run(const std::string& identityText, int sampleIntervalMs);

 private:
  void LoadProfile(const std::string& identityText);

  EcuProfile& profile_;
  const DisplaySettings& settings_;
  DashboardGauges& gauges_;
  EcuWindows& windows_;
  StatusPanels& panels_;
  UserMessages& messages_;
};

}  // namespace rizazovoz
