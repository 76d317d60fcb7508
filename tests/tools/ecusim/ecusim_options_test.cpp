#include "ecusim_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rizazovoz::ecusim {
namespace {

TEST(EcusimOptions, EveryOptionTakesEffect) {
  std::string error;
  const auto options = ParseOptions({"--identity", "17e2", "--baud", "7812", "--device",
                                     "/dev/ttyUSB1", "--line-echoes", "--seed", "42"},
                                    error);
  ASSERT_TRUE(options.has_value()) << error;
  EXPECT_EQ(options->identity, "17e2");
  EXPECT_EQ(options->baudRate, 7812u);
  EXPECT_EQ(options->device, "/dev/ttyUSB1");
  EXPECT_TRUE(options->lineEchoes);
  EXPECT_EQ(options->seed, 42u);

  const auto defaults = ParseOptions({}, error);
  ASSERT_TRUE(defaults.has_value());
  EXPECT_EQ(defaults->identity, "1103");
  EXPECT_EQ(defaults->baudRate, 15625u);
  EXPECT_TRUE(defaults->device.empty());  // a pseudo-terminal
}

TEST(EcusimOptions, RefusedCommandLinesSayWhy) {
  const std::vector<std::vector<std::string>> refused = {
      {"--identity", "110"},                                               // three digits
      {"--identity"},                                                      // no value
      {"--baud", "0"},       {"--baud", "-5"}, {"--baud", "99999999999"},  // beyond 32 bits
      {"--seed", "x"},       {"--device", ""},  // would run on a pseudo-terminal instead of the
                                                // device
      {"--verbose"},
  };
  for (const auto& args : refused) {
    SCOPED_TRACE(args.front() + (args.size() > 1 ? " '" + args[1] + "'" : ""));
    std::string error;
    EXPECT_FALSE(ParseOptions(args, error).has_value());
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace rizazovoz::ecusim
