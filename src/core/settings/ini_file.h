#pragma once
// An INI settings file as the program's users already have them: "[Section]" headers and
// "Key=Value" lines. Section and key names match without regard to letter case; a line
// starting with ";" is a comment, while a ";" later in a line belongs to the value. What the
// program does not set (other sections and keys, comments, the file's CR LF or LF line ends)
// is written back as it was read. When a key occurs twice, the first one counts.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace rizazovoz {

class IniFile {
 public:
  IniFile();
  ~IniFile();
  IniFile(IniFile&&) noexcept;  // the moved-from one may only be assigned to or destroyed
  IniFile& operator=(IniFile&&) noexcept;

  static IniFile fromText(std::string_view text);

  // Replaces the content with the file's. A missing file gives an empty content; a file that
  // cannot be read also does, and its error text is returned.
  [[nodiscard]] std::optional<std::string> load(const std::filesystem::path& path);

  // Writes the content safely (see replaceWholeFile): the error text, or nothing on success.
  [[nodiscard]] std::optional<std::string> save(const std::filesystem::path& path) const;

  // The file's text as save writes it.
  std::string text() const;

  // The value as written, blanks around it removed; nothing when the key is missing.
  std::optional<std::string> getString(std::string_view section, std::string_view key) const;
  std::string getString(std::string_view section, std::string_view key,
                        std::string_view fallback) const;
  // A signed decimal number with blanks around; anything else gives `fallback`.
  std::int32_t getInteger(std::string_view section, std::string_view key,
                          std::int32_t fallback) const;
  // True for a number other than 0, false for 0; anything else gives `fallback`.
  bool getBool(std::string_view section, std::string_view key, bool fallback) const;

  // An existing key keeps its place and spelling; a new key goes at the end of its section,
  // a new section at the end of the file, both in the order they are set. A value, key or
  // section that a line cannot hold (a line break, "=" in a key, "]" in a section name) is
  // refused: false, and nothing changes.
  [[nodiscard]] bool setString(std::string_view section, std::string_view key,
                               std::string_view value);
  bool setInteger(std::string_view section, std::string_view key, std::int32_t value);
  bool setBool(std::string_view section, std::string_view key, bool value);  // 1 or 0

 private:
  struct Content;
  std::unique_ptr<Content> content_;
};

}  // namespace rizazovoz
