// The recording and its file at Stop.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include "logger/data_logger.h"
#include "logger_fixture.h"

namespace rizazovoz {
namespace {

namespace fs = std::filesystem;

LiveValues DefaultChannelValues() {
  LiveValues values;
  values.engineSpeed = 850;
  values.mapPressure = 1013;
  values.coolantTemp = 85.7f;
  values.airTemp = 23.2f;
  return values;
}

bool IsJournal(const std::string& name) { return name.starts_with(".kelvolog.csv."); }

std::size_t JournalsIn(const fs::path& folder) {
  std::size_t count = 0;
  for (const std::string& name : namesIn(folder)) count += IsJournal(name);
  return count;
}

TEST(Recording, StoppedBeforeTheFirstSampleTheFileHoldsTheHeaderOnly) {
  LoggerInFolder r;
  r.Start();
  EXPECT_EQ(JournalsIn(r.folder.path()), 1u);
  const StopOutcome stopped = r.logger.Stop();
  EXPECT_TRUE(stopped.changed);
  EXPECT_EQ(stopped.error, std::nullopt);
  EXPECT_EQ(stopped.panelText, "Done");
  EXPECT_EQ(stopped.file, r.Csv());
  EXPECT_EQ(r.logger.OutputFilePath(), r.Csv());
  EXPECT_EQ(readBytes(r.Csv()), kDefaultHeader);
  EXPECT_EQ(namesIn(r.folder.path()), std::set<std::string>{"kelvolog.csv"}) << "journal left";
}

TEST(Recording, RowsCountIntervalsAndWriteCellsWithAPointInAnyLocale) {
  LoggerInFolder r;
  ASSERT_TRUE(r.logger.ApplyTimeBase("5"));  // 200 ms
  r.logger.SetChannel(1, "Batt Volts*10");
  r.logger.SetChannel(3, "TPS(Volts)");
  r.Start();
  LiveValues values = DefaultChannelValues();
  values.batteryVolts = 13.8f;
  values.tpsVolts = 0.456f;
  EXPECT_EQ(r.Tick(values, ',')->fileSize, "File size 23 bytes");
  values.engineSpeed = 1200;
  EXPECT_EQ(r.Tick(values, ',')->fileSize, "File size 47 bytes");
  EXPECT_EQ(r.logger.Stop().panelText, "Done");
  EXPECT_EQ(readBytes(r.Csv()),
            "Ostrand log file\r\nTime,11/12/2026 16:45:00\r\n"
            "Elapsed Time (ms),RPM,Batt Volts*10,CTS,TPS(Volts)\r\n"
            "200,850,1.4E2,86,0.46\r\n"
            "400,1200,1.4E2,86,0.46\r\n");
}

TEST(Recording, FileSizeCountsRowCharactersOnly) {
  LoggerInFolder r;
  const char* names[] = {"Fault Codes 0", "Fault Codes 1", "Fault Codes 2", "Fault Codes 3"};
  for (std::size_t n = 0; n < 4; ++n) r.logger.SetChannel(n, names[n]);
  r.Start();
  LiveValues values;
  values.faultFlags = {1, 2, 3, 4, 5};
  EXPECT_EQ(r.Tick(values)->fileSize, "File size 13 bytes");  // "400,1,2,3,4" CR LF
  EXPECT_EQ(r.logger.Recorder().ByteCount(), 13);
}

TEST(Recording, UntickedSaveToFileWritesNothingAndKeepsTheEarlierLines) {
  LoggerInFolder r;
  r.Start();
  r.Tick(DefaultChannelValues());
  ASSERT_EQ(r.logger.Stop().panelText, "Done");
  const std::string earlier = r.Recorded();
  fs::remove(r.Csv());

  ASSERT_TRUE(r.logger.SetSaveToFile(false));
  r.Start();
  EXPECT_EQ(r.Tick(DefaultChannelValues())->fileSize, "File size 0 bytes");
  EXPECT_EQ(r.Tick(DefaultChannelValues())->fileSize, "File size 0 bytes");
  const StopOutcome stopped = r.logger.Stop();
  EXPECT_TRUE(stopped.changed);
  EXPECT_EQ(stopped.panelText, std::nullopt);
  EXPECT_TRUE(namesIn(r.folder.path()).empty());
  EXPECT_EQ(r.Recorded(), earlier);

  // A new recording empties them first.
  ASSERT_TRUE(r.logger.SetSaveToFile(true));
  r.Start();
  EXPECT_EQ(r.Recorded(), kDefaultHeader);
  EXPECT_EQ(r.logger.Stop().panelText, "Done");
  EXPECT_FALSE(r.logger.Stop().changed) << "a second Stop wrote again";
}

TEST(Recording, CloseWhileLoggingWritesTheRecording) {
  LoggerInFolder r;
  r.Start();
  r.Tick(DefaultChannelValues());
  const StopOutcome closed = r.logger.Close();
  EXPECT_EQ(closed.panelText, "Done");
  EXPECT_EQ(readBytes(r.Csv()), std::string(kDefaultHeader) + "400,850,1013,86,23\r\n");
  EXPECT_FALSE(r.logger.Logging());
  EXPECT_FALSE(r.logger.Close().changed);
}

TEST(Recording, ThePreviousFileIsKeptUnderItsDateAndNoBackupIsReplaced) {
  UseUtc();
  LoggerInFolder r;
  writeBytes(r.Csv(), "previous");
  SetModificationTime(r.Csv(), kDecember11);
  const fs::path taken = r.folder / "kelvolog-2026-12-11-164500.csv";
  writeBytes(taken, "an older backup");

  r.Start();
  const StopOutcome stopped = r.logger.Stop();
  EXPECT_EQ(stopped.error, std::nullopt);
  EXPECT_EQ(stopped.keptAs, r.folder / "kelvolog-2026-12-11-164500-2.csv");
  EXPECT_EQ(readBytes(r.folder / "kelvolog-2026-12-11-164500-2.csv"), "previous");
  EXPECT_EQ(readBytes(taken), "an older backup");
  EXPECT_EQ(readBytes(r.Csv()), kDefaultHeader);
  EXPECT_EQ(namesIn(r.folder.path()).size(), 3u);
}

// Failures that hold for every user, root included: the file's place taken by a folder.
TEST(Recording, AFailedWriteIsReportedKeepsTheRowsAndTheNextStopTriesAgain) {
  LoggerInFolder r;
  fs::create_directory(r.Csv());
  r.Start();
  r.Tick(DefaultChannelValues());
  const StopOutcome failed = r.logger.Stop();
  ASSERT_TRUE(failed.error.has_value()) << "a failure reported as success";
  EXPECT_NE(failed.error->find(r.Csv().string()), std::string::npos) << *failed.error;
  EXPECT_NE(failed.error->find("Is a directory"), std::string::npos) << *failed.error;
  EXPECT_EQ(failed.panelText, kNotSavedText);
  EXPECT_FALSE(r.logger.Logging());
  EXPECT_EQ(JournalsIn(r.folder.path()), 1u) << "the disk copy must stay until it is saved";

  fs::remove(r.Csv());
  const StopOutcome retried = r.logger.Stop();  // from Idle
  EXPECT_TRUE(retried.changed);
  EXPECT_EQ(retried.error, std::nullopt);
  EXPECT_EQ(retried.panelText, "Done");
  EXPECT_EQ(readBytes(r.Csv()), std::string(kDefaultHeader) + "400,850,1013,86,23\r\n");
  EXPECT_EQ(namesIn(r.folder.path()), std::set<std::string>{"kelvolog.csv"});
  EXPECT_FALSE(r.logger.Stop().changed);
}

// A disk that fills up while writing: the process may not make files larger than a few bytes.
TEST(Recording, ADiskFullLeavesThePreviousFileWhereItWas) {
  LoggerInFolder r;
  writeBytes(r.Csv(), "previous");
  r.Start();
  r.Tick(DefaultChannelValues());

  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 32;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const StopOutcome failed = r.logger.Stop();
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldSignal);

  ASSERT_TRUE(failed.error.has_value());
  EXPECT_NE(failed.error->find("File too large"), std::string::npos) << *failed.error;
  EXPECT_EQ(failed.keptAs, std::nullopt);
  EXPECT_EQ(readBytes(r.Csv()), "previous");

  const StopOutcome retried = r.logger.Stop();
  EXPECT_EQ(retried.error, std::nullopt);
  ASSERT_TRUE(retried.keptAs.has_value());
  EXPECT_EQ(readBytes(*retried.keptAs), "previous");
  EXPECT_EQ(readBytes(r.Csv()), std::string(kDefaultHeader) + "400,850,1013,86,23\r\n");
}

// The working directory of this test is a folder of its own, restored afterwards.
class InWorkingFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    before_ = fs::current_path();
    fs::current_path(work_.path());
  }
  void TearDown() override { fs::current_path(before_); }
  TempFolder work_;

 private:
  fs::path before_;
};

TEST_F(InWorkingFolder, AFolderThatCannotBeEnteredFallsBackToTheWorkingDirectory) {
  TempFolder other;
  writeBytes(other / "a-file", "");
  const std::string unusable[] = {"C://", (other / "gone").string(), (other / "a-file").string(),
                                  ""};
  for (const std::string& path : unusable) {
    SCOPED_TRACE(path);
    DataLogger logger;
    logger.SetLogPath(path);
    EXPECT_EQ(logger.OutputFilePath(), work_ / "kelvolog.csv");
    logger.Start(kDateTime);
    EXPECT_EQ(logger.Stop().file, work_ / "kelvolog.csv");
    EXPECT_EQ(readBytes(work_ / "kelvolog.csv"), kDefaultHeader);
    EXPECT_EQ(fs::current_path(), work_.path()) << "the working directory was changed";
    fs::remove(work_ / "kelvolog.csv");
    for (const std::string& name : namesIn(work_.path())) fs::remove(work_ / name);  // backups
  }
  DataLogger logger;
  logger.SetLogPath(other.path().string() + "/");
  EXPECT_EQ(logger.OutputFilePath(), other / "kelvolog.csv");
}

}  // namespace
}  // namespace rizazovoz
