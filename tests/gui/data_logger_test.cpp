// The data logger window on the simulated ECU: its controls by name, Start and Stop, and a
// recording that closing the program does not lose.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <fstream>
#include <sstream>

#include "gui_test_support.h"
#include "program_windows.h"
#include "sim/simulated_device_library.h"

namespace rizazovoz {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class DataLoggerWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    guitest::TestApplication();
    windows_ = std::make_unique<ProgramWindows>(sim_, ProgramWindowsSetup{settings_.path(), {}});
    Main().show();
    output_ = settings_.path().parent_path().parent_path() / "logs";
    std::filesystem::create_directories(output_);
    Logger().SetLogPath(QString::fromStdString(output_.string()));
  }

  TDashBoardForm& Main() { return windows_->dashboard(); }
  TDataLoggerForm& Logger() { return windows_->dataLogger(); }
  template <typename T>
  T* Find(const char* name) {
    T* found = Logger().findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QString Panel(int i) { return Find<PanelStatusBar>("DataLoggerSB")->panelText(i); }
  void Connect() {
    Main().Connect1Click();
    ASSERT_TRUE(
        guitest::WaitFor([&] { return Main().session().connectionState() == "Connected to ECU"; }));
  }
  void PickTimeBase(const char* seconds) {
    QComboBox* combo = Find<QComboBox>("GrT_Sel_T_Combo");
    combo->setCurrentIndex(combo->findText(QString::fromLatin1(seconds)));
    emit combo->activated(combo->currentIndex());
  }
  std::filesystem::path File() { return output_ / "kelvolog.csv"; }

  SimulatedDeviceLibrary sim_{"1103"};
  guitest::TempSettingsFile settings_;
  std::unique_ptr<ProgramWindows> windows_;
  std::filesystem::path output_;
};

TEST_F(DataLoggerWindow, LaidOutWithItsDefaults) {
  Main().menuActions().dataLogger->trigger();
  EXPECT_TRUE(Logger().isVisible());
  EXPECT_EQ(Logger().windowTitle(), "RizazOvoz DataLogger");
  for (int n = 1; n <= 4; ++n) {
    SCOPED_TRACE(n);
    auto* graph = Find<QWidget>(QStringLiteral("PGraph%1").arg(n).toLatin1().constData());
    EXPECT_EQ(graph->geometry(), QRect(144, 8 + 120 * (n - 1), 800, 100));
    EXPECT_EQ(Find<QLabel>(QStringLiteral("Ch%1ValueLbl").arg(n).toLatin1().constData())->text(),
              "0");
  }
  EXPECT_EQ(Find<QComboBox>("Ch1_Sel_Combo")->currentText(), "RPM");
  EXPECT_EQ(Find<QComboBox>("Ch1_Sel_Combo")->count(), 39);
  EXPECT_EQ(Find<QComboBox>("GrT_Sel_T_Combo")->currentText(), "10");
  EXPECT_TRUE(Find<QCheckBox>("SaveDataCB")->isChecked());
  EXPECT_EQ(Panel(0), "Sample interval: 400ms");
  EXPECT_EQ(Panel(1), "Output file:    kelvolog.csv");

  Logger().SetChannelMode(false);  // raw address channels: the chosen names stay
  EXPECT_EQ(Find<QComboBox>("Ch1_Sel_Combo")->count(), 42);
  EXPECT_EQ(Find<QComboBox>("Ch1_Sel_Combo")->itemText(41), "Address41");
  EXPECT_EQ(Find<QComboBox>("Ch1_Sel_Combo")->currentText(), "RPM");
}

TEST_F(DataLoggerWindow, StartAndStopRecordTheSimulatedEngine) {
  Connect();
  PickTimeBase("1");
  EXPECT_EQ(Panel(0), "Sample interval: 40ms");
  Find<QPushButton>("DL_Start_Button")->click();
  EXPECT_FALSE(Find<QComboBox>("Ch1_Sel_Combo")->isEnabled());
  EXPECT_FALSE(Find<QCheckBox>("SaveDataCB")->isEnabled());
  ASSERT_TRUE(guitest::WaitFor([&] { return Logger().logger().SampleCount() >= 25; }));
  EXPECT_NE(Find<QLabel>("Ch1ValueLbl")->text(), "0");  // the engine runs
  EXPECT_TRUE(Panel(2).startsWith("File size "));
  Find<QPushButton>("DL_Stop_Button")->click();
  EXPECT_EQ(Panel(2), "Done");
  EXPECT_TRUE(Find<QComboBox>("Ch1_Sel_Combo")->isEnabled());

  const std::string csv = ReadFile(File());
  EXPECT_EQ(csv.rfind("Ostrand log file\r\nTime,", 0), 0u);
  EXPECT_NE(csv.find("\r\nElapsed Time (ms),RPM,MAP,CTS,IAT\r\n40,"), std::string::npos);
  EXPECT_TRUE(csv.ends_with("\r\n"));
}

// The program ends while a recording runs: it is written as Stop would, not lost.
TEST_F(DataLoggerWindow, ClosingTheProgramWhileLoggingWritesTheRecording) {
  Connect();
  PickTimeBase("1");
  Find<QPushButton>("DL_Start_Button")->click();
  ASSERT_TRUE(guitest::WaitFor([&] { return Logger().logger().SampleCount() >= 10; }));
  Main().menuActions().exit->trigger();
  const std::string csv = ReadFile(File());
  EXPECT_NE(csv.find("\r\n400,"), std::string::npos) << csv.substr(0, 200);
  // And the logger's settings were written beside the dashboard's.
  EXPECT_TRUE(std::filesystem::exists(settings_.path().parent_path() / "kelvolog.ini"));
}

}  // namespace
}  // namespace rizazovoz
