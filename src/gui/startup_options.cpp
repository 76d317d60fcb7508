#include "startup_options.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

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

// Options the windowing toolkit takes for itself, with one dash or two. They are passed over,
// so that the program's own options are checked before any window (or display) is needed.
constexpr std::array<std::string_view, 24> kToolkitOptionsWithValue = {"platform",
                                                                       "platformpluginpath",
                                                                       "platformtheme",
                                                                       "plugin",
                                                                       "qwindowgeometry",
                                                                       "qwindowicon",
                                                                       "qwindowtitle",
                                                                       "session",
                                                                       "style",
                                                                       "stylesheet",
                                                                       "display",
                                                                       "geometry",
                                                                       "title",
                                                                       "name",
                                                                       "visual",
                                                                       "ncols",
                                                                       "cmap",
                                                                       "fn",
                                                                       "font",
                                                                       "bg",
                                                                       "fg",
                                                                       "btn",
                                                                       "im",
                                                                       "inputstyle"};
constexpr std::array<std::string_view, 6> kToolkitFlags = {
    "reverse", "widgetcount", "nograb", "dograb", "sync", "qmljsdebugger"};

// How many arguments from `i` on are the toolkit's: 0 when arguments[i] is not one of its.
std::size_t ToolkitArguments(const std::vector<std::string>& arguments, std::size_t i) {
  std::string_view arg = arguments[i];
  if (!arg.starts_with('-')) return 0;
  arg.remove_prefix(arg.starts_with("--") ? 2 : 1);
  const std::size_t equals = arg.find('=');
  const std::string_view name = arg.substr(0, equals);
  const auto listed = [&](const auto& list) {
    return std::find(list.begin(), list.end(), name) != list.end();
  };
  if (listed(kToolkitFlags)) return 1;
  if (!listed(kToolkitOptionsWithValue)) return 0;
  if (equals != std::string_view::npos) return 1;
  return i + 1 < arguments.size() ? 2 : 1;
}

}  // namespace

StartupParse ParseStartupOptions(const std::vector<std::string>& arguments) {
  StartupParse result;
  StartupOptions& o = result.options;
  bool portGiven = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    if (const std::size_t toolkit = ToolkitArguments(arguments, i)) {
      i += toolkit - 1;
    } else if (arg == "--connect") {
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
