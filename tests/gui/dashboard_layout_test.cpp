#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>

#include "fake_device_library.h"
#include "gui_test_support.h"
#include "kelvo_gauge.h"
#include "panel_status_bar.h"
#include "program_windows.h"

namespace rizazovoz {
namespace {

// The dashboard with no interface plugged in.
class DashboardLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    guitest::TestApplication();
    windows_ = std::make_unique<ProgramWindows>(
        devices_, ProgramWindowsSetup{settings_.path(), std::nullopt});
    form_ = &windows_->dashboard();
    form_->show();
  }

  template <typename T>
  T* Find(const char* name) {
    T* found = form_->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  TKelvoGauge* Gauge(const char* name) { return Find<TKelvoGauge>(name); }
  PanelStatusBar* StatusBar() { return Find<PanelStatusBar>("DashBoardSB"); }
  QString Numeral(int i) {
    return Find<QLabel>(QStringLiteral("SpeedoLbl%1").arg(i).toLatin1().constData())->text();
  }

  FakeDeviceLibrary devices_;
  guitest::TempSettingsFile settings_;
  std::unique_ptr<ProgramWindows> windows_;
  TDashBoardForm* form_ = nullptr;
};

TEST_F(DashboardLayout, WindowCaptionSizeAndTimer) {
  EXPECT_EQ(form_->windowTitle(), "RizazOvoz DashBoard v1.4");
  EXPECT_EQ(form_->centralWidget()->size(), QSize(767, 472));
  EXPECT_EQ(StatusBar()->height(), 20);
  EXPECT_EQ(form_->minimumSize(), form_->maximumSize()) << "not resizable";
  EXPECT_EQ(form_->pos(), QPoint(50, 50));
  QTimer* timer = Find<QTimer>("Timer1");
  EXPECT_EQ(timer->interval(), 50);
  EXPECT_TRUE(timer->isActive());
}

TEST_F(DashboardLayout, SevenDialsWithTheirScalesAndPlaces) {
  struct Dial {
    const char* name;
    const char* title;
    int maxValue;
    int ticks;
    QRect geometry;
  };
  const Dial dials[] = {
      {"TPSGauge", "TPS%", 100, 10, {4, 6, 115, 115}},
      {"AFMGauge", "MAP(mbar)", 1100, 12, {122, 6, 115, 115}},
      {"CTSGauge", "CTS (C)", 120, 13, {240, 6, 115, 115}},
      {"ATSGauge", "IAT (C)", 120, 13, {358, 6, 115, 115}},
      {"MPGGauge", "IAC", 50, 10, {478, 6, 115, 115}},
      {"RevCounter", "RPM", 8000, 9, {20, 10, 255, 255}},
      {"Speedo", "MPH", 120, 13, {20, 10, 255, 255}},
  };
  for (const Dial& d : dials) {
    SCOPED_TRACE(d.name);
    TKelvoGauge* gauge = Gauge(d.name);
    ASSERT_NE(gauge, nullptr);
    const GaugeProperties& p = gauge->properties();
    EXPECT_EQ(p.kind, TKelvoGaugeKind::rgk270);
    EXPECT_EQ(p.title, d.title);
    EXPECT_EQ(p.maxValue, d.maxValue);
    EXPECT_EQ(p.nTicks, d.ticks);
    EXPECT_EQ(gauge->geometry(), d.geometry);
  }
  const GaugeProperties& rev = Gauge("RevCounter")->properties();
  EXPECT_EQ(rev.borderStyle, TFormBorderStyle::bsNone);
  EXPECT_EQ(rev.needleColor1, gauge_colors::kYellow);
  EXPECT_EQ(rev.needleColor2, gauge_colors::kRed);
  EXPECT_EQ(Gauge("TPSGauge")->properties().borderStyle, TFormBorderStyle::bsSingle);
}

TEST_F(DashboardLayout, ReadoutsLampLogoAndStatusPanels) {
  for (const char* name : {"BattVoltsLabel", "O2B1VoltsLabel", "InjPWB1Label", "IgnAdvanceLabel",
                           "TFTLabel", "LTFTLabel"}) {
    SCOPED_TRACE(name);
    QLabel* label = Find<QLabel>(name);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->size(), QSize(113, 30));
    EXPECT_EQ(label->parentWidget()->size(), QSize(129, 60));
  }
  EXPECT_EQ(Find<QGroupBox>("BattVoltsLabelBox")->title(), "Battery (V)");
  QLabel* mil = Find<QLabel>("MILLabel");
  EXPECT_EQ(mil->text(), "MIL");
  EXPECT_EQ(mil->geometry(), QRect(632, 8, 81, 33));
  EXPECT_EQ(mil->toolTip(), "Open Fault Code Viewer");
  QLabel* logo = Find<QLabel>("LogoImage");
  EXPECT_FALSE(logo->pixmap().isNull());
  EXPECT_EQ(logo->toolTip(), "Connect to ECU");

  const QStringList texts = {"No Interface", "Not Connected", "Sample Rate 100ms",
                             "Bad Data Count 0", ""};
  const int widths[] = {150, 120, 150, 200, 50};
  PanelStatusBar* bar = StatusBar();
  ASSERT_EQ(bar->panelCount(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(bar->panelText(i), texts[i]) << i;
    EXPECT_EQ(bar->findChild<QLabel*>(QStringLiteral("Panel%1").arg(i + 1))->width(), widths[i]);
  }
}

TEST_F(DashboardLayout, MenusHoldEveryItemAndOnlyWorkingOnesAreEnabled) {
  struct Item {
    const char* name;
    const char* caption;
    bool enabled;
  };
  const Item items[] = {
      {"Exit1", "E&xit", true},
      {"DataViewer1", "DataViewer", true},
      {"DataLogger1", "DataLogger", true},
      {"FaultCodes1", "FaultCodes", true},
      {"StatusFlags1", "Status Flags", true},
      {"Controls1", "Controls", true},
      {"ECUID1", "ECU ID", true},
      {"Connect1", "Connect", true},
      {"BaudRate1", "Baud Rate", true},
      {"SampleRate1", "Sample Rate", true},
      {"Units1", "Units", true},
      {"ResetECU1", "Reset ECU", true},
      {"Help2", "Help", true},
  };
  for (const Item& item : items) {
    SCOPED_TRACE(item.name);
    QAction* action = Find<QAction>(item.name);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), item.caption);
    EXPECT_EQ(action->isEnabled(), item.enabled);
  }
  QMenu* protocol = Find<QMenu>("Protocol1");
  EXPECT_FALSE(protocol->menuAction()->isEnabled());
  EXPECT_EQ(protocol->actions().size(), 2);
  QStringList menus;
  for (QAction* menu : form_->menuBar()->actions()) menus << menu->text();
  EXPECT_EQ(menus, QStringList({"File", "View", "&Comms", "Options", "Command", "Help"}));
  // Its hint is a tool tip: shown in the status bar, it would blank the five panels.
  QAction* exit = Find<QAction>("Exit1");
  EXPECT_EQ(exit->toolTip(), "Quits the application");
  exit->showStatusText(form_);
  EXPECT_TRUE(StatusBar()->currentMessage().isEmpty());
  EXPECT_TRUE(StatusBar()->findChild<QLabel*>("Panel2")->isVisible());
}

TEST_F(DashboardLayout, SpeedUnitRewritesTheNumerals) {
  form_->ApplySpeedUnit(QStringLiteral("KPH"));
  EXPECT_EQ(Gauge("Speedo")->properties().maxValue, 240);
  EXPECT_EQ(Gauge("Speedo")->properties().title, "KPH");
  EXPECT_EQ(Numeral(0), "0");
  for (int i = 1; i <= 12; ++i) EXPECT_EQ(Numeral(i), QString::number(20 * i));
  EXPECT_EQ(form_->displaySettings().speedUnits, "KPH");

  form_->ApplySpeedUnit(QStringLiteral("kph"));  // only the exact text selects km/h
  EXPECT_EQ(Gauge("Speedo")->properties().maxValue, 120);
  EXPECT_EQ(Gauge("Speedo")->properties().title, "MPH");
  for (int i = 1; i <= 12; ++i) EXPECT_EQ(Numeral(i), QString::number(10 * i));
}

TEST_F(DashboardLayout, FahrenheitThenCelsiusGivesThirteenTicks) {
  form_->ApplyTemperatureUnit(QStringLiteral("F"));
  for (const char* name : {"CTSGauge", "ATSGauge"}) {
    EXPECT_EQ(Gauge(name)->properties().maxValue, 250);
    EXPECT_EQ(Gauge(name)->properties().nTicks, 11);
  }
  EXPECT_EQ(Gauge("CTSGauge")->properties().title, "CTS (F)");
  EXPECT_EQ(Gauge("ATSGauge")->properties().title, "IAT (F)");
  form_->ApplyTemperatureUnit(QStringLiteral("C"));
  for (const char* name : {"CTSGauge", "ATSGauge"}) {
    EXPECT_EQ(Gauge(name)->properties().maxValue, 120);
    EXPECT_EQ(Gauge(name)->properties().nTicks, 13);
  }
  EXPECT_EQ(Gauge("ATSGauge")->properties().title, "IAT (C)");
}

TEST_F(DashboardLayout, ConnectWithoutInterfaceWaitsForIt) {
  Find<QAction>("Connect1")->trigger();
  // A few ticks pass with nothing to open.
  const std::uint32_t start = form_->session().poller().tickCount();
  ASSERT_TRUE(guitest::WaitFor([&] { return form_->session().poller().tickCount() >= start + 4; }));
  EXPECT_EQ(StatusBar()->panelText(0), "No Interface");
  EXPECT_EQ(StatusBar()->panelText(1), "Not Connected");
  devices_.AddDevice("RUZ Interface");  // answers nothing: the identity request repeats
  EXPECT_TRUE(guitest::WaitFor([&] { return StatusBar()->panelText(1) == "Trying to Connect"; }));
  EXPECT_EQ(StatusBar()->panelText(0), "RUZ Interface");
  EXPECT_TRUE(guitest::WaitFor([&] { return StatusBar()->panelText(3).startsWith("Rx Errors "); }));
}

TEST_F(DashboardLayout, SampleIntervalIsShownWhenSet) {
  form_->SetSampleInterval(250);
  EXPECT_EQ(StatusBar()->panelText(2), "Sample Rate 250ms");
  EXPECT_EQ(form_->session().poller().sampleIntervalMs(), 250);
}

}  // namespace
}  // namespace rizazovoz
