#pragma once
// The recording of one Start to Stop with "Save To File" ticked: the header and a row per
// sampling tick, kept in memory and, at the same time, in a journal on the disk; written as
// the CSV file at Stop. Rows that could not be written stay, and the next Finish tries again.
//   recorder.ResetCounters();                                    // every Start
//   recorder.StartRecording(dateTime, channels, folder);         // Start, when saving
//   recorder.RecordRow(channels, values, intervalMs, now);      // every tick, when saving
//   RecordingWrite w = recorder.Finish(folder / "kelvolog.csv"); // Stop
#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "livedata/live_values.h"
#include "logger/flush_cadence.h"
#include "logger/log_journal.h"
#include "logger/parameter_table.h"
#include "logger/recording_file.h"
#include "logger/row_store.h"

namespace rizazovoz {

class LogRecorder {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;

  LogRecorder();
  // A recording not yet written keeps its journal on the disk, to be recovered.
  ~LogRecorder();
  LogRecorder(const LogRecorder&) = delete;
  LogRecorder& operator=(const LogRecorder&) = delete;

  void ResetCounters();
  // Discards the previous recording's lines (one never written is first saved from its
  // journal as a recovered file), makes the three header lines and opens the journal in
  // `folder`. Messages for the user: what happened to an unsaved recording, a journal that
  // cannot be kept.
  std::vector<std::string> StartRecording(std::string_view dateTimeText,
                                          const std::array<std::string, 4>& channels,
                                          const std::filesystem::path& folder);
  // The elapsed time grows by one interval; the row goes to memory and to the journal.
  void RecordRow(const std::array<Channel, 4>& channels, const LiveValues& values,
                 std::int32_t sampleIntervalMs, TimePoint now);

  // True from StartRecording until a Finish has written the file.
  bool Unsaved() const { return unsaved_; }
  // Writes the header and every row to `file`; on success the journal is deleted.
  RecordingWrite Finish(const std::filesystem::path& file);

  std::int64_t ByteCount() const { return byteCount_; }  // row characters since Start
  std::int64_t ElapsedMs() const { return elapsedMs_; }
  std::string FileSizeText() const;  // "File size 13 bytes"
  // The journal writer's failure, once.
  std::optional<std::string> TakeJournalProblem();

  // The recording as it would be written: the header, then the rows.
  const std::string& Header() const { return header_; }
  const RowStore& Rows() const { return rows_; }

 private:
  std::string header_;
  RowStore rows_;
  std::int64_t elapsedMs_ = 0;
  std::int64_t byteCount_ = 0;
  bool unsaved_ = false;
  std::unique_ptr<LogJournal> journal_;
  FlushCadence cadence_;
  bool journalProblemTold_ = false;
  std::string row_;  // reused for every row
};

}  // namespace rizazovoz
