#include "ecusim_options.h"

#include <charconv>

#include "sim/simulated_ecu.h"

namespace rizazovoz::ecusim {

const char* const kUsage =
    "usage: ecusim [--identity XXXX] [--baud RATE] [--device PATH] [--line-echoes] [--seed N]\n"
    "  Plays the ECU behind a RUZ Interface. Without --device it opens a pseudo-terminal and\n"
    "  prints the path of its slave side, which the program opens as its serial port.\n"
    "  --identity XXXX  the ECU's two identity bytes as four hexadecimal digits (1103)\n"
    "  --baud RATE      line rate in baud, for the answer delays and a serial device (15625)\n"
    "  --device PATH    a serial device to answer on instead of a pseudo-terminal\n"
    "  --line-echoes    the line echoes every byte itself (a real shared line): do not echo\n"
    "                   and do not take our own answers for requests\n"
    "  --seed N         seed of the engine's randomness (1)\n"
    "  Runs until interrupted (SIGINT or SIGTERM).\n";

namespace {

bool ParseNumber(const std::string& text, std::uint32_t& value) {
  const char* end = text.data() + text.size();
  const auto [next, error] = std::from_chars(text.data(), end, value);
  return !text.empty() && error == std::errc() && next == end;
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
  Options options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--line-echoes") {
      options.lineEchoes = true;
    } else if (arg == "--identity" && hasValue) {
      options.identity = args[++i];
      if (!ParseIdentity(options.identity)) {
        error = "--identity wants four hexadecimal digits, not '" + options.identity + "'";
        return std::nullopt;
      }
    } else if (arg == "--baud" && hasValue) {
      if (!ParseNumber(args[++i], options.baudRate) || options.baudRate == 0) {
        error = "--baud wants a whole number of baud above 0, not '" + args[i] + "'";
        return std::nullopt;
      }
    } else if (arg == "--seed" && hasValue) {
      if (!ParseNumber(args[++i], options.seed)) {
        error = "--seed wants a whole number, not '" + args[i] + "'";
        return std::nullopt;
      }
    } else if (arg == "--device" && hasValue) {
      options.device = args[++i];
      if (options.device.empty()) {  // not a pseudo-terminal in its place
        error = "--device wants the path of a serial device";
        return std::nullopt;
      }
    } else {
      error = "unknown or incomplete option '" + arg + "'";
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace rizazovoz::ecusim
