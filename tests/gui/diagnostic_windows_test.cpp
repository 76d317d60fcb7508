// The fault code viewer, the status flag viewer and the ECU ID window on the simulated ECU.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>

#include "gui_test_support.h"
#include "program_windows.h"
#include "sim/simulated_device_library.h"

namespace rizazovoz {
namespace {

class DiagnosticWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    guitest::TestApplication();
    windows_ = std::make_unique<ProgramWindows>(sim_, ProgramWindowsSetup{settings_.path(), {}});
    Main().show();
  }

  TDashBoardForm& Main() { return windows_->dashboard(); }
  QString Memo(const char* name) {
    return windows_->faultCodes().findChild<QPlainTextEdit*>(name)->toPlainText();
  }
  QTableWidget* Grid() { return windows_->statusFlags().findChild<QTableWidget*>("StatusSG"); }
  QString Cell(int row, int column) { return Grid()->item(row, column)->text(); }
  QString EcuId() { return windows_->ecuId().findChild<QLineEdit*>("IDEB")->text(); }

  SimulatedDeviceLibrary sim_{"1103"};
  guitest::TempSettingsFile settings_;
  std::unique_ptr<ProgramWindows> windows_;
};

TEST_F(DiagnosticWindows, EmptyUntilAnEcuNamesItselfThenLive) {
  EXPECT_EQ(windows_->faultCodes().windowTitle(), "Rizazovoz Fault Code Viewer");
  EXPECT_EQ(windows_->statusFlags().windowTitle(), "RizazOvoz Status Flag Viewer");
  EXPECT_EQ(EcuId(), "0000");
  QTest::qWait(250);  // the viewers' timers are off: nothing is written
  EXPECT_EQ(Memo("CFMemo"), "");
  EXPECT_EQ(Cell(0, 0), "");
  EXPECT_EQ(Grid()->columnWidth(0), 300);

  Main().Connect1Click();
  ASSERT_TRUE(guitest::WaitFor([&] { return EcuId() == "1103"; }));
  ASSERT_TRUE(guitest::WaitFor([&] { return Cell(0, 0) == "Evap. Can. Purge"; }));
  EXPECT_EQ(Cell(6, 0), "PS Switch");
  EXPECT_TRUE(Cell(3, 1) == "IDLE" || Cell(3, 1) == "OPEN") << Cell(3, 1).toStdString();
  ASSERT_TRUE(guitest::WaitFor([&] { return !Memo("SFMemo").isEmpty(); }));
  // What the memos show is what the ECU's fault bytes say now.
  FaultCodeReport report;
  report.SetIdentity("1103");
  windows_->faultCodes().Timer1Timer();
  const LiveValues& values = Main().session().values();
  EXPECT_EQ(Memo("CFMemo").toStdString(), report.CurrentText(values.faultFlags));
  EXPECT_EQ(Memo("SFMemo").toStdString(), report.StoredText(values.faultFlags));
}

TEST_F(DiagnosticWindows, MenuItemsAndTheLampShowTheWindows) {
  const DashboardMenuActions& menu = Main().menuActions();
  menu.statusFlags->trigger();
  EXPECT_TRUE(windows_->statusFlags().isVisible());
  menu.ecuId->trigger();
  EXPECT_TRUE(windows_->ecuId().isVisible());
  EXPECT_FALSE(windows_->faultCodes().isVisible());
  QTest::mouseClick(Main().controls().milLabel, Qt::LeftButton);
  EXPECT_TRUE(windows_->faultCodes().isVisible());
  EXPECT_TRUE(Main().findChild<QAction*>("FaultCodes1")->isEnabled());
}

// After a change to an ECU with fewer flags, the rows below its last keep the earlier ECU's.
TEST_F(DiagnosticWindows, StatusRowsOfAnEarlierEcuStayBelowTheNewLastRow) {
  TStatusForm& status = windows_->statusFlags();
  status.SetIdentity("F802");
  status.StatusTimerTimer();
  EXPECT_FALSE(Cell(17, 0).isEmpty());
  EXPECT_TRUE(Cell(18, 0).isEmpty());
  const QString row10 = Cell(10, 0);
  status.SetIdentity("1103");
  status.StatusTimerTimer();
  EXPECT_EQ(Cell(0, 0), "Evap. Can. Purge");
  EXPECT_EQ(Cell(10, 0), row10);
}

}  // namespace
}  // namespace rizazovoz
