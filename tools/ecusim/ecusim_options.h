#pragma once
// The command line of ecusim.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rizazovoz::ecusim {

struct Options {
  std::string identity = "1103";
  std::uint32_t baudRate = 15625;
  std::string device;       // empty: a new pseudo-terminal
  bool lineEchoes = false;  // a real shared line echoes: do not echo, ignore our own answers
  std::uint32_t seed = 1;
  bool help = false;
};

// Nothing, with the reason in error, for a command line that cannot be used.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

extern const char* const kUsage;

}  // namespace rizazovoz::ecusim
