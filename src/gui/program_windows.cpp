#include "program_windows.h"

#include "text/decimal_separator.h"

namespace rizazovoz {
namespace {

template <typename Window>
void ShowFromMenu(QAction* item, Window* window) {
  item->setEnabled(true);
  QObject::connect(item, &QAction::triggered, window, &Window::Present);
}

}  // namespace

ProgramWindows::ProgramWindows(DeviceLibrary& devices, const ProgramWindowsSetup& setup)
    : dashboard_(std::make_unique<TDashBoardForm>(devices, setup.settingsPath)) {
  TDashBoardForm& main = *dashboard_;
  WindowRouter& router = main.router();
  const LiveValues& values = main.session().values();
  const char separator = decimalSeparatorFromLocale();
  // In the order the program has always created them; each is parented to the dashboard.
  dataLogger_ = new TDataLoggerForm(
      main, setup.settingsPath.parent_path() / kLoggerSettingsPath.filename(), separator, &main);
  router.AttachDataLogger(*dataLogger_);
  dataViewer_ = new TDataViewerForm(main, separator, &main);
  router.AttachDataViewer(*dataViewer_);
  units_ = new TUnitsSelForm(main, &main);
  faultCodes_ = new TFaultCodesForm(values, &main);
  router.AttachFaultCodes(*faultCodes_);
  sampleRate_ = new TSampleRateForm(main, &main);
  statusFlags_ = new TStatusForm(values, &main);
  router.AttachStatusFlags(*statusFlags_);
  actuators_ = new TActuatorForm(main, separator, &main);
  router.AttachActuators(*actuators_);
  help_ = new THelpForm(setup.userManual, &main);
  ecuId_ = new TECUIDForm(&main);
  router.AttachEcuId(*ecuId_);
  comms_ = new TCommsForm(main, &main);  // last: it shows the baud rate the settings gave

  const DashboardMenuActions& menu = main.menuActions();
  ShowFromMenu(menu.dataViewer, dataViewer_);
  ShowFromMenu(menu.dataLogger, dataLogger_);
  ShowFromMenu(menu.controls, actuators_);
  ShowFromMenu(menu.faultCodes, faultCodes_);
  ShowFromMenu(menu.statusFlags, statusFlags_);
  ShowFromMenu(menu.ecuId, ecuId_);
  // The check-engine lamp opens the fault code viewer.
  QObject::connect(main.controls().milLabel, &ClickableLabel::clicked, faultCodes_,
                   &TFaultCodesForm::Present);
  ShowFromMenu(menu.baudRate, comms_);
  ShowFromMenu(menu.sampleRate, sampleRate_);
  ShowFromMenu(menu.units, units_);
  ShowFromMenu(menu.help, help_);
}

}  // namespace rizazovoz
