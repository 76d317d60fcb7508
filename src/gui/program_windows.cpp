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
  dataViewer_ = new TDataViewerForm(main, decimalSeparatorFromLocale(), &main);
  main.router().AttachDataViewer(*dataViewer_);
  units_ = new TUnitsSelForm(main, &main);
  sampleRate_ = new TSampleRateForm(main, &main);
  actuators_ = new TActuatorForm(main, decimalSeparatorFromLocale(), &main);
  main.router().AttachActuators(*actuators_);
  help_ = new THelpForm(setup.userManual, &main);
  comms_ = new TCommsForm(main, &main);  // last: it shows the baud rate the settings gave

  const DashboardMenuActions& menu = main.menuActions();
  ShowFromMenu(menu.dataViewer, dataViewer_);
  ShowFromMenu(menu.controls, actuators_);
  ShowFromMenu(menu.baudRate, comms_);
  ShowFromMenu(menu.sampleRate, sampleRate_);
  ShowFromMenu(menu.units, units_);
  ShowFromMenu(menu.help, help_);
}

}  // namespace rizazovoz
