// The data viewer over the simulated ECU, found and driven by its controls' names.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

#include "gui_test_support.h"
#include "program_windows.h"
#include "sim/simulated_device_library.h"
#include "text/decimal_separator.h"
#include "text/number_format.h"

namespace rizazovoz {
namespace {

class DataViewer : public ::testing::TestWithParam<const char*> {
 protected:
  explicit DataViewer(std::string_view identity = "1103") : sim_(identity) {}

  void SetUp() override {
    guitest::TestApplication();
    windows_ = std::make_unique<ProgramWindows>(sim_, ProgramWindowsSetup{settings_.path(), {}});
    windows_->dashboard().show();
  }

  TDataViewerForm& Viewer() { return windows_->dataViewer(); }
  TDashBoardForm& Main() { return windows_->dashboard(); }
  QGroupBox* Frame(int k) {
    return Viewer().findChild<QGroupBox*>(QStringLiteral("Frame%1").arg(k));
  }
  QString Value(int k) {
    return Viewer().findChild<QLabel*>(QStringLiteral("Value%1").arg(k))->text();
  }
  QPushButton* Button(const char* name) { return Viewer().findChild<QPushButton*>(name); }
  QString Panel(int i) { return Viewer().findChild<PanelStatusBar*>("DataViewerSB")->panelText(i); }
  const LiveValues& Values() { return Main().session().values(); }
  void Connect() {
    Main().Connect1Click();
    ASSERT_TRUE(
        guitest::WaitFor([&] { return Main().session().connectionState() == "Connected to ECU"; }));
  }

  SimulatedDeviceLibrary sim_;
  guitest::TempSettingsFile settings_;
  std::unique_ptr<ProgramWindows> windows_;
};

TEST_F(DataViewer, LaidOutAsTwentyFiveCaptionedReadoutsWithButtonsMenuAndStatusBar) {
  EXPECT_FALSE(Viewer().isVisible());  // created hidden
  Main().menuActions().dataViewer->trigger();
  EXPECT_TRUE(Viewer().isVisible());
  EXPECT_EQ(Viewer().windowTitle(), "RizazOvoz DataViewer");
  for (int k = 0; k < 25; ++k) {
    SCOPED_TRACE(k);
    QGroupBox* frame = Frame(k);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->geometry(), QRect(32 + 144 * (k % 5), 16 + 80 * (k / 5), 129, 73));
    EXPECT_EQ(frame->title(), QString::number(k));
  }
  EXPECT_EQ(Button("ModeBtn")->text(), "Raw Data");
  EXPECT_EQ(Button("ModeBtn")->geometry(), QRect(272, 424, 75, 25));
  EXPECT_EQ(Button("PageBtn")->text(), "Page2");
  EXPECT_EQ(Button("PageBtn")->geometry(), QRect(416, 424, 75, 25));
  for (const auto& [i, text] : {std::pair{0, "COM1"}, std::pair{1, "Not Connected"},
                                std::pair{2, "Sample Rate"}, std::pair{3, "Bad Data Count 0"}}) {
    EXPECT_EQ(Panel(i), text);
  }
  QStringList items;
  for (QAction* item : Viewer().menuBar()->actions().front()->menu()->actions()) {
    items << item->text();
  }
  EXPECT_EQ(items, QStringList({"Close", "E&xit"}));
  Viewer().findChild<QAction*>("Close1")->trigger();
  EXPECT_FALSE(Viewer().isVisible());
  EXPECT_TRUE(Main().isVisible());
}

TEST_F(DataViewer, ShowsTheLiveValuesFormattedAndRawOnBothPages) {
  Connect();
  EXPECT_EQ(Panel(1), "Connected to ECU");
  EXPECT_EQ(Panel(2), "Sample Rate 100ms");
  EXPECT_EQ(Frame(2)->title(), "VAF (l/m)");  // 1103 measures air flow by vane
  ASSERT_TRUE(guitest::WaitFor([&] { return Values().batteryVolts > 0; }));
  const char sep = decimalSeparatorFromLocale();
  Viewer().Timer1Timer();
  EXPECT_EQ(Value(6).toStdString(), formatFixed(Values().batteryVolts, 4, 2, sep));
  EXPECT_EQ(Value(1).toStdString(), formatFixed(Values().engineSpeed, 5, 0, sep));
  EXPECT_EQ(Value(21), "--");

  Button("ModeBtn")->click();
  EXPECT_EQ(Button("ModeBtn")->text(), "Format Data");
  Viewer().Timer1Timer();
  EXPECT_EQ(Frame(6)->title(), "6");
  EXPECT_EQ(Value(6), QString::number(Values().rawSlotValues[6]));

  Button("PageBtn")->click();
  EXPECT_EQ(Button("PageBtn")->text(), "Page1");
  Viewer().Timer1Timer();
  EXPECT_EQ(Frame(24)->title(), "49");
  EXPECT_EQ(Value(24), QString::number(Values().rawSlotValues[49]));

  Button("ModeBtn")->click();  // formatted page 2
  Viewer().Timer1Timer();
  EXPECT_EQ(Frame(0)->title(), "Fault Flags 1");
  EXPECT_EQ(Value(4), QString::number(Values().statusFlags[0]));
}

TEST_F(DataViewer, PageKeysTurnThePageAndCtrlMSwitchesTheMode) {
  Viewer().Present();
  // Typed with a button in focus, the keys pass it on to the window.
  QTest::keyClick(Button("PageBtn"), Qt::Key_PageDown);
  EXPECT_EQ(Button("PageBtn")->text(), "Page1");
  QTest::keyClick(Button("ModeBtn"), Qt::Key_PageUp);
  EXPECT_EQ(Button("PageBtn")->text(), "Page2");
  QTest::keyClick(Button("PageBtn"), Qt::Key_M, Qt::ControlModifier);
  EXPECT_EQ(Button("ModeBtn")->text(), "Format Data");
  EXPECT_EQ(Button("ModeBtn")->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
  EXPECT_EQ(Button("PageBtn")->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
}

// An ECU the tables do not describe: the viewer, in raw mode, takes the dashboard's place.
class DataViewerUnlisted : public DataViewer {
 protected:
  DataViewerUnlisted() : DataViewer(GetParam()) {}
};

TEST_P(DataViewerUnlisted, TakesTheDashboardsPlaceAndClosingItBringsTheDashboardBack) {
  guitest::BoxAnswerer answerer(QMessageBox::Ok);
  Main().Connect1Click();
  ASSERT_TRUE(guitest::WaitFor([&] { return Viewer().isVisible(); }));
  EXPECT_FALSE(Main().isVisible());
  EXPECT_FALSE(Viewer().model().formatted());
  EXPECT_EQ(Button("ModeBtn")->text(), "Format Data");
  EXPECT_EQ(Frame(3)->title(), "3");
  EXPECT_TRUE(guitest::WaitFor([&] {
    return answerer.Saw(QStringLiteral("Formatted data not available for ECU ID %1. Please "
                                       "contact Ostrand Ltd")
                            .arg(GetParam()));
  }));
  // "0000" has nothing formatted: the mode button stays off until a page click.
  EXPECT_EQ(Button("ModeBtn")->isEnabled(), std::string_view(GetParam()) != "0000");
  // Polling goes on, and the bytes read show raw.
  const std::uint32_t ticks = Main().session().poller().tickCount();
  ASSERT_TRUE(guitest::WaitFor([&] { return Main().session().poller().tickCount() > ticks + 8; }));
  EXPECT_EQ(Main().session().poller().rxErrorCount(), 0);
  Viewer().Timer1Timer();
  for (int k = 0; k < 8; ++k) EXPECT_EQ(Value(k), QString::number(Values().rawSlotValues[k]));

  Viewer().close();
  EXPECT_FALSE(Viewer().isVisible());
  EXPECT_TRUE(Main().isVisible());
}

INSTANTIATE_TEST_SUITE_P(Identities, DataViewerUnlisted, ::testing::Values("ABCD", "0000"));

}  // namespace
}  // namespace rizazovoz
