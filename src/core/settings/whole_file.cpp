#include "settings/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <exception>
#include <system_error>
#include <utility>

namespace rizazovoz {

namespace fs = std::filesystem;

namespace {

std::string failure(std::string_view verb, const fs::path& path, std::string_view reason) {
  std::string text = "Cannot ";
  text += verb;
  text += ' ';
  text += path.string();
  text += ": ";
  text += reason;
  return text;
}

std::string writeFailure(const fs::path& path, int error) {
  return failure("write", path, std::strerror(error));
}

struct ClosedAtExit {
  int fd;
  ~ClosedAtExit() { ::close(fd); }
};

bool writeAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t written = ::write(fd, data.data(), data.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = EIO;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// A name in the target's folder that no other writer uses: hidden, with the process id and
// a counter, created exclusively. Opened with the usual 0666 so that the umask applies.
int createTemporary(const fs::path& target, fs::path& temporary) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = target;
    temporary.replace_filename("." + target.filename().string() + "." + std::to_string(::getpid()) +
                               "." + std::to_string(counter++) + ".tmp");
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;  // errno is EEXIST
}

// Rename is durable once the folder's entry is on disk; a folder that cannot be flushed still
// holds the new file, so this is best effort.
void syncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::optional<std::string> readWholeFile(const fs::path& path, std::string& text) {
  text.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
    return failure("read", path, std::strerror(errno));
  }
  const ClosedAtExit closer{fd};
  char buffer[16384];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      text.clear();
      return failure("read", path, std::strerror(errno));
    }
    if (got == 0) return std::nullopt;
    text.append(buffer, static_cast<std::size_t>(got));
  }
}

std::optional<std::string> replaceWholeFile(const fs::path& path, std::string_view contents) {
  try {
    FileReplacement file(path);
    file.append(contents);
    return file.commit();
  } catch (const std::exception& e) {  // memory for the names ran out
    return failure("write", path, e.what());
  }
}

FileReplacement::FileReplacement(fs::path path) : path_(std::move(path)), target_(path_) {
  // Write through a link to the file it names, so the link survives.
  std::error_code error;
  if (fs::is_symlink(path_, error)) {
    fs::path resolved = fs::canonical(path_, error);
    if (!error) target_ = std::move(resolved);
  }
  fs::path folder = target_.parent_path();
  if (folder.empty()) folder = ".";
  fs::create_directories(folder, error);
  if (error) {
    error_ = failure("write", path_, error.message());
    return;
  }
  fd_ = createTemporary(target_, temporary_);
  if (fd_ < 0) {
    error_ = writeFailure(path_, errno);
    return;
  }
  struct stat old {};
  if (::stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    ::fchmod(fd_, old.st_mode & 07777);  // a folder that refuses modes still takes the file
  }
}

FileReplacement::~FileReplacement() {
  if (fd_ >= 0) {
    ::close(fd_);
    ::unlink(temporary_.c_str());
  }
}

bool FileReplacement::append(std::string_view bytes) {
  if (error_) return false;
  if (!writeAll(fd_, bytes)) error_ = writeFailure(path_, errno);
  return !error_;
}

std::optional<std::string> FileReplacement::commit() {
  if (committed_) return std::nullopt;
  if (!error_) {
    if (::fsync(fd_) != 0) error_ = writeFailure(path_, errno);
  }
  if (fd_ >= 0) {
    if (::close(fd_) != 0 && !error_) error_ = writeFailure(path_, errno);
    fd_ = -1;
    if (!error_ && ::rename(temporary_.c_str(), target_.c_str()) != 0) {
      error_ = writeFailure(path_, errno);
    }
    if (error_) ::unlink(temporary_.c_str());
  }
  if (error_) return error_;
  fs::path folder = target_.parent_path();
  syncFolder(folder.empty() ? fs::path(".") : folder);
  committed_ = true;
  return std::nullopt;
}

}  // namespace rizazovoz
