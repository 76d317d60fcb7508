// Figures of the data logger for a 10-hour recording at the fastest time base (40 ms, 900,000
// rows of four channels): the memory the recording holds, the processor time of one sampling
// tick (values, labels, graphs, the row and its hand-off to the journal), and the time Stop
// takes to write the file. Runs in a fresh folder below the temporary folder.
#include <malloc.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "logger/data_logger.h"

namespace {

using namespace rizazovoz;
namespace fs = std::filesystem;

constexpr int kRows = 900'000;

double Seconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Allocated bytes, both in the heap and in blocks of their own (large blocks are mapped).
double HeapMegabytes() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd) / 1e6;
}

double ResidentMegabytes() {
  long pages = 0;
  long resident = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

// An engine running through its range, so that cells have their usual widths.
LiveValues Sample(int n) {
  LiveValues v;
  v.engineSpeed = 800 + (n * 37) % 5700;
  v.mapPressure = 300 + (n * 11) % 714;
  v.coolantTemp = 80.0f + static_cast<float>(n % 200) * 0.1f;
  v.airTemp = 20.0f + static_cast<float>(n % 90) * 0.1f;
  v.batteryVolts = 13.0f + static_cast<float>(n % 15) * 0.1f;
  v.stft = {-12.5f + static_cast<float>(n % 250) * 0.1f, 0.0f};
  v.o2Volts = {static_cast<float>(n % 90) * 0.01f, 0.0f};
  v.tpsVolts = static_cast<float>(n % 450) * 0.01f;
  return v;
}

void Run(const char* title, const std::array<const char*, 4>& channels) {
  char pattern[] = "/tmp/rizazovoz-logger-bench-XXXXXX";
  if (mkdtemp(pattern) == nullptr) {
    std::perror("mkdtemp");
    std::exit(1);
  }
  const fs::path folder = pattern;

  std::vector<double> tickCpu;  // the measurement's own memory, before the figures start
  tickCpu.reserve(kRows);
  const double heapBefore = HeapMegabytes();
  const double rssBefore = ResidentMegabytes();
  {
    DataLogger logger;
    logger.SetLogPath(folder.string());
    (void)logger.ApplyTimeBase("1");  // 40 ms
    for (std::size_t n = 0; n < channels.size(); ++n) logger.SetChannel(n, channels[n]);
    DataLogger::TimePoint now{};
    logger.Start("11/12/2026 16:45:00");

    const double processCpuBefore = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    double ticksCpu = 0;
    std::size_t labels = 0;
    for (int n = 0; n < kRows; ++n) {
      const LiveValues values = Sample(n);
      now += std::chrono::milliseconds(40);
      const double before = Seconds(CLOCK_THREAD_CPUTIME_ID);
      const std::optional<TickTexts> texts = logger.Tick(values, now, ',');
      const double spent = Seconds(CLOCK_THREAD_CPUTIME_ID) - before;
      ticksCpu += spent;
      tickCpu.push_back(spent);
      labels += texts->times[0].size();
    }
    const double writerCpu = Seconds(CLOCK_PROCESS_CPUTIME_ID) - processCpuBefore - ticksCpu;
    const double heapRecorded = HeapMegabytes();
    const double rssRecorded = ResidentMegabytes();

    const auto stopStart = std::chrono::steady_clock::now();
    const StopOutcome stopped = logger.Stop();
    const double stopSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - stopStart).count();
    if (stopped.error) std::printf("Stop failed: %s\n", stopped.error->c_str());

    std::sort(tickCpu.begin(), tickCpu.end());
    const auto quantile = [&](double q) {
      return tickCpu[static_cast<std::size_t>(q * static_cast<double>(tickCpu.size() - 1))] * 1e3;
    };
    std::error_code ignored;
    std::printf("%s: %s, %s, %s, %s\n", title, channels[0], channels[1], channels[2], channels[3]);
    std::printf("  rows %d, file %.1f MB (%s)\n", kRows,
                static_cast<double>(fs::file_size(stopped.file, ignored)) / 1e6,
                labels > 0 ? "ok" : "?");
    std::printf(
        "  memory growth while recording: allocated %.1f MB, resident %.1f MB  (limit 60)\n",
        heapRecorded - heapBefore, rssRecorded - rssBefore);
    // The largest figures include the time the virtual machine's processor was taken away.
    std::printf(
        "  tick processor time: mean %.4f ms, median %.4f, p99 %.4f, p99.9 %.4f, "
        "max %.4f  (limit 0.5)\n",
        ticksCpu / kRows * 1e3, quantile(0.5), quantile(0.99), quantile(0.999), quantile(1.0));
    std::printf("  journal writer thread: %.2f s processor time over the run\n", writerCpu);
    std::printf("  Stop writing the file: %.3f s  (limit 1)\n", stopSeconds);
  }
  fs::remove_all(folder);
}

}  // namespace

int main() {
  Run("default channels", {"RPM", "MAP", "CTS", "IAT"});
  Run("wide cells", {"Batt Volts*10", "STFT B1", "O2 Sensor B1", "TPS(Volts)"});
  return 0;
}
