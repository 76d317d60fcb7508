// The program on a serial port given with --port: a pseudo-terminal with the simulated ECU
// program (ecusim) at its other end, as a cable whose description was never programmed.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

#include "dashboard_form.h"
#include "gui_test_support.h"
#include "panel_status_bar.h"
#include "program_devices.h"

namespace rizazovoz {
namespace {

QString EcusimPath() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/../tools/ecusim/ecusim");
}

class PortOption : public ::testing::Test {
 protected:
  void SetUp() override {
    guitest::TestApplication();
    ASSERT_TRUE(QFileInfo(EcusimPath()).isExecutable())
        << "build the ecusim target: " << EcusimPath().toStdString();
    ecusim_.setProgram(EcusimPath());
    ecusim_.setArguments({QStringLiteral("--identity"), QStringLiteral("1103")});
    ecusim_.setProcessChannelMode(QProcess::SeparateChannels);
    ecusim_.start();
    ASSERT_TRUE(ecusim_.waitForStarted(5000));
    // Its first line on standard output is the path of the terminal's program side.
    ASSERT_TRUE(guitest::WaitFor([&] { return ecusim_.canReadLine(); }));
    portPath_ = QString::fromLocal8Bit(ecusim_.readLine()).trimmed();
    ASSERT_TRUE(portPath_.startsWith(QStringLiteral("/dev/"))) << portPath_.toStdString();
  }

  void TearDown() override {
    form_.reset();
    devices_.reset();
    ecusim_.terminate();
    ecusim_.waitForFinished(5000);
  }

  QString Panel(int i) { return form_->findChild<PanelStatusBar*>("DashBoardSB")->panelText(i); }

  QProcess ecusim_;
  QString portPath_;
  std::unique_ptr<DeviceLibrary> devices_;
  guitest::TempSettingsFile settings_;
  std::unique_ptr<TDashBoardForm> form_;
};

TEST_F(PortOption, ConnectsAndReadsThroughThePort) {
  const StartupParse parse = ParseStartupOptions({"--port", portPath_.toStdString(), "--connect"});
  ASSERT_TRUE(parse.error.empty());
  devices_ = MakeDeviceLibrary(parse.options);
  form_ = std::make_unique<TDashBoardForm>(*devices_, settings_.path());
  form_->show();
  EXPECT_TRUE(guitest::WaitFor([&] { return Panel(0) == "RUZ Interface"; }));
  form_->Connect1Click();
  EXPECT_TRUE(guitest::WaitFor([&] { return Panel(1) == "Connected to ECU"; }))
      << Panel(1).toStdString() << ", " << Panel(3).toStdString();
  EXPECT_EQ(form_->session().identityText(), "1103");
  // Data answers arrive and reach the dials and read-outs.
  auto* rev = form_->findChild<TKelvoGauge*>("RevCounter");
  auto* battery = form_->findChild<QLabel*>("BattVoltsLabel");
  EXPECT_TRUE(guitest::WaitFor([&] {
    return rev->properties().progress > 0 && battery->text().endsWith(QLatin1Char('V'));
  }));
  EXPECT_EQ(rev->properties().progress, std::clamp(form_->session().values().engineSpeed, 0, 8000));
}

}  // namespace
}  // namespace rizazovoz
