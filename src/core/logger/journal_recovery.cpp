#include "logger/journal_recovery.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include "logger/dated_name.h"
#include "logger/log_journal.h"

namespace rizazovoz {

namespace fs = std::filesystem;

namespace {

bool IsJournalName(const std::string& name) {
  return name.size() > kJournalPrefix.size() + kJournalSuffix.size() &&
         name.starts_with(kJournalPrefix) && name.ends_with(kJournalSuffix);
}

// The length up to the last CR LF: a row cut short by the crash is left out.
std::optional<off_t> WholeRowsLength(int fd, off_t size) {
  constexpr off_t kChunk = 65536;
  std::string chunk;
  for (off_t end = size; end > 0;) {
    const off_t begin = std::max<off_t>(0, end - kChunk);
    chunk.resize(static_cast<std::size_t>(end - begin) + 1);  // one byte of overlap
    const off_t readFrom = begin;
    const std::size_t wanted = static_cast<std::size_t>(std::min(end + 1, size) - readFrom);
    const ssize_t got = ::pread(fd, chunk.data(), wanted, readFrom);
    if (got < 0) return std::nullopt;
    chunk.resize(static_cast<std::size_t>(got));
    const std::size_t lf = chunk.rfind("\r\n");
    if (lf != std::string::npos) return readFrom + static_cast<off_t>(lf) + 2;
    end = begin;
  }
  return 0;
}

struct Outcome {
  std::optional<fs::path> file;
  std::optional<std::string> error;
};

Outcome Recover(const fs::path& journal) {
  const auto failure = [&journal](int error) {
    return Outcome{std::nullopt,
                   "Cannot recover " + journal.string() + ": " + std::strerror(error)};
  };
  const int fd = ::open(journal.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? Outcome{} : failure(errno);
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {  // a running recording's
    return errno == EWOULDBLOCK ? Outcome{} : failure(errno);
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0) return failure(errno);
  if (!S_ISREG(status.st_mode)) return {};

  const std::optional<off_t> keep = WholeRowsLength(fd, status.st_size);
  if (!keep) return failure(errno);
  if (*keep == 0) {  // not even a header line: nothing was recorded
    if (::unlink(journal.c_str()) != 0) return failure(errno);
    return {};
  }
  if (*keep < status.st_size && ::ftruncate(fd, *keep) != 0) return failure(errno);
  if (::fsync(fd) != 0) return failure(errno);

  std::string reason;
  const std::optional<fs::path> name =
      ReserveName(journal.parent_path(), kRecoveredStem, LocalStamp(status.st_mtime), reason);
  if (!name) return {std::nullopt, "Cannot recover " + journal.string() + ": " + reason};
  if (::rename(journal.c_str(), name->c_str()) != 0) {
    const int error = errno;
    ::unlink(name->c_str());
    return failure(error);
  }
  return {name, std::nullopt};
}

}  // namespace

RecoveredJournals RecoverJournals(const fs::path& folder) {
  RecoveredJournals result;
  std::error_code error;
  std::vector<fs::path> journals;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (IsJournalName(it->path().filename().string())) journals.push_back(it->path());
  }
  if (error && error != std::errc::no_such_file_or_directory) {
    result.errors.push_back("Cannot recover recordings in " + folder.string() + ": " +
                            error.message());
  }
  std::sort(journals.begin(), journals.end());
  for (const fs::path& journal : journals) {
    Outcome outcome = Recover(journal);
    if (outcome.file) result.files.push_back(std::move(*outcome.file));
    if (outcome.error) result.errors.push_back(std::move(*outcome.error));
  }
  return result;
}

RecoveredJournals RecoverJournal(const fs::path& journal) {
  RecoveredJournals result;
  Outcome outcome = Recover(journal);
  if (outcome.file) result.files.push_back(std::move(*outcome.file));
  if (outcome.error) result.errors.push_back(std::move(*outcome.error));
  return result;
}

}  // namespace rizazovoz
