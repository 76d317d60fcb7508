// Processor use of the whole program while it runs connected to the simulated ECU at the
// default sample interval: every window (off-screen unless a display is chosen), their
// timers, the ECU conversation, the decoders and the link thread, all in this process. Prints
// the share of one core used over the measured span (default 30 s, first argument in
// seconds). With "logging" as the second argument the data logger is shown and records at
// its fastest time base (40 ms) into a temporary folder meanwhile.
#include <sys/resource.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "program_windows.h"
#include "sim/simulated_device_library.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void RunEventLoopFor(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
  const bool logging = argc > 2 && std::strcmp(argv[2], "logging") == 0;
  QApplication app(argc, argv);
  rizazovoz::SimulatedDeviceLibrary devices("1103");
  // Settings in a folder of its own: the figures are for the defaults.
  QTemporaryDir folder;
  rizazovoz::ProgramWindowsSetup setup;
  setup.settingsPath = QDir(folder.path()).filePath("bin/kelvodash.ini").toStdString();
  rizazovoz::ProgramWindows windows(devices, setup);
  rizazovoz::TDashBoardForm& form = windows.dashboard();
  form.show();
  form.Connect1Click();

  QElapsedTimer connecting;
  connecting.start();
  while (form.session().connectionState() != "Connected to ECU" && connecting.elapsed() < 5000) {
    RunEventLoopFor(50);
  }
  if (form.session().connectionState() != "Connected to ECU") {
    std::fprintf(stderr, "not connected after 5 s\n");
    return 1;
  }
  RunEventLoopFor(1000);  // let the first reading cycle settle
  rizazovoz::TDataLoggerForm& logger = windows.dataLogger();
  if (logging) {
    logger.SetLogPath(folder.path());
    logger.Present();
    auto* timeBase = logger.findChild<QComboBox*>("GrT_Sel_T_Combo");
    timeBase->setCurrentIndex(timeBase->findText("1"));
    emit timeBase->activated(timeBase->currentIndex());
    logger.findChild<QPushButton*>("DL_Start_Button")->click();
  }

  const std::uint32_t ticksBefore = form.session().poller().tickCount();
  const double cpuBefore = CpuSeconds();
  QElapsedTimer wall;
  wall.start();
  RunEventLoopFor(seconds * 1000);
  const double cpu = CpuSeconds() - cpuBefore;
  const double elapsed = wall.nsecsElapsed() / 1e9;

  std::printf("platform            %s\n", qPrintable(QGuiApplication::platformName()));
  std::printf("measured            %.1f s connected to the simulated ECU 1103%s\n", elapsed,
              logging ? ", logging at 40 ms" : "");
  if (logging) std::printf("logger samples      %u\n", logger.logger().SampleCount());
  std::printf("timer ticks         %u (%.1f per s)\n",
              form.session().poller().tickCount() - ticksBefore,
              (form.session().poller().tickCount() - ticksBefore) / elapsed);
  std::printf("missed answers      %d\n", form.session().poller().rxErrorCount());
  std::printf("engine speed now    %d rpm\n", form.session().values().engineSpeed);
  std::printf("processor time      %.3f s\n", cpu);
  std::printf("share of one core   %.2f %%\n", 100.0 * cpu / elapsed);
  return 0;
}
