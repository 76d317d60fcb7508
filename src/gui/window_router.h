#pragma once
// Where the ECU conversation's news for the windows goes: the main window's status bar, and
// each secondary window that follows the connected ECU. The main window owns the one router
// and hands it to the session; the secondary windows are attached as they are created.
#include <QMainWindow>

#include "panel_status_bar.h"
#include "protocol/protocol_views.h"

namespace rizazovoz {

class TActuatorForm;
class TDataLoggerForm;
class TDataViewerForm;
class TECUIDForm;
class TFaultCodesForm;
class TStatusForm;

class WindowRouter final : public StatusPanels, public EcuWindows {
 public:
  WindowRouter(QMainWindow& mainWindow, PanelStatusBar& mainStatusBar)
      : main_(mainWindow), mainStatusBar_(mainStatusBar) {}

  void AttachDataViewer(TDataViewerForm& viewer) { dataViewer_ = &viewer; }
  void AttachDataLogger(TDataLoggerForm& logger) { dataLogger_ = &logger; }
  void AttachActuators(TActuatorForm& actuators) { actuators_ = &actuators; }
  void AttachFaultCodes(TFaultCodesForm& faults) { faultCodes_ = &faults; }
  void AttachStatusFlags(TStatusForm& status) { statusFlags_ = &status; }
  void AttachEcuId(TECUIDForm& ecuId) { ecuId_ = &ecuId; }

  // StatusPanels
  void SetStatusPanel(StatusBar bar, StatusPanel panel, const std::string& text) override;

  // EcuWindows
  void SetDataViewerFormatted(bool formatted) override;
  void HideMainShowDataViewer() override;
  void SetActuatorFlags(std::uint8_t flags) override;
  void SetFaultViewerEcuId(const std::string& identity) override;
  void SetStatusViewerEcuId(const std::string& identity) override;
  void ShowEcuId(const std::string& identity) override;
  void SetLoggerChannelMode(bool named) override;

  // The program is closing: the windows that keep something write it now.
  void CloseWithProgram();

 private:
  QMainWindow& main_;
  PanelStatusBar& mainStatusBar_;
  TDataViewerForm* dataViewer_ = nullptr;
  TDataLoggerForm* dataLogger_ = nullptr;
  TActuatorForm* actuators_ = nullptr;
  TFaultCodesForm* faultCodes_ = nullptr;
  TStatusForm* statusFlags_ = nullptr;
  TECUIDForm* ecuId_ = nullptr;
};

}  // namespace rizazovoz
