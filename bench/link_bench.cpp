// Figures of the link thread on the Linux serial ports, run against a pseudo-terminal behind
// a fixture sysfs tree: CPU use while open and idle (beside a loop that never waits), the
// time from a byte arriving at the port to TakeBytes, and the time to notice an unplug.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "../tests/support/serial_port_fixture.h"
#include "transport/d2xx_thread.h"
#include "transport/serial_device_library.h"

namespace rizazovoz {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  while (!condition()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::yield();
  }
  return true;
}

// One port "RUZ Interface" on a pseudo-terminal, its library and an open link thread.
struct OpenLink {
  explicit OpenLink(LinkThreadTiming timing = {}) {
    ports.AddPort(0, "RUZ Interface");
    SerialPortOptions options;
    options.sysfsRoot = ports.SysfsRoot();
    options.devDir = ports.DevDir();
    library = std::make_unique<SerialDeviceLibrary>(options);
    link = std::make_unique<TD2xxThread>(*library, timing);
    link->RequestOpen("7812");
    if (!WaitFor([&] { return link->IsOpen(); }, 3000ms)) {
      std::fprintf(stderr, "the port did not open\n");
      std::exit(1);
    }
  }
  SerialPortFixture ports;
  std::unique_ptr<SerialDeviceLibrary> library;
  std::unique_ptr<TD2xxThread> link;
};

double IdleCpuPercent(LinkThreadTiming timing, std::chrono::seconds span) {
  OpenLink open(timing);
  const double cpuBefore = CpuSeconds();
  const auto wallBefore = Clock::now();
  std::this_thread::sleep_for(span);
  const double cpu = CpuSeconds() - cpuBefore;
  const double wall = std::chrono::duration<double>(Clock::now() - wallBefore).count();
  return 100.0 * cpu / wall;
}

// The interface listed but not asked open: the thread only reads the device list.
double ClosedCpuPercent(std::chrono::seconds span) {
  SerialPortFixture ports;
  ports.AddPort(0, "RUZ Interface");
  SerialPortOptions options;
  options.sysfsRoot = ports.SysfsRoot();
  options.devDir = ports.DevDir();
  SerialDeviceLibrary library(options);
  TD2xxThread link(library);
  const double cpuBefore = CpuSeconds();
  const auto wallBefore = Clock::now();
  std::this_thread::sleep_for(span);
  const double cpu = CpuSeconds() - cpuBefore;
  const double wall = std::chrono::duration<double>(Clock::now() - wallBefore).count();
  return 100.0 * cpu / wall;
}

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

void Latency() {
  OpenLink open;
  std::vector<double> delays;
  std::uint8_t buffer[kRingCapacity];
  for (int i = 0; i < 1000; ++i) {
    // Arrivals at uneven moments, so that they meet the thread in every phase of its pass.
    std::this_thread::sleep_for(std::chrono::microseconds(300 + (i * 7919) % 3000));
    const auto sent = Clock::now();
    open.ports.Send(0, {static_cast<std::uint8_t>(i)});
    if (!WaitFor([&] { return open.link->TakeBytes(buffer) == 1; }, 1000ms) ||
        buffer[0] != static_cast<std::uint8_t>(i)) {
      std::fprintf(stderr, "byte %d lost\n", i);
      std::exit(1);
    }
    delays.push_back(Milliseconds(Clock::now() - sent));
  }
  std::sort(delays.begin(), delays.end());
  std::printf("port to TakeBytes, 1000 bytes: median %.3f ms, worst %.3f ms\n", delays[500],
              delays.back());
}

void Unplug(const char* what, void (SerialPortFixture::*pull)(int)) {
  std::vector<double> delays;
  for (int i = 0; i < 20; ++i) {
    OpenLink open;
    std::this_thread::sleep_for(std::chrono::microseconds(1000 + i * 1700));
    const auto pulled = Clock::now();
    (open.ports.*pull)(0);
    if (!WaitFor([&] { return !open.link->IsOpen() && open.link->StatusText() == "No Interface"; },
                 3000ms)) {
      std::fprintf(stderr, "%s not noticed\n", what);
      std::exit(1);
    }
    delays.push_back(Milliseconds(Clock::now() - pulled));
  }
  std::sort(delays.begin(), delays.end());
  std::printf("%s noticed (closed, \"No Interface\"), 20 times: median %.3f ms, worst %.3f ms\n",
              what, delays[10], delays.back());
}

}  // namespace
}  // namespace rizazovoz

int main() {
  using namespace rizazovoz;
  std::printf("open and idle, 5 s: link thread %.3f %% of one core; ",
              IdleCpuPercent(LinkThreadTiming{}, std::chrono::seconds(5)));
  std::printf("the same with no wait between passes: %.1f %%\n",
              IdleCpuPercent(LinkThreadTiming{0ms, 0ms, 0ms, 500ms}, std::chrono::seconds(2)));
  std::printf("listed, not open, 5 s: link thread %.3f %% of one core\n",
              ClosedCpuPercent(std::chrono::seconds(5)));
  std::fflush(stdout);
  Latency();
  Unplug("hang-up", &SerialPortFixture::HangUp);
  Unplug("removal from sysfs", &SerialPortFixture::RemoveFromSysfs);
  return 0;
}
