#include "logger/output_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "settings/whole_file.h"

namespace rizazovoz {

namespace fs = std::filesystem;

namespace {

bool IsFolder(const fs::path& path) {
  struct stat status {};
  return !path.empty() && ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool CanEnter(const fs::path& path) { return IsFolder(path) && ::access(path.c_str(), X_OK) == 0; }

// The value of XDG_DOCUMENTS_DIR in a user-dirs.dirs file, whose lines read
// XDG_DOCUMENTS_DIR="$HOME/Documents" or XDG_DOCUMENTS_DIR="/absolute/path".
std::optional<fs::path> UserDirsEntry(const fs::path& file, const std::string& home) {
  std::string text;
  if (readWholeFile(file, text)) return std::nullopt;
  std::optional<fs::path> found;
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) continue;
    line.remove_prefix(first);
    constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR=\"";
    if (!line.starts_with(kKey)) continue;
    line.remove_prefix(kKey.size());
    std::string value;
    bool closed = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '\\' && i + 1 < line.size()) {
        value += line[++i];
      } else if (line[i] == '"') {
        closed = true;
        break;
      } else {
        value += line[i];
      }
    }
    if (!closed) continue;
    if (value.starts_with("$HOME")) {
      if (home.empty()) continue;
      value = home + value.substr(5);
    }
    if (!value.starts_with('/')) continue;
    found = fs::path(value);  // the last assignment counts, as when the file is sourced
  }
  return found;
}

}  // namespace

std::optional<std::string> ProcessEnvironment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

std::optional<fs::path> DocumentsFolder(const EnvironmentLookup& environment) {
  const std::string home = environment("HOME").value_or("");
  if (const std::optional<std::string> documents = environment("XDG_DOCUMENTS_DIR")) {
    if (IsFolder(*documents)) return fs::path(*documents);
  }
  std::string config = environment("XDG_CONFIG_HOME").value_or("");
  if (config.empty() && !home.empty()) config = home + "/.config";
  if (!config.empty()) {
    if (std::optional<fs::path> listed = UserDirsEntry(fs::path(config) / "user-dirs.dirs", home)) {
      if (IsFolder(*listed)) return listed;
    }
  }
  if (home.empty()) return std::nullopt;
  if (IsFolder(fs::path(home) / "Documents")) return fs::path(home) / "Documents";
  return fs::path(home);
}

fs::path OutputFolder(std::string_view logFilePath) {
  const fs::path chosen(logFilePath);
  std::error_code error;
  if (CanEnter(chosen)) {
    fs::path absolute = fs::absolute(chosen, error);
    return error ? chosen : absolute.lexically_normal();
  }
  fs::path working = fs::current_path(error);
  return error ? fs::path(".") : working;
}

}  // namespace rizazovoz
