#include "log_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

namespace rizazovoz {
namespace {

std::string Reason(const std::string& path) { return path + ": " + std::strerror(errno); }

// A new file, never one that exists: O_EXCL, with "-2", "-3" ... when the name is taken.
std::FILE* CreateDatedFile(std::string& path) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stem[64];
  std::strftime(stem, sizeof stem, "rizazovoz-log-%Y%m%d-%H%M%S", &local);
  for (int n = 1; n < 100; ++n) {
    path = std::string(stem) + (n > 1 ? "-" + std::to_string(n) : "") + ".csv";
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) return fdopen(fd, "wb");
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

}  // namespace

LogOutput::~LogOutput() { Close(); }

std::string LogOutput::Open(const std::string& out) {
  if (out == "-") {
    file_ = stdout;
    path_ = "standard output";
    return {};
  }
  if (out.empty()) {
    file_ = CreateDatedFile(path_);
  } else {
    path_ = out;
    file_ = std::fopen(out.c_str(), "wb");
  }
  if (file_ == nullptr) return "cannot write " + Reason(path_);
  ownFile_ = true;
  return {};
}

std::string LogOutput::Flush() {
  if (file_ == nullptr) return error_;
  if (!pending_.empty()) {
    if (std::fwrite(pending_.data(), 1, pending_.size(), file_) != pending_.size() &&
        error_.empty()) {
      error_ = "cannot write " + Reason(path_);
    }
    pending_.clear();
  }
  if (std::fflush(file_) != 0 && error_.empty()) error_ = "cannot write " + Reason(path_);
  // A power cut keeps what was flushed; a pipe or terminal has nothing to sync.
  if (ownFile_ && fsync(fileno(file_)) != 0 && errno != EINVAL && error_.empty()) {
    error_ = "cannot write " + Reason(path_);
  }
  return error_;
}

std::string LogOutput::Close() {
  if (file_ == nullptr) return error_;
  Flush();
  if (ownFile_ && std::fclose(file_) != 0 && error_.empty()) {
    error_ = "cannot write " + Reason(path_);
  }
  file_ = nullptr;
  return error_;
}

}  // namespace rizazovoz
