#pragma once
// Records, in one list and in call order, everything the ECU conversation tells the windows
// and the user, as short readable lines. Panels are numbered from 1, as on screen.
// onMessage, when set, runs inside showMessage, where a modal box would run further ticks.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/user_messages.h"
#include "protocol/protocol_views.h"

namespace rizazovoz {

class RecordingProtocolViews : public StatusPanels,
                               public DashboardGauges,
                               public EcuWindows,
                               public UserMessages {
 public:
  std::vector<std::string> calls;
  std::function<void(const std::string&)> onMessage;

  void SetStatusPanel(StatusBar bar, StatusPanel panel, const std::string& text) override {
    calls.push_back(std::string(bar == StatusBar::kMain ? "main" : "viewer") + " panel " +
                    std::to_string(static_cast<int>(panel) + 1) + ": " + text);
  }
  void SetAirflowGauge(const std::string& title, int fullScale) override {
    calls.push_back("airflow gauge: " + title + " " + std::to_string(fullScale));
  }
  void SetEconomyGauge(const std::string& title, int fullScale, int ticks) override {
    calls.push_back("economy gauge: " + title + " " + std::to_string(fullScale) + " " +
                    std::to_string(ticks));
  }
  void SetDataViewerFormatted(bool formatted) override {
    calls.push_back(std::string("viewer formatted: ") + (formatted ? "yes" : "no"));
  }
  void SetLoggerChannelMode(bool named) override {
    calls.push_back(std::string("logger named: ") + (named ? "yes" : "no"));
  }
  void SetFaultViewerEcuId(const std::string& identity) override {
    calls.push_back("fault viewer id: " + identity);
  }
  void SetStatusViewerEcuId(const std::string& identity) override {
    calls.push_back("status viewer id: " + identity);
  }
  void SetActuatorFlags(std::uint8_t flags) override {
    calls.push_back("actuator flags: " + std::to_string(flags));
  }
  void ShowEcuId(const std::string& identity) override { calls.push_back("ecu id: " + identity); }
  void HideMainShowDataViewer() override { calls.push_back("hide main, show viewer"); }
  void showMessage(const std::string& text) override {
    calls.push_back("message: " + text);
    if (onMessage) onMessage(text);
  }

  // The recorded lines that start with prefix, in order.
  std::vector<std::string> With(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& call : calls) {
      if (call.rfind(prefix, 0) == 0) out.push_back(call);
    }
    return out;
  }
};

}  // namespace rizazovoz
