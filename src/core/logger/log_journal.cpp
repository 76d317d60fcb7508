#include "logger/log_journal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <utility>

namespace rizazovoz {

namespace fs = std::filesystem;

namespace {

// The reason of a failed write, or nothing once every byte is written.
std::optional<std::string> WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return std::strerror(written == 0 ? EIO : errno);
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return std::nullopt;
}

}  // namespace

std::unique_ptr<LogJournal> LogJournal::Create(const fs::path& folder, std::string_view header,
                                               std::string& error) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path path = folder / (std::string(kJournalPrefix) + std::to_string(::getpid()) + "." +
                              std::to_string(counter++) + std::string(kJournalSuffix));
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      error = std::strerror(errno);
      return nullptr;
    }
    // A recovery in another program may have found the empty file first; it removes it.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      continue;
    }
    if (std::optional<std::string> failed = WriteAll(fd, header)) {
      ::unlink(path.c_str());
      ::close(fd);
      error = *failed;
      return nullptr;
    }
    return std::unique_ptr<LogJournal>(new LogJournal(std::move(path), fd));
  }
  error = "no free journal name";
  return nullptr;
}

LogJournal::LogJournal(fs::path path, int fd) : path_(std::move(path)), fd_(fd) {
  writer_ = std::thread([this] { WriterLoop(); });
}

LogJournal::~LogJournal() {
  if (fd_ < 0) return;
  StopWriter();
  ::close(fd_);
}

void LogJournal::Append(std::string_view bytes) { collecting_.append(bytes); }

void LogJournal::HandOff() {
  {
    const std::lock_guard lock(mutex_);
    if (handedOff_.empty()) {
      handedOff_.swap(collecting_);  // the writer's emptied buffer is collected into next
    } else {
      handedOff_.append(collecting_);
    }
    ++handOffs_;
  }
  collecting_.clear();
  wake_.notify_one();
}

void LogJournal::Flush() {
  if (!writer_.joinable()) return;
  HandOff();
  std::unique_lock lock(mutex_);
  const std::uint64_t awaited = handOffs_;
  written_.wait(lock, [&] { return handOffsWritten_ >= awaited; });
}

std::optional<std::string> LogJournal::Error() const {
  const std::lock_guard lock(mutex_);
  return error_;
}

void LogJournal::Remove() {
  if (fd_ < 0) return;
  StopWriter();
  ::unlink(path_.c_str());  // while still locked, so that no recovery takes it meanwhile
  ::close(fd_);
  fd_ = -1;
}

void LogJournal::StopWriter() {
  if (!writer_.joinable()) return;
  HandOff();
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  writer_.join();
}

void LogJournal::WriterLoop() {
  std::string batch;
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || handOffsWritten_ < handOffs_; });
    if (handOffsWritten_ == handOffs_) return;  // stopping, and everything is written
    batch.swap(handedOff_);
    const std::uint64_t upTo = handOffs_;
    const bool failedBefore = error_.has_value();
    lock.unlock();

    std::optional<std::string> reason;
    if (!failedBefore && !batch.empty()) {
      reason = WriteAll(fd_, batch);
      if (!reason && ::fdatasync(fd_) != 0) reason = std::strerror(errno);
    }
    batch.clear();

    lock.lock();
    if (reason && !error_) error_ = "Cannot write " + path_.string() + ": " + *reason;
    handOffsWritten_ = upTo;
    written_.notify_all();
  }
}

}  // namespace rizazovoz
