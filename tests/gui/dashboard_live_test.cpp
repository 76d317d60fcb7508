// The dashboard on the simulated interface and ECU, driven through its menus as a user would.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>

#include "dashboard_form.h"
#include "gui_test_support.h"
#include "livedata/dashboard_readout_rules.h"
#include "panel_status_bar.h"
#include "sim/simulated_device_library.h"
#include "text/decimal_separator.h"

namespace rizazovoz {
namespace {

const std::vector<std::uint8_t> kResetFrame = {0x14, 0x03, 0xE9};

class DashboardLive : public ::testing::Test {
 protected:
  explicit DashboardLive(std::string_view identity = "1103") : sim_(identity) {}

  void SetUp() override {
    guitest::TestApplication();
    form_ = std::make_unique<TDashBoardForm>(devices_, settings_.path());
    form_->show();
  }

  QString Panel(int i) { return Bar()->panelText(i); }
  PanelStatusBar* Bar() { return form_->findChild<PanelStatusBar*>("DashBoardSB"); }
  QAction* Action(const char* name) { return form_->findChild<QAction*>(name); }
  QLabel* Label(const char* name) { return form_->findChild<QLabel*>(name); }
  TKelvoGauge* Gauge(const char* name) { return form_->findChild<TKelvoGauge*>(name); }
  const LiveValues& Values() { return form_->session().values(); }

  // Connects through the menu; returns the texts the connection panel showed on the way.
  QStringList ConnectThroughMenu() {
    QStringList shown{Panel(1)};
    Action("Connect1")->trigger();
    guitest::WaitFor([&] {
      if (shown.back() != Panel(1)) shown << Panel(1);
      return Panel(1) == "Connected to ECU";
    });
    return shown;
  }

  SimulatedDeviceLibrary sim_;
  guitest::RecordingDevices devices_{sim_};
  guitest::TempSettingsFile settings_;
  std::unique_ptr<TDashBoardForm> form_;
};

TEST_F(DashboardLive, ConnectsThroughTheMenuAndShowsTheStates) {
  EXPECT_TRUE(guitest::WaitFor([&] { return Panel(0) == "RUZ Interface"; }));
  EXPECT_EQ(Panel(1), "Not Connected");
  EXPECT_EQ(ConnectThroughMenu(),
            QStringList({"Not Connected", "Trying to Connect", "Connected to ECU"}));
  EXPECT_EQ(Panel(2), "Sample Rate 100ms");
  EXPECT_EQ(form_->session().identityText(), "1103");
  EXPECT_EQ(Gauge("AFMGauge")->properties().title, "AFM(l/m)");
  EXPECT_EQ(Gauge("MPGGauge")->properties().title, "IAC Duty");
}

TEST_F(DashboardLive, ClickOnTheLogoConnects) {
  QTest::mouseClick(Label("LogoImage"), Qt::LeftButton);
  EXPECT_TRUE(guitest::WaitFor([&] { return Panel(1) == "Connected to ECU"; }));
}

TEST_F(DashboardLive, GaugesAndLabelsFollowTheDecodedValues) {
  ConnectThroughMenu();
  // Wait until every read-out has had its slot at least once and the engine is running.
  ASSERT_TRUE(guitest::WaitFor([&] {
    return Values().engineSpeed > 0 && !Label("BattVoltsLabel")->text().isEmpty() &&
           !Label("TFTLabel")->text().isEmpty() && !Label("IgnAdvanceLabel")->text().isEmpty();
  }));
  // Between two ticks the controls show exactly the values last decoded.
  const LiveValues& v = Values();
  const char sep = decimalSeparatorFromLocale();
  EXPECT_EQ(Gauge("RevCounter")->properties().progress, std::clamp(v.engineSpeed, 0, 8000));
  EXPECT_EQ(Gauge("Speedo")->properties().progress, std::clamp(v.roadSpeed, 0, 120));
  EXPECT_EQ(Gauge("CTSGauge")->properties().progress,
            std::clamp(static_cast<int>(v.coolantTemp), 0, 120));
  EXPECT_EQ(Gauge("TPSGauge")->properties().progress,
            std::clamp(static_cast<int>(v.tpsPercent), 0, 100));
  EXPECT_EQ(Gauge("MPGGauge")->properties().progress, std::clamp(v.iac, 0, 100));

  const LabelReadout battery = BatteryVoltsReadout(v.batteryVolts, sep);
  EXPECT_EQ(Label("BattVoltsLabel")->text().toStdString(), battery.text);
  EXPECT_EQ(Label("BattVoltsLabel")->palette().color(QPalette::WindowText).rgb() & 0xFFFFFFu,
            ReadoutColorRgb(*battery.color));
  const LabelReadout o2 = O2VoltsReadout(v.o2Volts[0], sep);
  EXPECT_EQ(Label("O2B1VoltsLabel")->text().toStdString(), o2.text);
  EXPECT_EQ(Label("O2B1VoltsLabel")->palette().color(QPalette::WindowText).rgb() & 0xFFFFFFu,
            ReadoutColorRgb(*o2.color));
  EXPECT_EQ(Label("IgnAdvanceLabel")->text(), QString::number(v.ignAdvance));
  EXPECT_EQ(Label("InjPWB1Label")->text().toStdString(),
            TwoDecimalReadout(v.injPulseWidth[0], sep).text);
  EXPECT_EQ(Label("LTFTLabel")->text().toStdString(), TwoDecimalReadout(v.ltft[0], sep).text);
  EXPECT_EQ(Label("TFTLabel")->text().toStdString(), TwoDecimalReadout(v.tft[0], sep).text);
  EXPECT_EQ(Label("MILLabel")->palette().color(QPalette::WindowText).rgb() & 0xFFFFFFu,
            ReadoutColorRgb(MilColor(MilStateOf(v.faultFlags))));
}

TEST_F(DashboardLive, ResetCancelledSendsNothing) {
  ConnectThroughMenu();
  guitest::BoxAnswerer answerer(QMessageBox::Cancel);
  Action("ResetECU1")->trigger();  // returns once the box is answered
  ASSERT_EQ(answerer.boxes().size(), 1u);
  EXPECT_EQ(answerer.boxes()[0].caption, "Warning!");
  EXPECT_EQ(answerer.boxes()[0].text,
            "All stored parameters will be lost, do you wish to continue?");
  EXPECT_EQ(answerer.boxes()[0].defaultButton, QMessageBox::Cancel);  // Enter wipes nothing
  // Several sample intervals pass: reading goes on, no reset goes out.
  const std::size_t before = devices_.Written().size();
  ASSERT_TRUE(guitest::WaitFor([&] { return devices_.Written().size() > before + 20; }));
  EXPECT_FALSE(devices_.WroteFrame(kResetFrame));
  EXPECT_FALSE(form_->session().poller().resetWanted());
}

TEST_F(DashboardLive, ResetConfirmedIsSentAndItsResultShownWhilePollingGoesOn) {
  ConnectThroughMenu();
  guitest::BoxAnswerer answerer(QMessageBox::Ok);
  Action("ResetECU1")->trigger();
  EXPECT_TRUE(guitest::WaitFor([&] { return devices_.WroteFrame(kResetFrame); }));

  // The result box stays open a while; the timer keeps polling under it.
  std::uint32_t ticksAtOpen = 0;
  std::uint32_t ticksAtAnswer = 0;
  answerer.SetHold(std::chrono::milliseconds(400));
  answerer.onSeen = [&] { ticksAtOpen = form_->session().poller().tickCount(); };
  answerer.onAnswer = [&] { ticksAtAnswer = form_->session().poller().tickCount(); };
  EXPECT_TRUE(guitest::WaitFor([&] { return answerer.Saw("ECU successfully reset"); }));
  EXPECT_GE(ticksAtAnswer, ticksAtOpen + 4);
  EXPECT_EQ(answerer.boxes().back().caption, "RizazOvoz V1.2");
}

// A reset is for the ECU connected now: asked for without one, or confirmed after the
// connection was lost under the box, it is refused and never sent to the next ECU.
TEST_F(DashboardLive, ResetWithoutAConnectedEcuIsRefusedAndNeverSentLater) {
  guitest::BoxAnswerer answerer(QMessageBox::Ok);
  Action("ResetECU1")->trigger();
  EXPECT_TRUE(guitest::WaitFor([&] { return answerer.Saw("Not connected to an ECU"); }));
  EXPECT_EQ(answerer.boxes().size(), 1u);  // no confirmation asked

  ConnectThroughMenu();
  answerer.SetHold(std::chrono::milliseconds(300));
  answerer.onSeen = [&] {
    if (answerer.boxes().size() == 1) sim_.Unplug();
  };
  Action("ResetECU1")->trigger();
  EXPECT_EQ(answerer.boxes()[1].text,
            "All stored parameters will be lost, do you wish to continue?");
  ASSERT_TRUE(guitest::WaitFor([&] { return answerer.boxes().size() == 3; }));
  EXPECT_EQ(answerer.boxes()[2].text, "Not connected to an ECU");

  sim_.Plug();
  EXPECT_TRUE(guitest::WaitFor([&] { return Panel(1) == "Connected to ECU"; }));
  const std::size_t before = devices_.Written().size();
  ASSERT_TRUE(guitest::WaitFor([&] { return devices_.Written().size() > before + 20; }));
  EXPECT_FALSE(devices_.WroteFrame(kResetFrame));
}

TEST_F(DashboardLive, ClosingAsksTheLinkThreadToCloseTheDevice) {
  ConnectThroughMenu();
  ASSERT_TRUE(sim_.isOpen());
  Action("Exit1")->trigger();
  EXPECT_FALSE(form_->isVisible());
  EXPECT_TRUE(guitest::WaitFor([&] { return !sim_.isOpen(); }));
  EXPECT_GE(devices_.CloseCount(), 1);
}

// An identity the tables do not list: its message comes in a box after the tick, and the
// dashboard keeps polling (raw slot bytes) meanwhile.
class DashboardLiveUnlisted : public DashboardLive {
 protected:
  DashboardLiveUnlisted() : DashboardLive("ABCD") {}
};

TEST_F(DashboardLiveUnlisted, ShowsTheMessageAndKeepsReading) {
  guitest::BoxAnswerer answerer(QMessageBox::Ok);
  answerer.SetHold(std::chrono::milliseconds(300));
  ConnectThroughMenu();
  EXPECT_TRUE(guitest::WaitFor([&] {
    return answerer.Saw("Formatted data not available for ECU ID ABCD. Please contact Ostrand Ltd");
  }));
  EXPECT_TRUE(form_->session().poller().readingEnabled());
}

}  // namespace
}  // namespace rizazovoz
