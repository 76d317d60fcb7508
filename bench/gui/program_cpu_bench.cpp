// Processor use of the whole program while it runs connected to the simulated ECU at the
// default sample interval: the dashboard (off-screen unless a display is chosen), its timer,
// the ECU conversation, the decoders and the link thread, all in this process. Prints the
// share of one core used over the measured span (default 30 s, first argument in seconds).
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "dashboard_form.h"
#include "sim/simulated_device_library.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void RunEventLoopFor(int milliseconds) {
  QTimer::singleShot(milliseconds, qApp, &QCoreApplication::quit);
  QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
  QApplication app(argc, argv);
  rizazovoz::SimulatedDeviceLibrary devices("1103");
  // No settings file: the figures are for the defaults, whatever the working folder holds.
  rizazovoz::TDashBoardForm form(devices, std::filesystem::path{});
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

  const std::uint32_t ticksBefore = form.session().poller().tickCount();
  const double cpuBefore = CpuSeconds();
  QElapsedTimer wall;
  wall.start();
  RunEventLoopFor(seconds * 1000);
  const double cpu = CpuSeconds() - cpuBefore;
  const double elapsed = wall.nsecsElapsed() / 1e9;

  std::printf("platform            %s\n", qPrintable(QGuiApplication::platformName()));
  std::printf("measured            %.1f s connected to the simulated ECU 1103\n", elapsed);
  std::printf("timer ticks         %u (%.1f per s)\n",
              form.session().poller().tickCount() - ticksBefore,
              (form.session().poller().tickCount() - ticksBefore) / elapsed);
  std::printf("missed answers      %d\n", form.session().poller().rxErrorCount());
  std::printf("engine speed now    %d rpm\n", form.session().values().engineSpeed);
  std::printf("processor time      %.3f s\n", cpu);
  std::printf("share of one core   %.2f %%\n", 100.0 * cpu / elapsed);
  return 0;
}
