// The actuator tests window on the simulated ECU, driven by its controls' names.
#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui_test_support.h"
#include "program_windows.h"
#include "protocol/ecu_frame.h"
#include "sim/simulated_device_library.h"

namespace rizazovoz {
namespace {

std::vector<std::uint8_t> Command(ActuatorMode mode, int value) {
  const EcuFrame frame = BuildActuatorCommand(mode, value);
  return {frame.bytes().begin(), frame.bytes().end()};
}

class ActuatorWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    guitest::TestApplication();
    windows_ =
        std::make_unique<ProgramWindows>(devices_, ProgramWindowsSetup{settings_.path(), {}});
    Main().show();
    Form().Present();
  }

  TDashBoardForm& Main() { return windows_->dashboard(); }
  TActuatorForm& Form() { return windows_->actuators(); }
  template <typename T>
  T* Find(const char* name) {
    T* found = Form().findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  void Connect() {
    Main().Connect1Click();
    ASSERT_TRUE(
        guitest::WaitFor([&] { return Main().session().connectionState() == "Connected to ECU"; }));
  }
  void Set(const QString& entry) {
    Find<QLineEdit>("Command_EB")->setText(entry);
    Find<QPushButton>("SetBtn")->click();
  }
  bool Sent(ActuatorMode mode, int value) {
    return guitest::WaitFor([&] { return devices_.WroteFrame(Command(mode, value)); });
  }
  int EngineSpeed() { return Main().session().values().engineSpeed; }

  SimulatedDeviceLibrary sim_{"1103"};
  guitest::RecordingDevices devices_{sim_};
  guitest::TempSettingsFile settings_;
  std::unique_ptr<ProgramWindows> windows_;
};

TEST_F(ActuatorWindow, LaidOutWithItsTestsOfferedOnlyByTheEcu) {
  EXPECT_EQ(Form().windowTitle(), "RizazOvoz Actuator Controls");
  EXPECT_EQ(Find<QLabel>("Control_Title")->text(), "RPM Control");
  EXPECT_EQ(Find<QGroupBox>("Control_GB")->title(), "Set Target Idle");
  EXPECT_EQ(Find<QLineEdit>("Command_EB")->text(), "800");
  const char* items[] = {"RPMControl1",      "FixAdvance1",     "IACCalibration1",
                         "EGRSolControl1",   "EGRStepControl1", "RadFanControl1",
                         "CanPurgeControl1", "FuelPumpControl1"};
  for (const char* item : items) EXPECT_FALSE(Find<QAction>(item)->isEnabled()) << item;

  Form().EnableTests(15);
  Form().EnableTests(1);  // a later ECU with fewer tests withdraws none
  for (int i = 0; i < 8; ++i) EXPECT_EQ(Find<QAction>(items[i])->isEnabled(), i < 4) << items[i];

  Find<QAction>("EGRStepControl1")->setEnabled(true);
  Find<QAction>("EGRStepControl1")->trigger();
  EXPECT_EQ(Find<QLabel>("Control_Title")->text(), "EGR Stepper Control");
  EXPECT_EQ(Find<QGroupBox>("Control_GB")->title(), "EGR Position (%)");
  EXPECT_EQ(Find<QLineEdit>("Command_EB")->text(), "0");
  EXPECT_EQ(Find<QGroupBox>("Monitor1")->title(), "EGR");
  EXPECT_EQ(Find<QGroupBox>("Monitor4")->title(), "VSS");
}

TEST_F(ActuatorWindow, RpmControlHoldsTheEngineAndCancelLetsItFallBack) {
  Connect();
  ASSERT_TRUE(Find<QAction>("RPMControl1")->isEnabled());  // 1103 offers it
  Find<QAction>("RPMControl1")->trigger();
  Set("1200");
  EXPECT_TRUE(Sent(ActuatorMode::RpmControl, 153));
  EXPECT_TRUE(guitest::WaitFor([&] { return std::abs(EngineSpeed() - 1200) < 60; }));
  EXPECT_TRUE(guitest::WaitFor(
      [&] { return Find<QLabel>("Monitor2Label")->text() == QString::number(EngineSpeed()); }));
  Find<QPushButton>("CancelBtn")->click();
  EXPECT_TRUE(Sent(ActuatorMode::Cancel, 0));
  // Back to the ECU's own (fast, while cold) idle, some way below the held 1200.
  EXPECT_TRUE(guitest::WaitFor([&] {
    return Main().session().values().targetIdle < 1150 && EngineSpeed() < 1150;
  }));
}

TEST_F(ActuatorWindow, EntriesThatCannotBeSentAreRefusedWithAMessage) {
  Connect();
  Find<QAction>("RPMControl1")->trigger();
  guitest::BoxAnswerer answerer(QMessageBox::Ok);
  for (const auto& [entry, message] :
       {std::pair{"abc", "'abc' is not a valid integer value"},
        std::pair{"3000", "The target idle must be from 0 to 2000 rpm, not 3000"}}) {
    Set(QString::fromLatin1(entry));
    ASSERT_FALSE(answerer.boxes().empty());
    EXPECT_EQ(answerer.boxes().back().text, message);
  }
  EXPECT_FALSE(Main().session().poller().actuatorWanted());
  EXPECT_EQ(Form().panel().lastValue(), 0);
}

TEST_F(ActuatorWindow, WithoutAConnectedEcuNothingIsSent) {
  guitest::BoxAnswerer answerer(QMessageBox::Ok);
  Find<QPushButton>("SetBtn")->click();
  EXPECT_TRUE(guitest::WaitFor([&] { return answerer.Saw("Not connected to an ECU"); }));
  Connect();
  const std::size_t before = devices_.Written().size();
  ASSERT_TRUE(guitest::WaitFor([&] { return devices_.Written().size() > before + 20; }));
  EXPECT_FALSE(devices_.WroteFrame(Command(ActuatorMode::Cancel, 0)));
}

}  // namespace
}  // namespace rizazovoz
