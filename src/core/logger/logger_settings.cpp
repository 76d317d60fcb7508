#include "logger/logger_settings.h"

#include "settings/ini_file.h"

namespace rizazovoz {

namespace {
constexpr std::array<const char*, 4> kChannelKeys{"Ch1", "Ch2", "Ch3", "Ch4"};
}

LoggerSettings readLoggerSettings(const std::filesystem::path& path,
                                  const EnvironmentLookup& environment) {
  IniFile file;
  (void)file.load(path);  // an unreadable file reads as defaults; the write reports it
  LoggerSettings s;
  s.top = file.getInteger("Form", "Top", s.top);
  s.left = file.getInteger("Form", "Left", s.left);
  s.initMax = file.getBool("Form", "InitMax", s.initMax);
  if (std::optional<std::string> stored = file.getString("File", "File Path")) {
    s.filePath = std::move(*stored);
  } else if (std::optional<std::filesystem::path> documents = DocumentsFolder(environment)) {
    s.filePath = documents->string();
  }
  for (std::size_t n = 0; n < kChannelKeys.size(); ++n) {
    s.channels[n] = file.getString("Log", kChannelKeys[n], s.channels[n]);
  }
  s.timeBase = file.getString("Log", "TimeBase", s.timeBase);
  return s;
}

std::optional<std::string> writeLoggerSettings(const LoggerSettings& settings,
                                               const std::filesystem::path& path) {
  IniFile file;
  if (std::optional<std::string> error = file.load(path)) return error;
  // Texts come from typed input; one holding a line break would split into lines of its own.
  const auto refused = [&path](const char* key) {
    return "Cannot write " + path.string() + ": the " + key + " setting holds a line break";
  };
  file.setInteger("Form", "Top", settings.top);
  file.setInteger("Form", "Left", settings.left);
  file.setBool("Form", "InitMax", settings.initMax);
  if (!file.setString("File", "File Path", settings.filePath)) return refused("File Path");
  for (std::size_t n = 0; n < kChannelKeys.size(); ++n) {
    if (!file.setString("Log", kChannelKeys[n], settings.channels[n])) {
      return refused(kChannelKeys[n]);
    }
  }
  if (!file.setString("Log", "TimeBase", settings.timeBase)) return refused("TimeBase");
  return file.save(path);
}

}  // namespace rizazovoz
