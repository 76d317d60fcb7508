#pragma once
// The disk copy of a recording while it runs, so that a crash, a kill or a power cut loses at
// most the last second: a hidden file beside the recording, holding the same bytes the
// recording's file will hold, written and flushed by a thread of its own so that the
// sampling tick never waits for the disk.
//   auto journal = LogJournal::Create(folder, header, error);
//   journal->Append(row);                    // every row, on the tick's thread
//   if (cadence.RowRecorded(...)) journal->HandOff();
//   journal->Flush(); ... journal->Remove(); // once the recording's file is written
// The file is locked while in use, so that RecoverJournals leaves it alone; a journal that
// is destroyed without Remove stays on the disk and is recovered later.
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace rizazovoz {

// ".kelvolog.csv.<process>.<number>.journal"
inline constexpr std::string_view kJournalPrefix = ".kelvolog.csv.";
inline constexpr std::string_view kJournalSuffix = ".journal";

class LogJournal {
 public:
  // A new journal in the folder holding `header`, its writer started. Nothing, and the
  // reason in `error`, when the file cannot be made.
  static std::unique_ptr<LogJournal> Create(const std::filesystem::path& folder,
                                            std::string_view header, std::string& error);
  // Writes what was appended and stops the writer; the file stays, closed and unlocked.
  ~LogJournal();
  LogJournal(const LogJournal&) = delete;
  LogJournal& operator=(const LogJournal&) = delete;

  const std::filesystem::path& Path() const { return path_; }

  // Keeps the bytes for the next hand-off. Never waits for the disk.
  void Append(std::string_view bytes);
  // Gives everything appended to the writer. Never waits for the disk.
  void HandOff();
  // Hands off and waits until everything appended is written and flushed (or has failed).
  void Flush();
  // The writer's first failure, "Cannot write PATH: REASON"; it writes nothing after one.
  std::optional<std::string> Error() const;
  // Stops the writer and deletes the file: the recording has been saved elsewhere.
  void Remove();

 private:
  LogJournal(std::filesystem::path path, int fd);
  void WriterLoop();
  void StopWriter();

  const std::filesystem::path path_;
  int fd_;
  std::string collecting_;  // the tick's thread only

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable written_;
  std::string handedOff_;
  std::uint64_t handOffs_ = 0;
  std::uint64_t handOffsWritten_ = 0;
  bool stopping_ = false;
  std::optional<std::string> error_;
  std::thread writer_;
};

}  // namespace rizazovoz
