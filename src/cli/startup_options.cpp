#include "startup_options.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "command_line.h"

namespace rizazovoz {
namespace {

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
  // The toolkit's own options are taken out first; everything else must be ours.
  std::vector<std::string> ours;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (const std::size_t toolkit = ToolkitArguments(arguments, i)) {
      i += toolkit - 1;
    } else {
      ours.push_back(arguments[i]);
    }
  }

  StartupParse result;
  StartupOptions& o = result.options;
  CLI::App app("RizazOvoz DashBoard", "rizazovoz");
  app.set_help_flag();  // --help is an option of ours, answered by the program
  std::string simulate;
  CLI::Option* simulateOption = AddSimulateOption(app, simulate);
  CLI::Option* portOption =
      app.add_option("--port", o.portPath)->type_name("PATH")->check([](const std::string& p) {
        return p.empty() ? std::string("--port needs the path of a serial port") : std::string();
      });
  app.add_flag("--connect", o.connect);
  app.add_flag("-h,--help", o.help);
  app.add_flag("--version", o.version);
  portOption->excludes(simulateOption);

  result.error = ParseWith(app, ours);
  if (!result.error.empty()) return result;
  o.simulate = simulateOption->count() > 0;
  if (!simulate.empty()) {
    NormaliseIdentity(simulate);
    o.simulatedIdentity = simulate;
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
