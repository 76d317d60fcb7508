#pragma once
// What the ECU conversation tells the windows, for a program without any: the connection
// state and the receive-error text are kept for the status line, messages go to standard
// error, and everything meant for a window is dropped.
#include <cstdio>
#include <string>

#include "common/user_messages.h"
#include "protocol/protocol_views.h"

namespace rizazovoz {

class HeadlessViews final : public StatusPanels,
                            public DashboardGauges,
                            public EcuWindows,
                            public UserMessages {
 public:
  void SetStatusPanel(StatusBar bar, StatusPanel panel, const std::string& text) override {
    if (bar != StatusBar::kMain) return;
    if (panel == StatusPanel::kErrors) errors = text;
  }
  void SetAirflowGauge(const std::string&, int) override {}
  void SetEconomyGauge(const std::string&, int, int) override {}
  void SetDataViewerFormatted(bool) override {}
  void SetLoggerChannelMode(bool named) override { namedChannels = named; }
  void SetFaultViewerEcuId(const std::string&) override {}
  void SetStatusViewerEcuId(const std::string&) override {}
  void SetActuatorFlags(std::uint8_t) override {}
  void ShowEcuId(const std::string&) override {}
  void HideMainShowDataViewer() override {}
  void showMessage(const std::string& text) override {
    std::fprintf(stderr, "rizazovoz-log: %s\n", text.c_str());
  }

  std::string errors = "Bad Data Count 0";
  bool namedChannels = true;
};

}  // namespace rizazovoz
