// rizazovoz-log as a user runs it: against ecusim on a pseudo-terminal, and stopped by
// SIGTERM in the middle of a run.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ecusim_process.h"

namespace rizazovoz {
namespace {

#if defined(RIZAZOVOZ_ECUSIM_PATH) && defined(RIZAZOVOZ_LOG_PATH)

// Runs rizazovoz-log with the arguments in `folder`; its pid.
pid_t StartLogger(const std::vector<std::string>& args, const std::filesystem::path& folder) {
  std::vector<std::string> all = {RIZAZOVOZ_LOG_PATH};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : all) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

int ExitStatus(pid_t pid) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) {
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  return -1;
}

std::vector<std::string> CsvLines(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  const std::string all = text.str();
  std::vector<std::string> lines;
  std::size_t begin = 0;
  for (std::size_t end; (end = all.find("\r\n", begin)) != std::string::npos; begin = end + 2) {
    lines.push_back(all.substr(begin, end - begin));
  }
  EXPECT_EQ(begin, all.size()) << "the file ends inside a line";
  return lines;
}

std::vector<double> Cells(const std::string& row) {
  std::vector<double> cells;
  std::stringstream fields(row);
  for (std::string field; std::getline(fields, field, ',');) {
    std::size_t used = 0;
    cells.push_back(std::stod(field, &used));
    EXPECT_EQ(used, field.size()) << "not a number: " << field;
  }
  return cells;
}

class RizazovozLog : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/rizazovoz-log-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    slave_ = ecusim_.FirstLine();
    ASSERT_FALSE(slave_.empty());
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  EcusimProcess ecusim_{{"--identity", "1103"}};
  std::string slave_;
  std::filesystem::path folder_;
};

TEST_F(RizazovozLog, LogsTheSimulatedEcusValuesAsTheLoggersCsv) {
  const pid_t pid =
      StartLogger({"--port", slave_, "--interval-ms", "100", "--rows", "20", "--channels",
                   "RPM,CTS,Batt Volts*10,Address0", "--out", "drive.csv", "--quiet"},
                  folder_);
  ASSERT_GT(pid, 0);
  ASSERT_EQ(ExitStatus(pid), 0);
  const std::vector<std::string> lines = CsvLines(folder_ / "drive.csv");
  ASSERT_EQ(lines.size(), 3u + 20u);
  EXPECT_EQ(lines[0], "Ostrand log file");
  EXPECT_EQ(lines[1].rfind("Time,", 0), 0u);
  EXPECT_EQ(lines[2], "Elapsed Time (ms),RPM,CTS,Batt Volts*10,Address0");
  for (std::size_t i = 3; i < lines.size(); ++i) {
    SCOPED_TRACE(lines[i]);
    const std::vector<double> cells = Cells(lines[i]);
    ASSERT_EQ(cells.size(), 5u);
    EXPECT_EQ(cells[0], 100.0 * static_cast<double>(i - 2));
    if (i < 6) continue;       // the first rows may precede the first data answers
    EXPECT_GT(cells[1], 500);  // the engine idles, cold or warm
    EXPECT_LT(cells[1], 4000);
    EXPECT_GT(cells[2], -10);  // coolant, °C
    EXPECT_LT(cells[2], 110);
    EXPECT_NEAR(cells[3], 138, 5);  // 13.8 V times ten
  }
}

TEST_F(RizazovozLog, SigtermInTheMiddleLeavesACompleteFile) {
  const pid_t pid = StartLogger(
      {"--port", slave_, "--interval-ms", "40", "--out", "cut.csv", "--quiet"}, folder_);
  ASSERT_GT(pid, 0);
  std::this_thread::sleep_for(std::chrono::seconds(2));
  kill(pid, SIGTERM);
  ASSERT_EQ(ExitStatus(pid), 0);
  const std::vector<std::string> lines = CsvLines(folder_ / "cut.csv");
  ASSERT_GT(lines.size(), 3u + 5u);
  for (std::size_t i = 3; i < lines.size(); ++i) EXPECT_EQ(Cells(lines[i]).size(), 5u);
}

TEST_F(RizazovozLog, NoInterfaceEndsWithExitCodeOne) {
  const pid_t pid =
      StartLogger({"--port", (folder_ / "nothing-here").string(), "--quiet"}, folder_);
  ASSERT_GT(pid, 0);
  EXPECT_EQ(ExitStatus(pid), 1);
}

#else
TEST(RizazovozLog, NeedsTheTools) { GTEST_SKIP() << "ecusim or rizazovoz-log is not built"; }
#endif

}  // namespace
}  // namespace rizazovoz
