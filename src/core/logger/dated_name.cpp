#include "logger/dated_name.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace rizazovoz {

namespace fs = std::filesystem;

std::string LocalStamp(std::time_t moment) {
  std::tm local{};
  if (::localtime_r(&moment, &local) == nullptr) return "0000-00-00-000000";
  char text[32];
  const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%d-%H%M%S", &local);
  return std::string(text, length);
}

std::optional<std::time_t> ModificationTime(const fs::path& file) {
  struct stat status {};
  if (::stat(file.c_str(), &status) != 0) return std::nullopt;
  return status.st_mtime;
}

std::optional<fs::path> ReserveName(const fs::path& folder, std::string_view stem,
                                    std::string_view stamp, std::string& error) {
  const std::string base = std::string(stem) + "-" + std::string(stamp);
  for (int number = 1; number < 10000; ++number) {
    const std::string suffix = number == 1 ? "" : "-" + std::to_string(number);
    fs::path name = folder / (base + suffix + ".csv");
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      return name;
    }
    if (errno != EEXIST) {
      error = std::strerror(errno);
      return std::nullopt;
    }
  }
  error = "too many files of that name";
  return std::nullopt;
}

std::optional<fs::path> RenameToDatedName(const fs::path& file, std::string_view stem,
                                          std::string& error) {
  const std::optional<std::time_t> written = ModificationTime(file);
  if (!written) {
    error = std::strerror(errno);
    return std::nullopt;
  }
  const std::optional<fs::path> name =
      ReserveName(file.parent_path(), stem, LocalStamp(*written), error);
  if (!name) return std::nullopt;
  if (::rename(file.c_str(), name->c_str()) != 0) {
    error = std::strerror(errno);
    ::unlink(name->c_str());
    return std::nullopt;
  }
  return name;
}

}  // namespace rizazovoz
