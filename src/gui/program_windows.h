#pragma once
// Every window of the program, created once at start-up in a fixed order (the dashboard
// first: it is the main window) and living until the program ends. The dashboard's menus
// show the others; their own buttons hide them again.
#include <filesystem>
#include <memory>
#include <optional>

#include "actuator_form.h"
#include "data_logger_form.h"
#include "comms_form.h"
#include "dashboard_form.h"
#include "data_viewer_form.h"
#include "ecu_id_form.h"
#include "fault_codes_form.h"
#include "help_form.h"
#include "sample_rate_form.h"
#include "status_form.h"
#include "units_sel_form.h"

namespace rizazovoz {

struct ProgramWindowsSetup {
  // The logger's settings file lies beside it, as kelvolog.ini.
  std::filesystem::path settingsPath = kMainSettingsPath;
  std::optional<std::filesystem::path> userManual;
};

class ProgramWindows {
 public:
  ProgramWindows(DeviceLibrary& devices, const ProgramWindowsSetup& setup);

  TDashBoardForm& dashboard() { return *dashboard_; }
  TDataViewerForm& dataViewer() { return *dataViewer_; }
  TDataLoggerForm& dataLogger() { return *dataLogger_; }
  TUnitsSelForm& units() { return *units_; }
  TActuatorForm& actuators() { return *actuators_; }
  TFaultCodesForm& faultCodes() { return *faultCodes_; }
  TStatusForm& statusFlags() { return *statusFlags_; }
  TECUIDForm& ecuId() { return *ecuId_; }
  TSampleRateForm& sampleRate() { return *sampleRate_; }
  THelpForm& help() { return *help_; }
  TCommsForm& comms() { return *comms_; }

 private:
  std::unique_ptr<TDashBoardForm> dashboard_;
  // Owned by the dashboard, as their parent.
  TDataLoggerForm* dataLogger_ = nullptr;
  TDataViewerForm* dataViewer_ = nullptr;
  TUnitsSelForm* units_ = nullptr;
  TSampleRateForm* sampleRate_ = nullptr;
  TActuatorForm* actuators_ = nullptr;
  TFaultCodesForm* faultCodes_ = nullptr;
  TStatusForm* statusFlags_ = nullptr;
  TECUIDForm* ecuId_ = nullptr;
  THelpForm* help_ = nullptr;
  TCommsForm* comms_ = nullptr;
};

}  // namespace rizazovoz
