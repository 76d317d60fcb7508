// rizazovoz-log: the logger without a screen. It finds the interface (or takes --port or
// --simulate), connects, waits for the ECU to name itself, and writes the logger's CSV rows
// as they come, until --duration, --rows, SIGINT or SIGTERM ends the run with a complete
// file. The conversation, the decoding and the cells are the window program's own code.
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "headless_views.h"
#include "livedata/dashboard_readouts.h"
#include "log_options.h"
#include "log_output.h"
#include "logger/date_time_text.h"
#include "logger/log_lines.h"
#include "logger/time_base.h"
#include "program_devices.h"
#include "protocol/ecu_session.h"
#include "transport/d2xx_thread.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
using rizazovoz::LogOptions;

constexpr auto kTick = 50ms;              // the poller's timer, as in the window
constexpr auto kConnectPatience = 8s;     // no interface, or no answer, for this long: give up
constexpr auto kReconnectPatience = 20s;  // a lost link not back after this long: give up
constexpr auto kStatusEvery = 250ms;
constexpr auto kFlushEvery = 1s;

std::atomic<bool> stopRequested{false};

void OnStopSignal(int) { stopRequested.store(true); }

void CatchStopSignals() {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

std::string Elapsed(Clock::duration d) {
  const auto s = std::chrono::duration_cast<std::chrono::seconds>(d).count();
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(s / 3600),
                static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
  return text;
}

int Usage(const std::string& error) {
  std::fprintf(stderr, "rizazovoz-log: %s\n%s", error.c_str(), rizazovoz::LogUsage().c_str());
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  const rizazovoz::LogParse parse =
      rizazovoz::ParseLogOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parse.error.empty()) return Usage(parse.error);
  const LogOptions& o = parse.options;
  if (o.help) {
    std::fputs(rizazovoz::LogUsage().c_str(), stdout);
    return 0;
  }
  if (o.version) {
    std::puts("rizazovoz-log 1.4");
    return 0;
  }
  std::int32_t intervalMs = 0;
  if (o.intervalMs) {
    intervalMs = *o.intervalMs;
  } else if (const auto fromTimeBase = rizazovoz::SampleIntervalFor(o.timeBase, 25)) {
    intervalMs = *fromTimeBase;
  } else {
    return Usage("--time-base takes a whole number of seconds from 1 to 3600, not \"" + o.timeBase +
                 "\"");
  }

  std::unique_ptr<rizazovoz::DeviceLibrary> devices = rizazovoz::MakeDeviceLibrary(o.link);
  rizazovoz::TD2xxThread link(*devices);
  rizazovoz::DisplaySettings display;
  display.tempUnits = o.tempUnits;
  display.speedUnits = o.speedUnits;
  display.mpgDial = o.mpgDial ? "MPG" : "IAC";
  display.flowRate = o.flowRate;
  rizazovoz::HeadlessViews views;
  rizazovoz::DashboardReadouts readouts;  // nothing to show them on
  rizazovoz::EcuSession session(link, display, readouts, views, views, views, views);
  if (session.ChangeBaudRate(o.baudRate) != rizazovoz::BaudRateChange::kApplied) {
    return Usage("--baud: \"" + o.baudRate + "\" is not a baud rate the interface can use");
  }
  session.SetSampleInterval(o.sampleMs);
  const std::vector<rizazovoz::Channel> channels(o.channels.begin(), o.channels.end());

  rizazovoz::LogOutput output;
  if (std::string error = output.Open(o.out); !error.empty()) {
    std::fprintf(stderr, "rizazovoz-log: %s\n", error.c_str());
    return 1;
  }
  CatchStopSignals();
  const bool status = !o.quiet && isatty(STDERR_FILENO);

  session.Connect();
  const Clock::time_point start = Clock::now();
  Clock::time_point nextTick = start;
  Clock::time_point nextRow{};
  Clock::time_point lastFlush = start;
  Clock::time_point lastStatus{};
  Clock::time_point lostSince{};
  Clock::time_point logStart{};
  bool logging = false;
  std::int64_t rows = 0;
  std::int64_t elapsedMs = 0;
  int exitCode = 0;
  std::string row;

  while (!stopRequested.load()) {
    const Clock::time_point wake = logging ? std::min(nextTick, nextRow) : nextTick;
    std::this_thread::sleep_until(wake);
    const Clock::time_point now = Clock::now();
    if (now >= nextTick) {
      session.Tick();
      nextTick += kTick;
      if (nextTick < now) nextTick = now + kTick;  // fell behind: no burst of catching up
    }
    const bool connected = session.connected();
    if (!logging) {
      if (connected) {
        logging = true;
        logStart = now;
        nextRow = now + std::chrono::milliseconds(intervalMs);
        output.Write(
            rizazovoz::LogHeaderText(rizazovoz::LocalDateTimeText(std::time(nullptr)), o.channels));
      } else if (now - start > kConnectPatience) {
        std::fprintf(stderr, "%srizazovoz-log: %s\n", status ? "\n" : "",
                     link.StatusText() == "No Interface"
                         ? "no interface found: is the cable plugged in? (--port PATH names it)"
                         : "the ECU does not answer: is the ignition on, the baud rate right?");
        exitCode = 1;
        break;
      }
    } else {
      if (connected) {
        lostSince = {};
      } else if (lostSince == Clock::time_point{}) {
        lostSince = now;
      } else if (now - lostSince > kReconnectPatience) {
        std::fprintf(stderr, "%srizazovoz-log: the link to the ECU was lost\n", status ? "\n" : "");
        exitCode = 1;
        break;
      }
      // One row per interval on the nominal time line, as the window's logger counts it.
      while (now >= nextRow) {
        elapsedMs += intervalMs;
        row.clear();
        rizazovoz::AppendLogRow(row, elapsedMs, channels, session.values());
        output.Write(row);
        ++rows;
        nextRow += std::chrono::milliseconds(intervalMs);
        if (o.rows && rows >= *o.rows) break;
      }
      if (now - lastFlush >= kFlushEvery) {
        output.Flush();
        lastFlush = now;
      }
      if ((o.rows && rows >= *o.rows) ||
          (o.durationSeconds &&
           now - logStart >= std::chrono::duration<double>(*o.durationSeconds))) {
        break;
      }
    }
    if (status && now - lastStatus >= kStatusEvery) {
      lastStatus = now;
      std::fprintf(stderr, "\r%-18s  rows %-8lld  %-18s  %s ",
                   std::string(session.connectionState()).c_str(), static_cast<long long>(rows),
                   views.errors.c_str(), Elapsed(now - start).c_str());
      std::fflush(stderr);
    }
  }
  if (status) std::fputc('\n', stderr);
  session.CloseLink();
  if (std::string error = output.Close(); !error.empty()) {
    std::fprintf(stderr, "rizazovoz-log: %s\n", error.c_str());
    return 1;
  }
  return exitCode;
}
