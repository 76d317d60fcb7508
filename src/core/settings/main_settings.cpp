#include "settings/main_settings.h"

#include <algorithm>

#include "settings/ini_file.h"
#include "text/integer_text.h"
#include "text/number_format.h"

namespace rizazovoz {

MainSettings readMainSettings(const std::filesystem::path& path) {
  IniFile file;
  (void)file.load(path);  // an unreadable file reads as defaults; the write reports it
  MainSettings s;
  s.top = file.getInteger("Form", "Top", s.top);
  s.left = file.getInteger("Form", "Left", s.left);
  s.initMax = file.getBool("Form", "InitMax", s.initMax);
  if (const std::optional<std::string> baud = file.getString("Comms", "BaudRate")) {
    if (const std::optional<std::int32_t> value = parseInteger(*baud)) {
      s.baudRate = formatInteger(*value);
    }
  }
  s.sampleRate = std::max(file.getInteger("Comms", "SampleRate", s.sampleRate), kMinSampleRateMs);
  s.display.tempUnits = file.getString("Display", "TempUnits", s.display.tempUnits);
  s.display.speedUnits = file.getString("Display", "SpeedUnits", s.display.speedUnits);
  s.display.mpgDial = file.getString("Display", "MPGDial", s.display.mpgDial);
  s.display.flowRate = file.getInteger("InjFlow", "FlowRate", s.display.flowRate);
  return s;
}

std::optional<std::string> writeMainSettings(const MainSettings& settings,
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
  if (!file.setString("Comms", "BaudRate", settings.baudRate)) return refused("BaudRate");
  file.setInteger("Comms", "SampleRate", settings.sampleRate);
  const DisplaySettings& display = settings.display;
  if (!file.setString("Display", "TempUnits", display.tempUnits)) return refused("TempUnits");
  if (!file.setString("Display", "SpeedUnits", display.speedUnits)) return refused("SpeedUnits");
  if (!file.setString("Display", "MPGDial", display.mpgDial)) return refused("MPGDial");
  file.setInteger("InjFlow", "FlowRate", display.flowRate);
  return file.save(path);
}

}  // namespace rizazovoz
