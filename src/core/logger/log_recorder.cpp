#include "logger/log_recorder.h"

#include "logger/journal_recovery.h"
#include "logger/log_lines.h"
#include "text/number_format.h"

namespace rizazovoz {

namespace fs = std::filesystem;

LogRecorder::LogRecorder() = default;
LogRecorder::~LogRecorder() = default;

void LogRecorder::ResetCounters() {
  elapsedMs_ = 0;
  byteCount_ = 0;
}

std::vector<std::string> LogRecorder::StartRecording(std::string_view dateTimeText,
                                                     const std::array<std::string, 4>& channels,
                                                     const fs::path& folder) {
  std::vector<std::string> messages;
  if (unsaved_) {
    if (journal_) {
      const fs::path path = journal_->Path();
      const bool whole = !journal_->Error();
      journal_.reset();  // written out, closed and unlocked
      RecoveredJournals kept = RecoverJournal(path);
      for (const fs::path& file : kept.files) {
        messages.push_back("The previous recording, which could not be saved, is kept as " +
                           file.string() + (whole ? "" : ", up to where its disk copy failed"));
      }
      for (std::string& error : kept.errors) messages.push_back(std::move(error));
    } else {
      messages.push_back("The previous recording could not be saved and is discarded.");
    }
  }
  journal_.reset();
  rows_.Clear();
  header_ = LogHeaderText(dateTimeText, channels);
  unsaved_ = true;
  cadence_ = FlushCadence();
  journalProblemTold_ = false;

  std::string reason;
  journal_ = LogJournal::Create(folder, header_, reason);
  if (!journal_) {
    messages.push_back("Cannot keep a copy of this recording in " + folder.string() + " (" +
                       reason + "): a crash would lose it.");
  }
  return messages;
}

void LogRecorder::RecordRow(const std::array<Channel, 4>& channels, const LiveValues& values,
                            std::int32_t sampleIntervalMs, TimePoint now) {
  elapsedMs_ += sampleIntervalMs;
  row_.clear();
  AppendLogRow(row_, elapsedMs_, channels, values);
  rows_.Append(row_);
  byteCount_ += static_cast<std::int64_t>(row_.size());
  if (journal_) {
    journal_->Append(row_);
    if (cadence_.RowRecorded(now, std::chrono::milliseconds(sampleIntervalMs))) {
      journal_->HandOff();
    }
  }
}

RecordingWrite LogRecorder::Finish(const fs::path& file) {
  if (journal_) journal_->Flush();  // every row is on the disk in one place or the other
  RecordingWrite written = WriteRecording(file, header_, rows_);
  if (!written.error) {
    unsaved_ = false;
    if (journal_) journal_->Remove();
    journal_.reset();
  }
  return written;
}

std::string LogRecorder::FileSizeText() const {
  return "File size " + formatInteger(byteCount_) + " bytes";
}

std::optional<std::string> LogRecorder::TakeJournalProblem() {
  if (!journal_ || journalProblemTold_) return std::nullopt;
  std::optional<std::string> error = journal_->Error();
  if (error) {
    journalProblemTold_ = true;
    *error += ": a crash would lose this recording.";
  }
  return error;
}

}  // namespace rizazovoz
