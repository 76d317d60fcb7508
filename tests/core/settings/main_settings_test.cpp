#include "settings/main_settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "temp_folder.h"

namespace rizazovoz {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kAllDefaults =
    "[Form]\nTop=50\nLeft=50\nInitMax=0\n\n"
    "[Comms]\nBaudRate=15625\nSampleRate=100\n\n"
    "[Display]\nTempUnits=C\nSpeedUnits=MPH\nMPGDial=IAC\n\n"
    "[InjFlow]\nFlowRate=210\n";

void expectDefaultsBut(const MainSettings& s, std::int32_t sampleRate) {
  const MainSettings d;
  EXPECT_EQ(s.top, d.top);
  EXPECT_EQ(s.left, d.left);
  EXPECT_EQ(s.initMax, d.initMax);
  EXPECT_EQ(s.baudRate, d.baudRate);
  EXPECT_EQ(s.sampleRate, sampleRate);
  EXPECT_EQ(s.display.tempUnits, d.display.tempUnits);
  EXPECT_EQ(s.display.speedUnits, d.display.speedUnits);
  EXPECT_EQ(s.display.mpgDial, d.display.mpgDial);
  EXPECT_EQ(s.display.flowRate, d.display.flowRate);
}

TEST(MainSettings, AMissingFileReadsAsDefaultsAndIsWrittenWithItsFolder) {
  TempFolder folder;
  const fs::path path = folder / "bin/kelvodash.ini";
  const MainSettings settings = readMainSettings(path);
  expectDefaultsBut(settings, 100);
  ASSERT_EQ(writeMainSettings(settings, path), std::nullopt);
  EXPECT_EQ(readBytes(path), kAllDefaults);
}

TEST(MainSettings, AFileWithOnlyTheSampleRateGetsAllNineKeys) {
  TempFolder folder;
  const fs::path path = folder / "kelvodash.ini";
  writeBytes(path, "[Comms]\nSampleRate=250\n");
  const MainSettings settings = readMainSettings(path);
  expectDefaultsBut(settings, 250);
  ASSERT_EQ(writeMainSettings(settings, path), std::nullopt);
  EXPECT_EQ(readBytes(path),
            "[Comms]\nSampleRate=250\nBaudRate=15625\n\n"
            "[Form]\nTop=50\nLeft=50\nInitMax=0\n\n"
            "[Display]\nTempUnits=C\nSpeedUnits=MPH\nMPGDial=IAC\n\n"
            "[InjFlow]\nFlowRate=210\n");
}

TEST(MainSettings, EveryValueRoundTrips) {
  TempFolder folder;
  const fs::path path = folder / "kelvodash.ini";
  MainSettings written;
  written.top = -20;
  written.left = 1930;
  written.initMax = true;
  written.baudRate = "7812";
  written.sampleRate = 75;
  written.display = {"F", "KPH", "MPG", 185};
  ASSERT_EQ(writeMainSettings(written, path), std::nullopt);
  const MainSettings read = readMainSettings(path);
  EXPECT_EQ(read.top, -20);
  EXPECT_EQ(read.left, 1930);
  EXPECT_TRUE(read.initMax);
  EXPECT_EQ(read.baudRate, "7812");
  EXPECT_EQ(read.sampleRate, 75);
  EXPECT_EQ(read.display.tempUnits, "F");
  EXPECT_EQ(read.display.speedUnits, "KPH");
  EXPECT_EQ(read.display.mpgDial, "MPG");
  EXPECT_EQ(read.display.flowRate, 185);
}

TEST(MainSettings, BaudRateIsKeptAsTheTextOfAWholeNumber) {
  const struct {
    const char* line;
    const char* expected;
  } cases[] = {
      {"BaudRate=7812", "7812"},
      {"BaudRate= +7812 ", "7812"},
      {"BaudRate=007812", "7812"},
      {"BaudRate=abc", "15625"},
      {"BaudRate=", "15625"},
      {"BaudRate=7812 baud", "15625"},
      {"BaudRate=99999999999", "15625"},
  };
  TempFolder folder;
  const fs::path path = folder / "kelvodash.ini";
  for (const auto& c : cases) {
    writeBytes(path, std::string("[Comms]\n") + c.line + "\n");
    EXPECT_EQ(readMainSettings(path).baudRate, c.expected) << c.line;
  }
  // What the comms dialog stored goes back as it is, even when it is not a number.
  MainSettings typed;
  typed.baudRate = "96OO";
  ASSERT_EQ(writeMainSettings(typed, path), std::nullopt);
  EXPECT_NE(readBytes(path).find("BaudRate=96OO\n"), std::string::npos);
}

TEST(MainSettings, ASampleRateTheEngineCannotKeepReadsAsFifty) {
  const struct {
    const char* value;
    std::int32_t expected;
  } cases[] = {{"49", 50}, {"0", 50},    {"-100", 50}, {"50", 50},
               {"51", 51}, {"500", 500}, {"fast", 100}};
  TempFolder folder;
  const fs::path path = folder / "kelvodash.ini";
  for (const auto& c : cases) {
    writeBytes(path, std::string("[Comms]\nSampleRate=") + c.value + "\n");
    EXPECT_EQ(readMainSettings(path).sampleRate, c.expected) << c.value;
  }
}

TEST(MainSettings, AHandEditedFileKeepsItsOtherContent) {
  TempFolder folder;
  const fs::path path = folder / "kelvodash.ini";
  writeBytes(path,
             "; dashboard settings\r\n"
             "[form]\r\n"
             "top=120\r\n"
             "left=80\r\n"
             "initmax=2\r\n"
             "[COMMS]\r\n"
             "baudrate=7812\r\n"
             "Last Port=/dev/ttyUSB0;spare\r\n"
             "[Display]\r\n"
             "TempUnits=F\r\n"
             "[Logger]\r\n"
             "Ch1=RPM\r\n"
             "; end\r\n");
  MainSettings settings = readMainSettings(path);
  EXPECT_EQ(settings.top, 120);
  EXPECT_EQ(settings.left, 80);
  EXPECT_TRUE(settings.initMax);
  EXPECT_EQ(settings.baudRate, "7812");
  EXPECT_EQ(settings.display.tempUnits, "F");

  settings.top = 64;
  settings.initMax = false;
  ASSERT_EQ(writeMainSettings(settings, path), std::nullopt);
  EXPECT_EQ(readBytes(path),
            "; dashboard settings\r\n"
            "\r\n"
            "[form]\r\n"
            "top=64\r\n"
            "left=80\r\n"
            "initmax=0\r\n"
            "\r\n"
            "[COMMS]\r\n"
            "baudrate=7812\r\n"
            "Last Port=/dev/ttyUSB0;spare\r\n"
            "SampleRate=100\r\n"
            "\r\n"
            "[Display]\r\n"
            "TempUnits=F\r\n"
            "SpeedUnits=MPH\r\n"
            "MPGDial=IAC\r\n"
            "\r\n"
            "[Logger]\r\n"
            "Ch1=RPM\r\n"
            "\r\n"
            "[InjFlow]\r\n"
            "FlowRate=210\r\n"
            "\r\n"
            "; end\r\n");
}

TEST(MainSettings, AFailedWriteIsReportedAndLeavesTheFileAsItWas) {
  TempFolder folder;
  // A folder in the file's place cannot be read nor replaced, whoever runs the test.
  const fs::path path = folder / "kelvodash.ini";
  fs::create_directory(path);
  writeBytes(path / "inside", "kept");
  expectDefaultsBut(readMainSettings(path), 100);
  const std::optional<std::string> error = writeMainSettings(MainSettings{}, path);
  ASSERT_TRUE(error.has_value());
  EXPECT_NE(error->find(path.string()), std::string::npos) << *error;
  EXPECT_NE(error->find("Is a directory"), std::string::npos) << *error;
  EXPECT_EQ(readBytes(path / "inside"), "kept");
  EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"kelvodash.ini"});

  // A text that would break into lines of its own is not written at all.
  const fs::path file = folder / "other.ini";
  writeBytes(file, "[Comms]\nBaudRate=7812\n");
  MainSettings typed;
  typed.baudRate = "7812\n[Form]\nTop=-30000";
  const std::optional<std::string> refused = writeMainSettings(typed, file);
  ASSERT_TRUE(refused.has_value());
  EXPECT_NE(refused->find("BaudRate"), std::string::npos) << *refused;
  EXPECT_EQ(readBytes(file), "[Comms]\nBaudRate=7812\n");
}

// Root reads every file, so a test run as root does this part as the user "nobody".
class WithoutPrivileges {
 public:
  WithoutPrivileges() : wasRoot_(::geteuid() == 0) {
    if (wasRoot_) dropped_ = ::seteuid(65534) == 0;
  }
  ~WithoutPrivileges() {
    if (dropped_ && ::seteuid(0) != 0) std::abort();
  }
  bool ok() const { return !wasRoot_ || dropped_; }

 private:
  bool wasRoot_;
  bool dropped_ = false;
};

TEST(MainSettings, AFileThatCannotBeReadIsNotReplaced) {
  TempFolder folder;
  fs::permissions(folder.path(), fs::perms::all);
  const fs::path path = folder / "kelvodash.ini";
  writeBytes(path, "[Comms]\nBaudRate=7812\n[Other]\nKept=1\n");
  fs::permissions(path, fs::perms::none);
  std::optional<std::string> error;
  MainSettings read;
  {
    const WithoutPrivileges nobody;
    if (!nobody.ok()) GTEST_SKIP() << "cannot act as an unprivileged user";
    read = readMainSettings(path);
    error = writeMainSettings(MainSettings{}, path);
  }
  expectDefaultsBut(read, 100);
  ASSERT_TRUE(error.has_value());
  EXPECT_NE(error->find(path.string()), std::string::npos) << *error;
  EXPECT_NE(error->find("Permission denied"), std::string::npos) << *error;
  fs::permissions(path, fs::perms::owner_read);
  EXPECT_EQ(readBytes(path), "[Comms]\nBaudRate=7812\n[Other]\nKept=1\n");
  EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"kelvodash.ini"});
}

}  // namespace
}  // namespace rizazovoz
