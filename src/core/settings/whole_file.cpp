#include "settings/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <exception>
#include <system_error>

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

std::optional<std::string> replace(const fs::path& path, std::string_view contents) {
  // Write through a link to the file it names, so the link survives.
  fs::path target = path;
  std::error_code error;
  if (fs::is_symlink(path, error)) {
    fs::path resolved = fs::canonical(path, error);
    if (!error) target = std::move(resolved);
  }
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  fs::create_directories(folder, error);
  if (error) return failure("write", path, error.message());

  fs::path temporary;
  const int fd = createTemporary(target, temporary);
  if (fd < 0) return writeFailure(path, errno);

  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    ::fchmod(fd, old.st_mode & 07777);  // a folder that refuses modes still takes the file
  }
  bool ok = writeAll(fd, contents) && ::fsync(fd) == 0;
  int savedErrno = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    savedErrno = errno;
  }
  if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
    ok = false;
    savedErrno = errno;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    return writeFailure(path, savedErrno);
  }
  syncFolder(folder);
  return std::nullopt;
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
    return replace(path, contents);
  } catch (const std::exception& e) {  // memory for the names ran out
    return failure("write", path, e.what());
  }
}

}  // namespace rizazovoz
