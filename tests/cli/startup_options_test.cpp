#include "startup_options.h"

#include <gtest/gtest.h>

namespace rizazovoz {
namespace {

TEST(StartupOptions, NoOptionMeansTheUsbPortsAndNoConnect) {
  const StartupParse parse = ParseStartupOptions({});
  EXPECT_TRUE(parse.error.empty());
  EXPECT_FALSE(parse.options.simulate);
  EXPECT_TRUE(parse.options.portPath.empty());
  EXPECT_FALSE(parse.options.connect);
}

TEST(StartupOptions, AcceptedCommandLines) {
  struct Case {
    std::vector<std::string> args;
    bool simulate;
    std::string identity;
    std::string port;
    bool connect;
  };
  const Case cases[] = {
      {{"--simulate", "--connect"}, true, "1103", "", true},
      {{"--simulate=17e2"}, true, "17E2", "", false},
      {{"--port", "/dev/pts/3", "--connect"}, false, "1103", "/dev/pts/3", true},
      {{"--port=/dev/ttyS0"}, false, "1103", "/dev/ttyS0", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.front());
    const StartupParse parse = ParseStartupOptions(c.args);
    ASSERT_TRUE(parse.error.empty()) << parse.error;
    EXPECT_EQ(parse.options.simulate, c.simulate);
    EXPECT_EQ(parse.options.simulatedIdentity, c.identity);
    EXPECT_EQ(parse.options.portPath, c.port);
    EXPECT_EQ(parse.options.connect, c.connect);
  }
  // The toolkit's own options are left to it, whatever their form.
  const StartupParse withToolkit = ParseStartupOptions(
      {"-platform", "offscreen", "--connect", "-style=fusion", "--reverse", "--display", ":1"});
  EXPECT_TRUE(withToolkit.error.empty()) << withToolkit.error;
  EXPECT_TRUE(withToolkit.options.connect);
  EXPECT_TRUE(ParseStartupOptions({"--help"}).options.help);
  EXPECT_TRUE(ParseStartupOptions({"--version"}).options.version);
}

TEST(StartupOptions, RefusedCommandLines) {
  const std::vector<std::vector<std::string>> refused = {
      {"--port"},                              // no path
      {"--port="},                             // empty path
      {"--simulate=110"},                      // three digits
      {"--simulate=11G3"},                     // not hexadecimal
      {"--simulate", "--port", "/dev/pts/1"},  // two interfaces
      {"--conect"},                            // unknown
      {"/dev/ttyUSB0"},
  };
  for (const auto& args : refused) {
    SCOPED_TRACE(args.front());
    EXPECT_FALSE(ParseStartupOptions(args).error.empty());
  }
  EXPECT_NE(StartupUsage().find("--simulate[=IDENTITY]"), std::string::npos);
}

}  // namespace
}  // namespace rizazovoz
