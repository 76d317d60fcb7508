#include "command_line.h"

#include <algorithm>
#include <cctype>

namespace rizazovoz {

std::string ParseWith(CLI::App& app, std::vector<std::string> arguments) {
  // CLI11 takes the arguments last first.
  std::reverse(arguments.begin(), arguments.end());
  try {
    app.parse(arguments);
  } catch (const CLI::ParseError& error) {
    std::string reason = error.what();
    if (reason.empty()) reason = error.get_name();
    return reason;
  }
  return {};
}

CLI::Option* AddSimulateOption(CLI::App& app, std::string& identity) {
  return app.add_option("--simulate", identity)->expected(0, 1)->check([](const std::string& id) {
    std::string copy = id;
    return copy.empty() || NormaliseIdentity(copy)
               ? std::string()
               : "the ECU identity must be four hexadecimal digits, not \"" + id + "\"";
  });
}

bool NormaliseIdentity(std::string& identity) {
  if (identity.size() != 4) return false;
  for (char& ch : identity) {
    if (!std::isxdigit(static_cast<unsigned char>(ch))) return false;
    ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  }
  return true;
}

}  // namespace rizazovoz
