#include "dashboard_view.h"

#include <QPalette>

#include "livedata/dashboard_readout_rules.h"

namespace rizazovoz {
namespace {

void setTextColour(QLabel* label, ReadoutColor colour) {
  QPalette palette = label->palette();
  const QColor wanted = QColor::fromRgb(ReadoutColorRgb(colour));
  if (palette.color(QPalette::WindowText) == wanted) return;
  palette.setColor(QPalette::WindowText, wanted);
  label->setPalette(palette);
}

void show(QLabel* label, const LabelReadout& readout) {
  if (readout.color) setTextColour(label, *readout.color);
  const QString text = QString::fromStdString(readout.text);
  if (label->text() != text) label->setText(text);
}

}  // namespace

DashboardView::DashboardView(const DashboardControls& controls, QueuedMessageBoxes& messages,
                             char decimalSeparator)
    : c_(controls), messages_(messages), separator_(decimalSeparator) {}

void DashboardView::setScale(TKelvoGauge* gauge, int maxValue, int ticks) {
  if (auto refused = gauge->SetMaxValue(maxValue)) {
    messages_.post(QString::fromStdString(*refused));
    return;
  }
  gauge->SetnTicks(ticks);
}

void DashboardView::ShowTemperatureUnit(const QString& unit) {
  const bool fahrenheit = unit == QStringLiteral("F");
  const int maxValue = fahrenheit ? 250 : 120;
  const int ticks = fahrenheit ? 11 : 13;
  setScale(c_.ctsGauge, maxValue, ticks);
  setScale(c_.atsGauge, maxValue, ticks);
  c_.ctsGauge->SetGTitle(fahrenheit ? QStringLiteral("CTS (F)") : QStringLiteral("CTS (C)"));
  c_.atsGauge->SetGTitle(fahrenheit ? QStringLiteral("IAT (F)") : QStringLiteral("IAT (C)"));
}

void DashboardView::ShowSpeedUnit(const QString& unit) {
  const bool kph = unit == QStringLiteral("KPH");
  setScale(c_.speedo, kph ? 240 : 120, 13);
  c_.speedo->SetGTitle(kph ? QStringLiteral("KPH") : QStringLiteral("MPH"));
  const int step = kph ? 20 : 10;
  for (int i = 1; i < 13; ++i) {
    QLabel* numeral = c_.speedoLabels[i];
    numeral->setText(QString::number(i * step));
    numeral->adjustSize();
  }
}

void DashboardView::ShowEconomyDial(bool economy) {
  if (economy) {
    c_.mpgGauge->SetGTitle(QStringLiteral("MPG"));
    setScale(c_.mpgGauge, 50, 10);
  } else {
    c_.mpgGauge->SetGTitle(QStringLiteral("IAC"));
  }
}

void DashboardView::showMil(MilState state) { setTextColour(c_.milLabel, MilColor(state)); }
void DashboardView::feedRevCounter(std::int32_t rpm) { c_.revCounter->SetProgress(rpm); }
void DashboardView::feedSpeedo(std::int32_t roadSpeed) { c_.speedo->SetProgress(roadSpeed); }
void DashboardView::feedCoolantGauge(std::int32_t value) { c_.ctsGauge->SetProgress(value); }
void DashboardView::feedAirTempGauge(std::int32_t value) { c_.atsGauge->SetProgress(value); }
void DashboardView::feedAirflowGauge(std::int32_t value) { c_.afmGauge->SetProgress(value); }
void DashboardView::feedThrottleGauge(std::int32_t value) { c_.tpsGauge->SetProgress(value); }
void DashboardView::feedEconomyGauge(std::int32_t value) { c_.mpgGauge->SetProgress(value); }

void DashboardView::showBatteryVolts(float volts) {
  show(c_.battVolts, BatteryVoltsReadout(volts, separator_));
}
void DashboardView::showO2Volts(float volts) {
  show(c_.o2Volts, O2VoltsReadout(volts, separator_));
}
void DashboardView::showIgnitionAdvance(std::int32_t degrees) {
  show(c_.ignAdvance, IgnitionAdvanceReadout(degrees));
}
void DashboardView::showInjectorPulseWidth(float ms) {
  show(c_.injPulseWidth, TwoDecimalReadout(ms, separator_));
}
void DashboardView::showLongTermTrim(float trim) {
  show(c_.ltft, TwoDecimalReadout(trim, separator_));
}
void DashboardView::showTotalTrim(float trim) { show(c_.tft, TwoDecimalReadout(trim, separator_)); }

void DashboardView::SetAirflowGauge(const std::string& title, int fullScale) {
  c_.afmGauge->SetGTitle(QString::fromStdString(title));
  if (auto refused = c_.afmGauge->SetMaxValue(fullScale)) {
    messages_.post(QString::fromStdString(*refused));
  }
}

void DashboardView::SetEconomyGauge(const std::string& title, int fullScale, int ticks) {
  c_.mpgGauge->SetGTitle(QString::fromStdString(title));
  setScale(c_.mpgGauge, fullScale, ticks);
}

}  // namespace rizazovoz
