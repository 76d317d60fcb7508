#pragma once
// A data logger recording into a fresh folder, driven by a hand-moved clock.
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "../settings/temp_folder.h"
#include "logger/data_logger.h"

namespace rizazovoz {

inline constexpr std::string_view kDateTime = "11/12/2026 16:45:00";
inline constexpr std::string_view kDefaultHeader =
    "Ostrand log file\r\nTime,11/12/2026 16:45:00\r\nElapsed Time (ms),RPM,MAP,CTS,IAT\r\n";

struct LoggerInFolder {
  LoggerInFolder() { logger.SetLogPath(folder.path().string()); }

  StartOutcome Start() { return logger.Start(kDateTime); }
  std::optional<TickTexts> Tick(const LiveValues& values, char separator = '.') {
    now += std::chrono::milliseconds(logger.SampleInterval());
    return logger.Tick(values, now, separator);
  }
  std::filesystem::path Csv() const { return folder / "kelvolog.csv"; }
  // What Stop would write now.
  std::string Recorded() const {
    std::string text = logger.Recorder().Header();
    logger.Recorder().Rows().ForEachBlock([&](std::string_view block) {
      text += block;
      return true;
    });
    return text;
  }

  TempFolder folder;
  DataLogger logger;
  DataLogger::TimePoint now{};
};

// Local times in names and file times read in UTC.
inline void UseUtc() {
  ::setenv("TZ", "UTC", 1);
  ::tzset();
}

inline void SetModificationTime(const std::filesystem::path& file, std::time_t moment) {
  const timespec times[2] = {{moment, 0}, {moment, 0}};
  ::utimensat(AT_FDCWD, file.c_str(), times, 0);
}

// 2026-12-11 16:45:00 UTC
inline constexpr std::time_t kDecember11 = 1797007500;

}  // namespace rizazovoz
