#pragma once
// The logger window's settings file, read when the window is made and written when it closes.
//   LoggerSettings s = readLoggerSettings();      logger.ApplySettings(s);
//   s = logger.CurrentSettings(); s.top = ...;    if (auto e = writeLoggerSettings(s)) show(*e);
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "logger/output_folder.h"

namespace rizazovoz {

// Relative to the working directory.
inline const std::filesystem::path kLoggerSettingsPath = "bin/kelvolog.ini";

struct LoggerSettings {
  std::int32_t top = 50;  // [Form]
  std::int32_t left = 50;
  bool initMax = false;                                             // opens maximised
  std::string filePath;                                             // [File] File Path
  std::array<std::string, 4> channels{"RPM", "MAP", "CTS", "IAT"};  // [Log] Ch1 ... Ch4
  std::string timeBase = "10";                                      // [Log] TimeBase
};

// Whatever is missing, and a position that is not a whole number, reads as its default, also
// when the file cannot be read; a missing "File Path" is the user's documents folder (the
// working directory when there is none). Stored texts are taken as they are.
LoggerSettings readLoggerSettings(const std::filesystem::path& path = kLoggerSettingsPath,
                                  const EnvironmentLookup& environment = ProcessEnvironment);

// Sets all nine keys and keeps everything else the file holds. The error text, naming the
// file and the reason, or nothing on success; on failure the file is left as it was.
[[nodiscard]] std::optional<std::string> writeLoggerSettings(
    const LoggerSettings& settings, const std::filesystem::path& path = kLoggerSettingsPath);

}  // namespace rizazovoz
