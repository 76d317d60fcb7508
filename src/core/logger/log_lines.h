#pragma once
// The lines of a log file, as the window's recorder and rizazovoz-log both write them: three
// header lines, then one row per sample, every line ending in CR LF, cells separated by ","
// with no quoting, and '.' as the decimal separator whatever the locale.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "livedata/live_values.h"
#include "logger/parameter_table.h"

namespace rizazovoz {

// "Ostrand log file", "Time,<date and time>", "Elapsed Time (ms),<channel>,...".
std::string LogHeaderText(std::string_view dateTimeText, std::span<const std::string> channels);

// Appends "<elapsed>,<cell>,..." and CR LF.
void AppendLogRow(std::string& text, std::int64_t elapsedMs, std::span<const Channel> channels,
                  const LiveValues& values);

}  // namespace rizazovoz
