#include "log_options.h"

#include <gtest/gtest.h>

namespace rizazovoz {
namespace {

TEST(LogOptions, DefaultsAreTheLoggersAndTheDashboards) {
  const LogParse parse = ParseLogOptions({});
  ASSERT_TRUE(parse.error.empty()) << parse.error;
  EXPECT_EQ(parse.options.channels, (std::vector<std::string>{"RPM", "MAP", "CTS", "IAT"}));
  EXPECT_EQ(parse.options.timeBase, "10");
  EXPECT_EQ(parse.options.baudRate, "15625");
  EXPECT_FALSE(parse.options.link.simulate);
  EXPECT_TRUE(parse.options.out.empty());
}

TEST(LogOptions, AcceptedCommandLines) {
  const LogParse parse =
      ParseLogOptions({"--simulate=17e2", "--channels", "RPM,Batt Volts*10,Address7",
                       "--interval-ms", "40", "--units", "F", "--speed", "KPH", "--out", "-",
                       "--duration", "2.5", "--rows", "10", "--quiet", "--baud", "7812"});
  ASSERT_TRUE(parse.error.empty()) << parse.error;
  const LogOptions& o = parse.options;
  EXPECT_TRUE(o.link.simulate);
  EXPECT_EQ(o.link.simulatedIdentity, "17E2");
  EXPECT_EQ(o.channels, (std::vector<std::string>{"RPM", "Batt Volts*10", "Address7"}));
  EXPECT_EQ(o.intervalMs, 40);
  EXPECT_EQ(o.tempUnits, "F");
  EXPECT_EQ(o.speedUnits, "KPH");
  EXPECT_EQ(o.out, "-");
  EXPECT_EQ(o.durationSeconds, 2.5);
  EXPECT_EQ(o.rows, 10);
  EXPECT_TRUE(o.quiet);
  EXPECT_EQ(o.baudRate, "7812");
}

TEST(LogOptions, RefusedCommandLines) {
  const std::vector<std::vector<std::string>> refused = {
      {"--simulate", "--port", "/dev/ttyUSB0"},
      {"--simulate=11G3"},
      {"--interval-ms", "40", "--time-base", "10"},
      {"--units", "K"},
      {"--speed", "mph"},
      {"--sample-ms", "20"},
      {"--duration", "-1"},
      {"--rows", "abc"},
      {"--bogus"},
      {"extra"}};
  for (const auto& args : refused) {
    SCOPED_TRACE(args.front());
    EXPECT_FALSE(ParseLogOptions(args).error.empty());
  }
}

}  // namespace
}  // namespace rizazovoz
