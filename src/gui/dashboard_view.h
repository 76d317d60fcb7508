#pragma once
// What the ECU conversation changes on the dashboard: the dials, the read-out labels and the
// check-engine lamp. Texts and colours come from the core's read-out rules; this only puts
// them on the controls.
#include <QString>

#include "dashboard_layout.h"
#include "livedata/dashboard_readouts.h"
#include "protocol/protocol_views.h"
#include "queued_message_boxes.h"

namespace rizazovoz {

class DashboardView final : public DashboardReadouts, public DashboardGauges {
 public:
  DashboardView(const DashboardControls& controls, QueuedMessageBoxes& messages,
                char decimalSeparator);

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

 private:
  void setScale(TKelvoGauge* gauge, int maxValue, int ticks);

  DashboardControls c_;
  QueuedMessageBoxes& messages_;
  char separator_;
};

}  // namespace rizazovoz
