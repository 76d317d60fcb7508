#pragma once
// What the ECU conversation changes on the dashboard: the dials, the read-out labels, the
// check-engine lamp and the status bar. Texts and colours come from the core's read-out
// rules; this only puts them on the controls. The secondary windows are told nothing until
// they exist.
#include <QString>

#include "dashboard_layout.h"
#include "livedata/dashboard_readouts.h"
#include "panel_status_bar.h"
#include "protocol/protocol_views.h"
#include "queued_message_boxes.h"

namespace rizazovoz {

class DashboardView final : public DashboardReadouts,
                            public DashboardGauges,
                            public StatusPanels,
                            public EcuWindows {
 public:
  DashboardView(const DashboardControls& controls, PanelStatusBar& statusBar,
                QueuedMessageBoxes& messages, char decimalSeparator);

  // Temperature dials: "F" 0..250 with 11 ticks, anything else 0..120 with 13.
  void ShowTemperatureUnit(const QString& unit);
  // Speedometer and its numerals: "KPH" 0..240, anything else miles per hour 0..120.
  void ShowSpeedUnit(const QString& unit);
  // The economy dial as the "MPGDial" setting lays it out at start.
  void ShowEconomyDial(bool economy);

  // DashboardReadouts
  void showMil(MilState state) override;
  void feedRevCounter(std::int32_t rpm) override;
  void feedSpeedo(std::int32_t roadSpeed) override;
  void feedCoolantGauge(std::int32_t value) override;
  void feedAirTempGauge(std::int32_t value) override;
  void feedAirflowGauge(std::int32_t value) override;
  void feedThrottleGauge(std::int32_t value) override;
  void feedEconomyGauge(std::int32_t value) override;
  void showBatteryVolts(float volts) override;
  void showO2Volts(float volts) override;
  void showIgnitionAdvance(std::int32_t degrees) override;
  void showInjectorPulseWidth(float ms) override;
  void showLongTermTrim(float trim) override;
  void showTotalTrim(float trim) override;

  // DashboardGauges
  void SetAirflowGauge(const std::string& title, int fullScale) override;
  void SetEconomyGauge(const std::string& title, int fullScale, int ticks) override;

  // StatusPanels: the dashboard's own bar; the data viewer's is not there yet.
  void SetStatusPanel(StatusBar bar, StatusPanel panel, const std::string& text) override;

  // EcuWindows: the secondary windows do not exist yet.
  void SetDataViewerFormatted(bool) override {}
  void SetLoggerChannelMode(bool) override {}
  void SetFaultViewerEcuId(const std::string&) override {}
  void SetStatusViewerEcuId(const std::string&) override {}
  void SetActuatorFlags(std::uint8_t) override {}
  void ShowEcuId(const std::string&) override {}
  // Hiding the dashboard with no data viewer to show would leave no window at all.
  void HideMainShowDataViewer() override {}

 private:
  void setScale(TKelvoGauge* gauge, int maxValue, int ticks);

  DashboardControls c_;
  PanelStatusBar& statusBar_;
  QueuedMessageBoxes& messages_;
  char separator_;
};

}  // namespace rizazovoz
