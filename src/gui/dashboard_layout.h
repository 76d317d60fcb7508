#pragma once
// Builds the dashboard's fixed 767 x 472 client area (the status bar adds the last 20 rows):
// the title, logo and check-engine lamp, seven dials with the rev counter's and the
// speedometer's numerals, and six captioned read-outs. Every control carries its form name.
#include <QFrame>
#include <QLabel>
#include <array>

#include "clickable_label.h"
#include "kelvo_gauge.h"

namespace rizazovoz {

struct DashboardControls {
  ClickableLabel* logo = nullptr;
  ClickableLabel* milLabel = nullptr;
  TKelvoGauge* tpsGauge = nullptr;
  TKelvoGauge* afmGauge = nullptr;
  TKelvoGauge* ctsGauge = nullptr;
  TKelvoGauge* atsGauge = nullptr;
  TKelvoGauge* mpgGauge = nullptr;
  TKelvoGauge* revCounter = nullptr;
  TKelvoGauge* speedo = nullptr;
  std::array<QLabel*, 13> speedoLabels{};
  QLabel* battVolts = nullptr;
  QLabel* o2Volts = nullptr;
  QLabel* injPulseWidth = nullptr;
  QLabel* ignAdvance = nullptr;
  QLabel* tft = nullptr;
  QLabel* ltft = nullptr;
};

inline constexpr int kDashboardClientWidth = 767;
inline constexpr int kDashboardClientHeight = 492;
inline constexpr int kStatusBarHeight = 20;

// Lays the controls out on `area`, which becomes black with red text.
DashboardControls buildDashboardLayout(QWidget* area);

}  // namespace rizazovoz
