#pragma once
// The command line of rizazovoz-log, the logger without a screen:
//   rizazovoz-log [--port PATH | --simulate[=ID]] [--baud N] [--sample-ms N]
//                 [--channels NAME,NAME,...] [--interval-ms N | --time-base S]
//                 [--units C|F] [--speed MPH|KPH] [--flow-rate N] [--mpg-dial]
//                 [--out FILE|-] [--duration SECONDS] [--rows N] [--quiet] [--help] [--version]
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "startup_options.h"

namespace rizazovoz {

struct LogOptions {
  StartupOptions link;  // --port, --simulate
  std::string baudRate = "15625";
  int sampleMs = 100;  // the ECU is asked this often
  std::vector<std::string> channels{"RPM", "MAP", "CTS", "IAT"};
  std::optional<int> intervalMs;  // a row this often, or by the time base
  std::string timeBase = "10";
  std::string tempUnits = "C";
  std::string speedUnits = "MPH";
  int flowRate = 210;
  bool mpgDial = false;
  std::string out;  // empty: a file named by the date and time; "-": standard output
  std::optional<double> durationSeconds;
  std::optional<std::int64_t> rows;
  bool quiet = false;
  bool help = false;
  bool version = false;
};

struct LogParse {
  LogOptions options;
  std::string error;  // empty when the command line was understood
};

// `arguments` excludes the program name.
LogParse ParseLogOptions(const std::vector<std::string>& arguments);
std::string LogUsage();

}  // namespace rizazovoz
