#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "temp_folder.h"

namespace rizazovoz {
namespace {

// As a Windows program leaves it, edited by hand since: CR LF, names in any letter case,
// comments, a key with spaces, a ";" inside a value, a repeated key, a section of another tool.
constexpr std::string_view kHandEdited =
    "; written by hand\r\n"
    "[comms]\r\n"
    "baudrate = 7812\r\n"
    "Port Name=COM3;fast\r\n"
    "; slower for old cars\r\n"
    "SAMPLERATE=250\r\n"
    "Retry=1\r\n"
    "Retry=2\r\n"
    "\r\n"
    "[Other Tool]\r\n"
    "Colour=Blue\r\n"
    "; last words\r\n";

TEST(IniFile, FindsKeysWithoutRegardToCaseAndTakesTheFirstOfTwo) {
  const IniFile file = IniFile::fromText(kHandEdited);
  EXPECT_EQ(file.getString("Comms", "BaudRate"), "7812");
  EXPECT_EQ(file.getString("COMMS", "port name"), "COM3;fast");
  EXPECT_EQ(file.getInteger("Comms", "SampleRate", 100), 250);
  EXPECT_EQ(file.getString("comms", "retry"), "1");
  EXPECT_EQ(file.getString("other tool", "colour"), "Blue");
  EXPECT_EQ(file.getString("Comms", "Missing"), std::nullopt);
  EXPECT_EQ(file.getString("Missing", "BaudRate", "15625"), "15625");
  EXPECT_EQ(IniFile::fromText("[A]\nEmpty=\n").getString("A", "Empty", "x"), "");
}

TEST(IniFile, RewriteKeepsWhatWasNotSetAndChangesValuesInPlace) {
  IniFile file = IniFile::fromText(kHandEdited);
  ASSERT_TRUE(file.setString("Comms", "BaudRate", "15625"));
  ASSERT_TRUE(file.setInteger("Comms", "SampleRate", 100));
  ASSERT_TRUE(file.setInteger("Comms", "Retry", 3));
  ASSERT_TRUE(file.setString("Comms", "Added", "yes"));
  ASSERT_TRUE(file.setBool("Form", "InitMax", true));
  EXPECT_EQ(file.text(),
            "; written by hand\r\n"
            "\r\n"
            "[comms]\r\n"
            "baudrate=15625\r\n"
            "Port Name=COM3;fast\r\n"
            "\r\n"
            "; slower for old cars\r\n"
            "SAMPLERATE=100\r\n"
            "Retry=3\r\n"
            "Retry=2\r\n"
            "Added=yes\r\n"
            "\r\n"
            "[Other Tool]\r\n"
            "Colour=Blue\r\n"
            "\r\n"
            "[Form]\r\n"
            "InitMax=1\r\n"
            "\r\n"
            "; last words\r\n");
}

TEST(IniFile, NewKeysAndSectionsGoInTheCallersOrder) {
  IniFile file = IniFile::fromText("[S]\nB=1\n");
  ASSERT_TRUE(file.setString("T", "Z", "z"));
  ASSERT_TRUE(file.setString("S", "Z", "z"));
  ASSERT_TRUE(file.setString("S", "A", "a"));
  ASSERT_TRUE(file.setString("R", "M", "m"));
  ASSERT_TRUE(file.setString("S", "b", "2"));
  EXPECT_EQ(file.text(), "[S]\nB=2\nZ=z\nA=a\n\n[T]\nZ=z\n\n[R]\nM=m\n");
}

TEST(IniFile, ReadsWholeNumbersAndElseTheCallersDefault) {
  const struct {
    const char* text;
    std::int32_t expected;
  } cases[] = {
      {"250", 250},
      {" 250 ", 250},
      {"+7", 7},
      {"-50", -50},
      {"0", 0},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"abc", -1},
      {"250ms", -1},
      {"", -1},
      {"2147483648", -1},
      {"12.5", -1},
      {"0x10", -1},
      {"1e3", -1},
  };
  for (const auto& c : cases) {
    const IniFile file = IniFile::fromText(std::string("[S]\nK=") + c.text + "\n");
    EXPECT_EQ(file.getInteger("S", "K", -1), c.expected) << '"' << c.text << '"';
  }
  EXPECT_EQ(IniFile().getInteger("S", "K", -1), -1);
}

TEST(IniFile, BooleansAreNumbersOtherThanZeroAndAreWrittenAsOneOrZero) {
  const struct {
    const char* text;
    bool fallback;
    bool expected;
  } cases[] = {
      {"1", false, true},  {"-1", false, true},   {" 2 ", false, true}, {"0", true, false},
      {"yes", true, true}, {"yes", false, false}, {"", true, true},     {"true", false, false},
  };
  for (const auto& c : cases) {
    const IniFile file = IniFile::fromText(std::string("[S]\nK=") + c.text + "\n");
    EXPECT_EQ(file.getBool("S", "K", c.fallback), c.expected) << '"' << c.text << '"';
  }
  IniFile file;
  ASSERT_TRUE(file.setBool("S", "On", true));
  ASSERT_TRUE(file.setBool("S", "Off", false));
  EXPECT_EQ(file.text(), "[S]\nOn=1\nOff=0\n");
}

TEST(IniFile, RefusesWhatALineCannotHold) {
  const struct {
    const char* section;
    const char* key;
    std::string value;
  } cases[] = {
      {"S", "K", "7812\n[Evil]"}, {"S", "K", "a\rb"}, {"S", "K", std::string("a\0b", 3)},
      {"S", "A=B", "v"},          {"S", "", "v"},     {"S", "; K", "v"},
      {"S", "[K]", "v"},          {"S]", "K", "v"},   {"S\n", "K", "v"},
  };
  for (const auto& c : cases) {
    IniFile file = IniFile::fromText("[S]\nK=old\n");
    EXPECT_FALSE(file.setString(c.section, c.key, c.value)) << c.section << " " << c.key;
    EXPECT_EQ(file.text(), "[S]\nK=old\n") << c.section << " " << c.key;
  }
}

TEST(IniFile, LoadsAndSavesFilesByteForByte) {
  TempFolder folder;
  const auto path = folder / "settings.ini";
  IniFile file;
  EXPECT_EQ(file.load(path), std::nullopt) << "a missing file is empty, not an error";
  EXPECT_EQ(file.text(), "");

  writeBytes(path, kHandEdited);
  ASSERT_EQ(file.load(path), std::nullopt);
  EXPECT_EQ(file.getString("Other Tool", "Colour"), "Blue");
  ASSERT_TRUE(file.setString("Comms", "BaudRate", "15625"));
  ASSERT_EQ(file.save(path), std::nullopt);
  EXPECT_EQ(readBytes(path), file.text());

  const std::optional<std::string> error = file.load(folder.path());
  ASSERT_TRUE(error.has_value());
  EXPECT_NE(error->find(folder.path().string()), std::string::npos) << *error;
  EXPECT_NE(error->find("Is a directory"), std::string::npos) << *error;
  EXPECT_EQ(file.text(), "");
}

}  // namespace
}  // namespace rizazovoz
