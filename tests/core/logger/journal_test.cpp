// The disk copy of a running recording, and recovering it after a crash.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "../transport/eventually.h"
#include "logger/flush_cadence.h"
#include "logger/journal_recovery.h"
#include "logger_fixture.h"

namespace rizazovoz {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::vector<fs::path> Journals(const fs::path& folder) {
  std::vector<fs::path> found;
  for (const std::string& name : namesIn(folder)) {
    if (name.starts_with(".kelvolog.csv.") && name.ends_with(".journal")) {
      found.push_back(folder / name);
    }
  }
  return found;
}

// Every row is handed to the writer within half a second of being recorded, the writer
// having the other half to put it on the disk; fast time bases hand off in batches.
TEST(FlushCadence, EveryRowIsHandedOffWithinHalfASecond) {
  const std::pair<int, int> rowsPerHandOff[] = {{40, 13}, {80, 7},   {200, 3},   {400, 2},
                                                {600, 1}, {2400, 1}, {144000, 1}};
  for (const auto& [intervalMs, batch] : rowsPerHandOff) {
    SCOPED_TRACE(intervalMs);
    const std::chrono::milliseconds interval(intervalMs);
    FlushCadence cadence;
    FlushCadence::TimePoint now{};
    std::vector<FlushCadence::TimePoint> waiting;
    for (int row = 0; row < 100; ++row) {
      now += interval;
      waiting.push_back(now);
      if (cadence.RowRecorded(now, interval)) {
        EXPECT_EQ(waiting.size(), static_cast<std::size_t>(batch));
        EXPECT_LT(now - waiting.front(), FlushCadence::kHandOffWithin);
        waiting.clear();
      }
    }
  }
}

TEST(LogJournal, RowsReachTheDiskWhileRecording) {
  LoggerInFolder r;
  ASSERT_TRUE(r.logger.ApplyTimeBase("1"));  // 40 ms
  r.Start();
  const std::vector<fs::path> journals = Journals(r.folder.path());
  ASSERT_EQ(journals.size(), 1u);
  EXPECT_EQ(readBytes(journals[0]), kDefaultHeader);
  LiveValues values;
  for (int n = 1; n <= 13; ++n) {  // 13 rows at 40 ms: the oldest has waited long enough
    values.engineSpeed = n;
    r.logger.Tick(values, r.now += 40ms, '.');
  }
  const std::string recorded = r.Recorded();
  EXPECT_TRUE(Eventually([&] { return readBytes(journals[0]) == recorded; }, 5000ms))
      << readBytes(journals[0]);
  EXPECT_EQ(r.logger.Stop().panelText, "Done");
  EXPECT_TRUE(Journals(r.folder.path()).empty());
}

// A child process records and is killed; the next start recovers what it recorded, at least
// up to a second before its last sample.
TEST(LogJournal, AKilledRecordingIsRecoveredByTheNextStart) {
  TempFolder folder;
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(ready[0]);
    DataLogger logger;
    logger.SetLogPath(folder.path().string());
    if (!logger.ApplyTimeBase("1")) ::_exit(1);  // 40 ms
    DataLogger::TimePoint now{};
    logger.Start(kDateTime);
    LiveValues values;
    for (int n = 1; n <= 100; ++n) {
      values.engineSpeed = 1000 + n;
      logger.Tick(values, now += 40ms, '.');
    }
    std::string all = logger.Recorder().Header();
    logger.Recorder().Rows().ForEachBlock([&](std::string_view block) {
      all += block;
      return true;
    });
    writeBytes(folder / "expected", all);
    (void)!::write(ready[1], "x", 1);
    for (;;) ::pause();
  }
  ::close(ready[1]);
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1) << "the recording child ended early";
  ::close(ready[0]);

  const std::string expected = readBytes(folder / "expected");
  // Rows up to 3000 ms were recorded more than a second before the last one (4000 ms).
  const std::size_t mustHave = expected.find("\r\n", expected.find("\r\n3000,")) + 2;
  const std::vector<fs::path> journals = Journals(folder.path());
  ASSERT_EQ(journals.size(), 1u);
  EXPECT_TRUE(Eventually([&] { return readBytes(journals[0]).size() >= mustHave; }, 5000ms));
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));

  DataLogger next;
  next.SetLogPath(folder.path().string());
  const RecoveredJournals recovered = next.RecoverJournals();
  EXPECT_TRUE(recovered.errors.empty());
  ASSERT_EQ(recovered.files.size(), 1u);
  EXPECT_EQ(recovered.files[0].parent_path(), folder.path());
  EXPECT_TRUE(recovered.files[0].filename().string().starts_with("kelvolog-recovered-"));
  const std::string saved = readBytes(recovered.files[0]);
  EXPECT_GE(saved.size(), mustHave);
  EXPECT_EQ(saved, expected.substr(0, saved.size()));
  EXPECT_TRUE(saved.ends_with("\r\n"));
  EXPECT_TRUE(Journals(folder.path()).empty());
}

TEST(LogJournal, ALoggerDroppedWithoutStopLeavesItsRecordingToRecover) {
  TempFolder folder;
  std::string recorded;
  {
    LoggerInFolder r;
    r.logger.SetLogPath(folder.path().string());
    r.Start();
    LiveValues values;
    values.engineSpeed = 850;
    r.Tick(values);
    r.Tick(values);
    recorded = r.Recorded();
  }
  EXPECT_FALSE(fs::exists(folder / "kelvolog.csv"));
  const RecoveredJournals recovered = RecoverJournals(folder.path());
  ASSERT_EQ(recovered.files.size(), 1u);
  EXPECT_EQ(readBytes(recovered.files[0]), recorded);
  EXPECT_TRUE(RecoverJournals(folder.path()).files.empty());
}

TEST(LogJournal, ARunningRecordingsJournalIsLeftAlone) {
  LoggerInFolder r;
  r.Start();
  r.Tick(LiveValues{});
  const RecoveredJournals recovered = RecoverJournals(r.folder.path());
  EXPECT_TRUE(recovered.files.empty());
  EXPECT_TRUE(recovered.errors.empty());
  EXPECT_EQ(Journals(r.folder.path()).size(), 1u);
  EXPECT_EQ(r.logger.Stop().panelText, "Done");
}

TEST(JournalRecovery, CutsARowLeftHalfWrittenAndRemovesWhatHoldsNoLine) {
  UseUtc();
  TempFolder folder;
  const std::pair<const char*, const char*> journals[] = {
      {".kelvolog.csv.1.0.journal", "H1\r\nH2\r\nH3\r\n400,1\r\n800,2"},
      {".kelvolog.csv.1.1.journal", "H1\r\nH2\r\nH3\r\n400,1\r\n"},
      {".kelvolog.csv.1.2.journal", ""},
      {".kelvolog.csv.1.3.journal", "Ostrand log"},
  };
  for (const auto& [name, bytes] : journals) {
    writeBytes(folder / name, bytes);
    SetModificationTime(folder / name, kDecember11);
  }
  writeBytes(folder / "kelvolog-recovered-2026-12-11-164500.csv", "recovered before");
  writeBytes(folder / "notes.journal", "not ours");

  const RecoveredJournals recovered = RecoverJournals(folder.path());
  EXPECT_TRUE(recovered.errors.empty());
  ASSERT_EQ(recovered.files.size(), 2u);
  EXPECT_EQ(recovered.files[0], folder / "kelvolog-recovered-2026-12-11-164500-2.csv");
  EXPECT_EQ(recovered.files[1], folder / "kelvolog-recovered-2026-12-11-164500-3.csv");
  EXPECT_EQ(readBytes(recovered.files[0]), "H1\r\nH2\r\nH3\r\n400,1\r\n");
  EXPECT_EQ(readBytes(recovered.files[1]), "H1\r\nH2\r\nH3\r\n400,1\r\n");
  EXPECT_EQ(readBytes(folder / "kelvolog-recovered-2026-12-11-164500.csv"), "recovered before");
  EXPECT_EQ(namesIn(folder.path()),
            (std::set<std::string>{"kelvolog-recovered-2026-12-11-164500.csv",
                                   "kelvolog-recovered-2026-12-11-164500-2.csv",
                                   "kelvolog-recovered-2026-12-11-164500-3.csv", "notes.journal"}));
  EXPECT_TRUE(RecoverJournals(folder / "missing").errors.empty());
}

// While the process may not make files larger than a few bytes, as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    oldSignal_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old_;
    small.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &small);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldSignal_);
  }

 private:
  rlimit old_{};
  void (*oldSignal_)(int) = nullptr;
};

TEST(LogJournal, ADiskCopyThatFailsIsToldOnceAndTheRecordingGoesOn) {
  LoggerInFolder r;
  ASSERT_TRUE(r.logger.ApplyTimeBase("1"));  // 40 ms
  r.Start();
  LiveValues values;
  int told = 0;
  {
    const FileSizeLimit full(32);  // the journal already holds the header
    EXPECT_TRUE(Eventually([&] {
      const std::optional<TickTexts> texts = r.logger.Tick(values, r.now += 40ms, '.');
      if (texts->message) {
        ++told;
        EXPECT_NE(texts->message->find(".journal"), std::string::npos) << *texts->message;
        EXPECT_NE(texts->message->find("File too large"), std::string::npos) << *texts->message;
      }
      return told > 0;
    }));
  }
  for (int n = 0; n < 30; ++n) {
    told += r.logger.Tick(values, r.now += 40ms, '.')->message.has_value();
  }
  EXPECT_EQ(told, 1);
  const std::string recorded = r.Recorded();
  EXPECT_EQ(r.logger.Stop().panelText, "Done");
  EXPECT_EQ(readBytes(r.Csv()), recorded);
}

TEST(LogJournal, ARecordingWithoutADiskCopySaysSoAtStart) {
  LoggerInFolder r;
  std::optional<StartOutcome> started;
  {
    const FileSizeLimit full(8);
    started = r.Start();
  }
  ASSERT_EQ(started->messages.size(), 1u);
  EXPECT_NE(started->messages[0].find(r.folder.path().string()), std::string::npos);
  EXPECT_NE(started->messages[0].find("File too large"), std::string::npos);
  EXPECT_TRUE(Journals(r.folder.path()).empty());
  r.Tick(LiveValues{});
  EXPECT_EQ(r.logger.Stop().panelText, "Done");
  EXPECT_EQ(readBytes(r.Csv()), std::string(kDefaultHeader) + "400,0,0,0,0\r\n");
}

// Starting again after a Stop that could not write must not throw that recording away.
TEST(LogJournal, ANewRecordingKeepsAnUnsavedOneAsARecoveredFile) {
  LoggerInFolder r;
  fs::create_directory(r.Csv());  // the file cannot be written
  r.Start();
  LiveValues values;
  values.engineSpeed = 850;
  r.Tick(values);
  const std::string unsaved = r.Recorded();
  ASSERT_TRUE(r.logger.Stop().error.has_value());

  const StartOutcome started = r.Start();
  ASSERT_EQ(started.messages.size(), 1u);
  std::vector<fs::path> kept;
  for (const std::string& name : namesIn(r.folder.path())) {
    if (name.starts_with("kelvolog-recovered-")) kept.push_back(r.folder / name);
  }
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_NE(started.messages[0].find(kept[0].string()), std::string::npos) << started.messages[0];
  EXPECT_EQ(readBytes(kept[0]), unsaved);
  EXPECT_EQ(r.Recorded(), kDefaultHeader) << "the new recording starts empty";
  EXPECT_EQ(Journals(r.folder.path()).size(), 1u);
}

}  // namespace
}  // namespace rizazovoz
