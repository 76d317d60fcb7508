#include "startup_options.h"

#include <cctype>

namespace rizazovoz {
namespace {

constexpr std::string_view kSimulate = "--simulate";
constexpr std::string_view kPort = "--port";

// An identity as the ECU sends it: two bytes written as four hexadecimal digits.
bool NormaliseIdentity(std::string& identity) {
  if (identity.size() != 4) return false;
  for (char& ch : identity) {
    if (!std::isxdigit(static_cast<unsigned char>(ch))) return false;
    ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  }
  return true;
}

}  // namespace

StartupParse ParseStartupOptions(const std::vector<std::string>& arguments) {
  StartupParse result;
  StartupOptions& o = result.options;
  bool portGiven = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    if (arg == "--connect") {
      o.connect = true;
    } else if (arg == "--help" || arg == "-h") {
      o.help = true;
    } else if (arg == "--version") {
      o.version = true;
    } else if (arg == kSimulate) {
      o.simulate = true;
    } else if (arg.starts_with(std::string(kSimulate) + "=")) {
      o.simulate = true;
      o.simulatedIdentity = arg.substr(kSimulate.size() + 1);
      if (!NormaliseIdentity(o.simulatedIdentity)) {
        result.error = "--simulate: the ECU identity must be four hexadecimal digits, not \"" +
                       arg.substr(kSimulate.size() + 1) + "\"";
        return result;
      }
    } else if (arg == kPort || arg.starts_with(std::string(kPort) + "=")) {
      if (arg == kPort) {
        if (i + 1 >= arguments.size()) {
          result.error = "--port needs the path of a serial port";
          return result;
        }
        o.portPath = arguments[++i];
      } else {
        o.portPath = arg.substr(kPort.size() + 1);
      }
      portGiven = true;
      if (o.portPath.empty()) {
        result.error = "--port needs the path of a serial port";
        return result;
      }
    } else {
      result.error = "unknown option \"" + arg + "\"";
      return result;
    }
  }
  if (o.simulate && portGiven) {
    result.error = "--simulate and --port each choose the interface: give one of them";
  }
  return result;
}

std::string StartupUsage() {
  return "Usage: rizazovoz [--simulate[=IDENTITY]] [--port PATH] [--connect] [--help] "
         "[--version]\n"
         "  --simulate[=IDENTITY]  a simulated interface and ECU (identity 1103 by default)\n"
         "                         in place of the USB serial ports\n"
         "  --port PATH            list the serial port PATH as the interface\n"
         "  --connect              connect to the ECU at start-up\n"
         "  --help                 show this text\n"
         "  --version              show the program's version\n";
}

}  // namespace rizazovoz
