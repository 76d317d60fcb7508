#pragma once
// The main window's settings and their file, read once at start and written once at close.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "livedata/display_settings.h"

namespace rizazovoz {

// Relative to the working directory.
inline const std::filesystem::path kMainSettingsPath = "bin/kelvodash.ini";

// The slowest pace the polling engine can keep: one request per 50 ms tick.
inline constexpr std::int32_t kMinSampleRateMs = 50;

struct MainSettings {
  std::int32_t top = 50;  // [Form]
  std::int32_t left = 50;
  bool initMax = false;            // opens maximised
  std::string baudRate = "15625";  // [Comms] decimal text, stored as the comms dialog left it
  std::int32_t sampleRate = 100;   // ms
  DisplaySettings display;         // [Display] TempUnits, SpeedUnits, MPGDial; [InjFlow]
};

// Whatever is missing or not a whole number reads as its default, also when the file cannot
// be read at all; a sample rate below kMinSampleRateMs reads as kMinSampleRateMs.
MainSettings readMainSettings(const std::filesystem::path& path = kMainSettingsPath);

// Sets all nine keys and keeps everything else the file holds. The error text, naming the
// file and the reason, or nothing on success; on failure the file is left as it was, and a
// file that exists but cannot be read is not replaced.
[[nodiscard]] std::optional<std::string> writeMainSettings(
    const MainSettings& settings, const std::filesystem::path& path = kMainSettingsPath);

}  // namespace rizazovoz
