#include "dashboard_layout.h"

#include <QGroupBox>
#include <QPalette>
#include <QPixmap>
#include <utility>

#include "font_cells.h"
#include "program_images.h"
#include "widget_colours.h"

namespace rizazovoz {
namespace {

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QRect geometry,
                 int cellHeight, bool bold = false) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(fontWithCellHeight(cellHeight, bold));
  label->setGeometry(geometry);
  return label;
}

// A silver box with black centred text, as the lamp and the read-outs are.
template <typename Label>
Label* addSilverLabel(QWidget* parent, const char* name, const QString& text, QRect geometry,
                      int cellHeight) {
  auto* label = new Label(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(fontWithCellHeight(cellHeight));
  label->setGeometry(geometry);
  label->setAlignment(Qt::AlignCenter);
  label->setAutoFillBackground(true);
  setColours(label, kSilver, Qt::black);
  return label;
}

QFrame* addPanel(QWidget* parent, const char* name, QRect geometry) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setGeometry(geometry);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(1);
  return panel;
}

struct DialLayout {
  const char* name;
  const char* title;
  int maxValue;
  int ticks;
};

TKelvoGauge* addDial(QWidget* parent, const DialLayout& dial, QRect geometry) {
  auto* gauge = new TKelvoGauge(parent);
  gauge->setObjectName(QString::fromLatin1(dial.name));
  gauge->setGeometry(geometry);
  KelvoGaugeModel& m = gauge->model();
  m.SetTKelvoGaugeKind(TKelvoGaugeKind::rgk270);
  m.SetForeColor(gauge_colors::kWhite);
  m.SetBackColor(gauge_colors::kBlack);
  m.SetBorderColor(gauge_colors::kGray);
  (void)m.SetMaxValue(dial.maxValue);  // within range by construction
  m.SetnTicks(dial.ticks);
  m.SetGTitle(dial.title);
  return gauge;
}

TKelvoGauge* addLargeDial(QWidget* panel, const DialLayout& dial) {
  TKelvoGauge* gauge = addDial(panel, dial, QRect(20, 10, 255, 255));
  gauge->model().SetBorderStyle(TFormBorderStyle::bsNone);
  gauge->model().SetNeedleColor1(gauge_colors::kYellow);
  gauge->model().SetNeedleColor2(gauge_colors::kRed);
  return gauge;
}

// Numerals sit on the dial's face, above the dial in the stacking order.
QLabel* addNumeral(QWidget* panel, const QString& name, const QString& text, QPoint at,
                   int cellHeight, bool bold) {
  auto* label = new QLabel(text, panel);
  label->setObjectName(name);
  label->setFont(fontWithCellHeight(cellHeight, bold));
  setColours(label, Qt::black, Qt::white);
  label->move(at);
  label->adjustSize();
  label->raise();
  return label;
}

QLabel* addReadout(QWidget* panel, int top, const char* caption, const char* name) {
  auto* box = new QGroupBox(QString::fromLatin1(caption), panel);
  box->setObjectName(QString::fromLatin1(name) + QStringLiteral("Box"));
  box->setGeometry(8, top, 129, 60);
  return addSilverLabel<QLabel>(box, name, QString(), QRect(8, 22, 113, 30), 32);
}

}  // namespace

DashboardControls buildDashboardLayout(QWidget* area) {
  DashboardControls c;
  area->setFixedSize(kDashboardClientWidth, kDashboardClientHeight - kStatusBarHeight);
  area->setAutoFillBackground(true);
  setColours(area, Qt::black, Qt::red);

  QLabel* title = addLabel(area, "TitleLabel", QStringLiteral("Ostrand Engine Management"),
                           QRect(128, 8, 472, 36), 32);
  title->setAlignment(Qt::AlignCenter);

  c.logo = new ClickableLabel(area);
  c.logo->setObjectName(QStringLiteral("LogoImage"));
  c.logo->setGeometry(16, 0, 89, 49);
  c.logo->setPixmap(ProgramLogo());
  c.logo->setToolTip(QStringLiteral("Connect to ECU"));
  c.logo->setCursor(Qt::PointingHandCursor);

  c.milLabel = addSilverLabel<ClickableLabel>(area, "MILLabel", QStringLiteral("MIL"),
                                              QRect(632, 8, 81, 33), 32);
  c.milLabel->setToolTip(QStringLiteral("Open Fault Code Viewer"));

  QFrame* small = addPanel(area, "SmallGaugePanel", QRect(8, 56, 600, 128));
  const DialLayout smallDials[] = {
      {"TPSGauge", "TPS%", 255, 10},    {"AFMGauge", "MAP(mbar)", 1100, 12},
      {"CTSGauge", "CTS (C)", 120, 12}, {"ATSGauge", "IAT (C)", 120, 12},
      {"MPGGauge", "MPG", 50, 10},
  };
  const int smallX[] = {4, 122, 240, 358, 478};
  TKelvoGauge** smallGauges[] = {&c.tpsGauge, &c.afmGauge, &c.ctsGauge, &c.atsGauge, &c.mpgGauge};
  for (int i = 0; i < 5; ++i) {
    *smallGauges[i] = addDial(small, smallDials[i], QRect(smallX[i], 6, 115, 115));
  }

  QFrame* revPanel = addPanel(area, "RevCounterPanel", QRect(8, 190, 295, 275));
  c.revCounter = addLargeDial(revPanel, {"RevCounter", "RPM", 8000, 9});
  const QPoint revNumerals[] = {{77, 190}, {45, 142}, {53, 86},   {91, 46},  {141, 30},
                                {189, 42}, {229, 86}, {237, 144}, {205, 190}};
  for (int i = 0; i < 9; ++i) {
    addNumeral(revPanel, QStringLiteral("RevLbl%1").arg(i), QString::number(i), revNumerals[i], 30,
               false);
  }

  QFrame* speedoPanel = addPanel(area, "SpeedoPanel", QRect(314, 190, 295, 275));
  c.speedo = addLargeDial(speedoPanel, {"Speedo", "MPH", 120, 13});
  const QPoint speedoNumerals[] = {{80, 192},  {50, 168},  {42, 128}, {50, 88},  {72, 60},
                                   {104, 40},  {136, 32},  {176, 40}, {200, 60}, {222, 92},
                                   {220, 128}, {214, 160}, {192, 198}};
  for (int i = 0; i < 13; ++i) {
    c.speedoLabels[i] = addNumeral(speedoPanel, QStringLiteral("SpeedoLbl%1").arg(i),
                                   QString::number(i * 10), speedoNumerals[i], 20, true);
  }

  QFrame* readouts = addPanel(area, "ReadoutPanel", QRect(615, 56, 142, 409));
  c.battVolts = addReadout(readouts, 4, "Battery (V)", "BattVoltsLabel");
  c.o2Volts = addReadout(readouts, 68, "O2 Sensor (V)", "O2B1VoltsLabel");
  c.injPulseWidth = addReadout(readouts, 132, "Inj PW (mS)", "InjPWB1Label");
  c.ignAdvance = addReadout(readouts, 196, "Ign Adv (deg)", "IgnAdvanceLabel");
  c.tft = addReadout(readouts, 262, "TFT", "TFTLabel");
  c.ltft = addReadout(readouts, 328, "LTFT", "LTFTLabel");
  return c;
}

}  // namespace rizazovoz
