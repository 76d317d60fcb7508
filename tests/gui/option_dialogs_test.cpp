// The settings file and the option dialogs, through the windows as a user works them.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDesktopServices>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <csignal>
#include <fstream>
#include <sstream>

#include "gui_test_support.h"
#include "panel_status_bar.h"
#include "program_windows.h"
#include "quit_signals.h"
#include "sim/simulated_device_library.h"

namespace rizazovoz {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

class OptionDialogs : public ::testing::Test {
 protected:
  void SetUp() override { guitest::TestApplication(); }

  // The program's windows on the simulated ECU, reading the settings file as it is now.
  void Start() {
    setup_.settingsPath = settings_.path();
    windows_ = std::make_unique<ProgramWindows>(sim_, setup_);
    Main().show();
  }
  // Closed as by File > Exit, which writes the settings.
  void Exit() {
    Main().menuActions().exit->trigger();
    windows_.reset();
  }
  TDashBoardForm& Main() { return windows_->dashboard(); }
  QString Panel(int i) { return Main().findChild<PanelStatusBar*>("DashBoardSB")->panelText(i); }
  template <typename T>
  T* In(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  void ConnectToEcu() {
    Main().Connect1Click();
    ASSERT_TRUE(guitest::WaitFor([&] { return Panel(1) == "Connected to ECU"; }));
  }
  std::uint32_t EcuBaudRate() {
    return sim_.Inspect([](const SimulatedEcu& ecu) { return ecu.baudRate(); });
  }
  const GaugeProperties& Gauge(const char* name) {
    return In<TKelvoGauge>(Main(), name)->properties();
  }

  SimulatedDeviceLibrary sim_{"1103"};
  guitest::TempSettingsFile settings_;
  ProgramWindowsSetup setup_;
  std::unique_ptr<ProgramWindows> windows_;
};

TEST_F(OptionDialogs, AFileWithOnlyTheSampleRateStartsWithItAndIsWrittenWhole) {
  WriteFile(settings_.path(), "[Comms]\r\nSampleRate=250\r\n");
  Start();
  EXPECT_EQ(Main().session().poller().ticksPerSample(), 5);
  EXPECT_EQ(Panel(2), "Sample Rate 250ms");
  EXPECT_EQ(Main().pos(), QPoint(50, 50));
  Exit();
  EXPECT_EQ(ReadFile(settings_.path()),
            "[Comms]\r\nSampleRate=250\r\nBaudRate=15625\r\n\r\n[Form]\r\nTop=50\r\nLeft=50\r\n"
            "InitMax=0\r\n\r\n[Display]\r\nTempUnits=C\r\nSpeedUnits=MPH\r\nMPGDial=IAC\r\n\r\n"
            "[InjFlow]\r\nFlowRate=210\r\n");
}

TEST_F(OptionDialogs, ChoosingABaudRateWhileConnectedSwitchesTheLineAndIsKept) {
  Start();
  ConnectToEcu();
  TCommsForm& comms = windows_->comms();
  Main().menuActions().baudRate->trigger();
  ASSERT_TRUE(comms.isVisible());
  auto* combo = In<QComboBox>(comms, "CommsBaudCombo");
  EXPECT_EQ(combo->currentText(), "15625");
  combo->setCurrentIndex(combo->findText("7812"));  // a choice from the list applies at once
  EXPECT_EQ(EcuBaudRate(), 7812u);
  In<QPushButton>(comms, "ComsSelBtn")->click();
  EXPECT_FALSE(comms.isVisible());
  Exit();
  EXPECT_NE(ReadFile(settings_.path()).find("BaudRate=7812"), std::string::npos);

  Start();  // the next run opens the line at 7812
  EXPECT_EQ(In<QComboBox>(windows_->comms(), "CommsBaudCombo")->currentText(), "7812");
  ConnectToEcu();
  EXPECT_EQ(EcuBaudRate(), 7812u);
}

TEST_F(OptionDialogs, ATypedTextThatIsNotANumberIsRefusedAndTheDialogStays) {
  Start();
  TCommsForm& comms = windows_->comms();
  comms.Present();
  auto* combo = In<QComboBox>(comms, "CommsBaudCombo");
  combo->setEditText("78x");  // typed: not applied, no message while typing
  EXPECT_EQ(Main().BaudRateText(), "15625");
  guitest::BoxAnswerer answerer(QMessageBox::Ok);
  In<QPushButton>(comms, "ComsSelBtn")->click();
  ASSERT_EQ(answerer.boxes().size(), 1u);
  EXPECT_EQ(answerer.boxes()[0].text, "'78x' is not a valid integer value");
  EXPECT_TRUE(comms.isVisible());

  TSampleRateForm& rate = windows_->sampleRate();
  rate.Present();
  auto* rateCombo = In<QComboBox>(rate, "SampleRateCB");
  EXPECT_EQ(rateCombo->currentText(), "100");
  rateCombo->setEditText("fast");
  In<QPushButton>(rate, "SampleRateBtn")->click();
  ASSERT_EQ(answerer.boxes().size(), 2u);
  EXPECT_EQ(answerer.boxes()[1].text, "'fast' is not a valid integer value");
  EXPECT_TRUE(rate.isVisible());
  EXPECT_EQ(Main().session().poller().sampleIntervalMs(), 100);
}

TEST_F(OptionDialogs, SampleRatesApplyFromTheNextTickAndBelow50AreRaisedTo50) {
  Start();
  TSampleRateForm& rate = windows_->sampleRate();
  auto* combo = In<QComboBox>(rate, "SampleRateCB");
  for (const auto& [typed, shown, ticks] :
       {std::tuple{"75", "Sample Rate 75ms", 1}, std::tuple{" 150 ", "Sample Rate 150ms", 3},
        std::tuple{"20", "Sample Rate 50ms", 1}}) {
    SCOPED_TRACE(typed);
    rate.Present();
    combo->setEditText(QString::fromLatin1(typed));
    In<QPushButton>(rate, "SampleRateBtn")->click();
    EXPECT_FALSE(rate.isVisible());
    EXPECT_EQ(Panel(2), shown);
    EXPECT_EQ(Main().session().poller().ticksPerSample(), ticks);
  }
  EXPECT_EQ(combo->currentText(), "50");
  Exit();
  EXPECT_NE(ReadFile(settings_.path()).find("\nSampleRate=50\n"), std::string::npos);
}

TEST_F(OptionDialogs, UnitsApplyOnClickAndCloseAppliesWhatTheButtonsShow) {
  Start();
  TUnitsSelForm& units = windows_->units();
  Main().menuActions().units->trigger();
  In<QRadioButton>(units, "TempF_RB")->click();
  EXPECT_EQ(Gauge("CTSGauge").maxValue, 250);
  In<QRadioButton>(units, "KPK_RB")->click();
  EXPECT_EQ(Gauge("Speedo").maxValue, 240);
  In<QPushButton>(units, "UnitsSelectBtn")->click();
  EXPECT_FALSE(units.isVisible());
  EXPECT_EQ(Gauge("CTSGauge").title, "CTS (F)");
  EXPECT_EQ(Gauge("Speedo").title, "KPH");
  Exit();

  // The next run reads F and KPH, but its dialog shows degs C and MPH: Close applies those.
  Start();
  EXPECT_EQ(Gauge("ATSGauge").title, "IAT (F)");
  windows_->units().Present();
  EXPECT_TRUE(In<QRadioButton>(windows_->units(), "TempC_RB")->isChecked());
  In<QPushButton>(windows_->units(), "UnitsSelectBtn")->click();
  EXPECT_EQ(Gauge("ATSGauge").title, "IAT (C)");
  EXPECT_EQ(Gauge("Speedo").title, "MPH");
}

TEST_F(OptionDialogs, AFileThatCannotBeWrittenIsReportedAndTheProgramStillCloses) {
  WriteFile(settings_.path().parent_path(), "a file where the folder bin goes");
  Start();
  bool closed = false;
  QObject::connect(&Main(), &TDashBoardForm::closed, [&] { closed = true; });
  guitest::BoxAnswerer answerer(QMessageBox::Ok);
  Main().menuActions().exit->trigger();
  EXPECT_TRUE(closed);
  EXPECT_FALSE(Main().isVisible());
  // The dashboard's file, then the logger's beside it: each says which and why.
  ASSERT_EQ(answerer.boxes().size(), 2u);
  EXPECT_TRUE(answerer.boxes()[0].text.contains(QString::fromStdString(settings_.path().string())))
      << answerer.boxes()[0].text.toStdString();
  EXPECT_TRUE(answerer.boxes()[1].text.contains(QStringLiteral("kelvolog.ini")))
      << answerer.boxes()[1].text.toStdString();
}

// A desktop logging out sends SIGTERM: the program closes as by Exit.
TEST_F(OptionDialogs, AQuitSignalClosesTheWindowAndWritesTheSettings) {
  Start();
  Main().ApplySpeedUnit(QStringLiteral("KPH"));
  ConnectToEcu();
  QuitSignals quitSignals;
  QObject::connect(&quitSignals, &QuitSignals::received, &Main(), &QWidget::close);
  bool closed = false;
  QObject::connect(&Main(), &TDashBoardForm::closed, [&] { closed = true; });
  std::raise(SIGTERM);
  ASSERT_TRUE(guitest::WaitFor([&] { return closed; }));
  EXPECT_TRUE(guitest::WaitFor([&] { return !sim_.isOpen(); }));
  EXPECT_NE(ReadFile(settings_.path()).find("SpeedUnits=KPH"), std::string::npos);
}

class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened << url; }
};

TEST_F(OptionDialogs, TheHelpWindowOpensTheManual) {
  const std::filesystem::path manual = settings_.path().parent_path().parent_path() / "index.html";
  WriteFile(manual, "<html></html>");
  setup_.userManual = manual;
  Start();
  Main().menuActions().help->trigger();
  THelpForm& help = windows_->help();
  ASSERT_TRUE(help.isVisible());
  EXPECT_EQ(help.windowTitle(), "Help");
  EXPECT_EQ(help.size(), QSize(405, 334));
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
  In<QPushButton>(help, "OpenManualBtn")->click();
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  EXPECT_EQ(catcher.opened,
            QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(manual.string()))});
  In<QPushButton>(help, "CloseBtn")->click();
  EXPECT_FALSE(help.isVisible());
}

}  // namespace
}  // namespace rizazovoz

#include "option_dialogs_test.moc"
