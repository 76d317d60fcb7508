#pragma once
// The program's command line:
//   rizazovoz [--simulate[=IDENTITY]] [--port PATH] [--connect] [--help] [--version]
// --simulate puts a simulated interface and ECU in place of the USB ports, --port lists one
// serial port as the interface, --connect issues the connect command at start-up.
#include <string>
#include <vector>

namespace rizazovoz {

struct StartupOptions {
  bool simulate = false;
  std::string simulatedIdentity = "1103";  // four upper-case hexadecimal digits
  std::string portPath;                    // empty: the USB serial ports only
  bool connect = false;
  bool help = false;
  bool version = false;
};

struct StartupParse {
  StartupOptions options;
  std::string error;  // empty when the command line was understood
};

// `arguments` excludes the program name. The windowing toolkit's own options (-platform
// offscreen, -style=fusion, --reverse, ...) are passed over.
StartupParse ParseStartupOptions(const std::vector<std::string>& arguments);

std::string StartupUsage();

}  // namespace rizazovoz
