// The command lines of the program and of ecusim under arbitrary arguments: the input is split
// at NUL bytes into the arguments (no NUL: one argument; empty: none).
//
// Checked: a refused command line says why; an accepted one gives usable options (one
// interface, a four-digit identity, a baud rate above 0), and those options written out as a
// command line read back the same.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ecusim_options.h"
#include "fuzz_input.h"
#include "log_options.h"
#include "sim/simulated_ecu.h"
#include "startup_options.h"

namespace rizazovoz::fuzz {
namespace {

std::vector<std::string> SplitAtNul(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> arguments;
  if (size == 0) return arguments;
  const char* const text = reinterpret_cast<const char*>(data);
  std::size_t start = 0;
  for (std::size_t i = 0; i <= size; ++i) {
    if (i == size || text[i] == '\0') {
      arguments.emplace_back(text + start, i - start);
      start = i + 1;
    }
  }
  return arguments;
}

bool SameOptions(const StartupOptions& a, const StartupOptions& b) {
  return a.simulate == b.simulate && a.simulatedIdentity == b.simulatedIdentity &&
         a.portPath == b.portPath && a.connect == b.connect && a.help == b.help &&
         a.version == b.version;
}

bool SameOptions(const ecusim::Options& a, const ecusim::Options& b) {
  return a.identity == b.identity && a.baudRate == b.baudRate && a.device == b.device &&
         a.lineEchoes == b.lineEchoes && a.seed == b.seed && a.help == b.help;
}

void CheckStartupOptions(const std::vector<std::string>& arguments) {
  const StartupParse parse = ParseStartupOptions(arguments);
  if (!parse.error.empty()) return;
  const StartupOptions& options = parse.options;
  FUZZ_CHECK(!(options.simulate && !options.portPath.empty()));
  FUZZ_CHECK(options.simulatedIdentity.size() == 4);
  for (const char ch : options.simulatedIdentity) {
    FUZZ_CHECK((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F'));
  }

  std::vector<std::string> again;
  if (options.simulate) again.push_back("--simulate=" + options.simulatedIdentity);
  // One argument, so that a path that starts with "-" still reads as the path.
  if (!options.portPath.empty()) again.push_back("--port=" + options.portPath);
  if (options.connect) again.push_back("--connect");
  if (options.help) again.push_back("--help");
  if (options.version) again.push_back("--version");
  const StartupParse reread = ParseStartupOptions(again);
  FUZZ_CHECK(reread.error.empty());
  FUZZ_CHECK(SameOptions(reread.options, options));
}

void CheckLogOptions(const std::vector<std::string>& arguments) {
  const LogParse parse = ParseLogOptions(arguments);
  if (!parse.error.empty()) return;
  const LogOptions& options = parse.options;
  FUZZ_CHECK(!(options.link.simulate && !options.link.portPath.empty()));
  FUZZ_CHECK(!options.channels.empty());
  FUZZ_CHECK(options.sampleMs >= 50);
  FUZZ_CHECK(!options.intervalMs || *options.intervalMs >= 1);
}

void CheckEcusimOptions(const std::vector<std::string>& arguments) {
  std::string error;
  const std::optional<ecusim::Options> options = ecusim::ParseOptions(arguments, error);
  if (!options) {
    FUZZ_CHECK(!error.empty());
    return;
  }
  FUZZ_CHECK(ParseIdentity(options->identity).has_value());
  FUZZ_CHECK(options->baudRate > 0);

  std::vector<std::string> again = {"--identity", options->identity,
                                    "--baud",     std::to_string(options->baudRate),
                                    "--seed",     std::to_string(options->seed)};
  if (!options->device.empty()) {
    again.push_back("--device");
    again.push_back(options->device);
  }
  if (options->lineEchoes) again.push_back("--line-echoes");
  if (options->help) again.push_back("--help");
  std::string rereadError;
  const std::optional<ecusim::Options> reread = ecusim::ParseOptions(again, rereadError);
  FUZZ_CHECK(reread.has_value() && rereadError.empty());
  FUZZ_CHECK(SameOptions(*reread, *options));
}

}  // namespace
}  // namespace rizazovoz::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> arguments = rizazovoz::fuzz::SplitAtNul(data, size);
  rizazovoz::fuzz::CheckStartupOptions(arguments);
  rizazovoz::fuzz::CheckEcusimOptions(arguments);
  rizazovoz::fuzz::CheckLogOptions(arguments);
  return 0;
}
