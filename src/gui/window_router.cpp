#include "window_router.h"

#include "actuator_form.h"
#include "data_viewer_form.h"

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

void WindowRouter::SetActuatorFlags(std::uint8_t flags) {
  if (actuators_) actuators_->EnableTests(flags);
}

}  // namespace rizazovoz
