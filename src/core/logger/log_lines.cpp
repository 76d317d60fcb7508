#include "logger/log_lines.h"

#include "text/number_format.h"

namespace rizazovoz {

std::string LogHeaderText(std::string_view dateTimeText, std::span<const std::string> channels) {
  std::string header = "Ostrand log file\r\nTime,";
  header += dateTimeText;
  header += "\r\nElapsed Time (ms)";
  for (const std::string& channel : channels) {
    header += ',';
    header += channel;
  }
  header += "\r\n";
  return header;
}

void AppendLogRow(std::string& text, std::int64_t elapsedMs, std::span<const Channel> channels,
                  const LiveValues& values) {
  text += formatInteger(elapsedMs);
  for (const Channel& channel : channels) {
    text += ',';
    text += channel.Cell(values);
  }
  text += "\r\n";
}

}  // namespace rizazovoz
