#include "window_router.h"

#include "actuator_form.h"
#include "data_logger_form.h"
#include "data_viewer_form.h"
#include "ecu_id_form.h"
#include "fault_codes_form.h"
#include "status_form.h"

namespace rizazovoz {

void WindowRouter::SetStatusPanel(StatusBar bar, StatusPanel panel, const std::string& text) {
  const QString shown = QString::fromStdString(text);
  if (bar == StatusBar::kMain) {
    mainStatusBar_.setPanelText(static_cast<int>(panel), shown);
  } else if (dataViewer_) {
    dataViewer_->SetStatusPanel(panel, shown);
  }
}

void WindowRouter::SetDataViewerFormatted(bool formatted) {
  if (dataViewer_) dataViewer_->SetMode(formatted);
}

void WindowRouter::HideMainShowDataViewer() {
  // Without the viewer, hiding the dashboard would leave no window at all.
  if (!dataViewer_) return;
  main_.hide();
  dataViewer_->Present();
}

void WindowRouter::SetLoggerChannelMode(bool named) {
  if (dataLogger_) dataLogger_->SetChannelMode(named);
}

void WindowRouter::CloseWithProgram() {
  if (dataLogger_) dataLogger_->CloseWithProgram();
}

void WindowRouter::SetActuatorFlags(std::uint8_t flags) {
  if (actuators_) actuators_->EnableTests(flags);
}

void WindowRouter::SetFaultViewerEcuId(const std::string& identity) {
  if (faultCodes_) faultCodes_->SetIdentity(identity);
}

void WindowRouter::SetStatusViewerEcuId(const std::string& identity) {
  if (statusFlags_) statusFlags_->SetIdentity(identity);
}

void WindowRouter::ShowEcuId(const std::string& identity) {
  if (ecuId_) ecuId_->SetIdentity(identity);
}

}  // namespace rizazovoz
