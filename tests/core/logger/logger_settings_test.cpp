#include "logger/logger_settings.h"

#include <gtest/gtest.h>

#include <map>

#include "../settings/temp_folder.h"
#include "logger/output_folder.h"

namespace rizazovoz {
namespace {

namespace fs = std::filesystem;

EnvironmentLookup Environment(std::map<std::string, std::string> variables) {
  return [variables = std::move(variables)](const char* name) -> std::optional<std::string> {
    const auto found = variables.find(name);
    if (found == variables.end()) return std::nullopt;
    return found->second;
  };
}

TEST(LoggerSettings, AMissingFileReadsAsDefaultsAndIsWrittenWithAllNineKeys) {
  TempFolder folder;
  fs::create_directories(folder / "home/Documents");
  const fs::path path = folder / "bin/kelvolog.ini";
  const LoggerSettings settings =
      readLoggerSettings(path, Environment({{"HOME", (folder / "home").string()}}));
  EXPECT_EQ(settings.filePath, (folder / "home/Documents").string());
  ASSERT_EQ(writeLoggerSettings(settings, path), std::nullopt);
  EXPECT_EQ(readBytes(path),
            "[Form]\nTop=50\nLeft=50\nInitMax=0\n\n"
            "[File]\nFile Path=" +
                (folder / "home/Documents").string() +
                "\n\n"
                "[Log]\nCh1=RPM\nCh2=MAP\nCh3=CTS\nCh4=IAT\nTimeBase=10\n");
}

TEST(LoggerSettings, StoredValuesAreTakenAsTheyAreAndOtherLinesKept) {
  TempFolder folder;
  const fs::path path = folder / "kelvolog.ini";
  writeBytes(path,
             "[Form]\r\nTop=-20\r\nLeft=abc\r\nInitMax=2\r\n"
             "[File]\r\nFile Path=C://\r\n"
             "[Log]\r\nCh1=rpm\r\nCh3=Address7\r\nTimeBase=whatever\r\nOwn=kept\r\n");
  LoggerSettings settings = readLoggerSettings(path, Environment({}));
  EXPECT_EQ(settings.top, -20);
  EXPECT_EQ(settings.left, 50);
  EXPECT_TRUE(settings.initMax);
  EXPECT_EQ(settings.filePath, "C://");
  EXPECT_EQ(settings.channels, (std::array<std::string, 4>{"rpm", "MAP", "Address7", "IAT"}));
  EXPECT_EQ(settings.timeBase, "whatever");

  settings.channels[1] = "Batt Volts*10";
  settings.timeBase = "30";
  ASSERT_EQ(writeLoggerSettings(settings, path), std::nullopt);
  EXPECT_EQ(readBytes(path),
            "[Form]\r\nTop=-20\r\nLeft=50\r\nInitMax=1\r\n\r\n"
            "[File]\r\nFile Path=C://\r\n\r\n"
            "[Log]\r\nCh1=rpm\r\nCh3=Address7\r\nTimeBase=30\r\nOwn=kept\r\nCh2=Batt Volts*10\r\n"
            "Ch4=IAT\r\n");
  settings.channels[0] = "two\nlines";
  const std::optional<std::string> refused = writeLoggerSettings(settings, path);
  ASSERT_TRUE(refused.has_value());
  EXPECT_NE(refused->find(path.string()), std::string::npos);
}

TEST(OutputFolder, TheDocumentsFolderIsTheFirstThatExists) {
  TempFolder folder;
  const std::string home = (folder / "home").string();
  fs::create_directories(folder / "home/.config");
  fs::create_directories(folder / "home/Papers");
  fs::create_directories(folder / "elsewhere");
  const auto userDirs = [&](std::string_view line) {
    writeBytes(folder / "home/.config/user-dirs.dirs",
               "# written by the desktop\n" + std::string(line) + "\n");
  };

  userDirs("XDG_DOCUMENTS_DIR=\"$HOME/Papers\"");
  EXPECT_EQ(DocumentsFolder(Environment({{"HOME", home}})), folder / "home/Papers");
  EXPECT_EQ(DocumentsFolder(Environment(
                {{"HOME", home}, {"XDG_DOCUMENTS_DIR", (folder / "elsewhere").string()}})),
            folder / "elsewhere");
  EXPECT_EQ(DocumentsFolder(Environment(
                {{"HOME", home}, {"XDG_CONFIG_HOME", (folder / "elsewhere").string()}})),
            fs::path(home))
      << "no user-dirs.dirs there, no Documents";

  userDirs("XDG_DOCUMENTS_DIR=\"" + (folder / "elsewhere").string() + "\"");
  EXPECT_EQ(DocumentsFolder(Environment({{"HOME", home}})), folder / "elsewhere");

  userDirs("XDG_DOCUMENTS_DIR=\"$HOME/Missing\"");
  EXPECT_EQ(DocumentsFolder(Environment({{"HOME", home}})), fs::path(home));
  fs::create_directories(folder / "home/Documents");
  EXPECT_EQ(DocumentsFolder(Environment({{"HOME", home}})), folder / "home/Documents");

  EXPECT_EQ(DocumentsFolder(Environment({})), std::nullopt);
}

}  // namespace
}  // namespace rizazovoz
