#include "settings/ini_file.h"

#include <new>
#include <utility>
#include <vector>

#include "settings/whole_file.h"
#include "text/integer_text.h"

// Narrow characters only, stored as read. Debian's SimpleIni keeps the template bodies behind
// SI_IMPLEMENTATION; this file is the only one that includes it, so they are compiled here.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

namespace rizazovoz {

namespace {

constexpr std::string_view kBlanks = " \t\r\n";

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool isComment(std::string_view line) {
  return !line.empty() && (line.front() == ';' || line.front() == '#');
}

bool holdsLineBreak(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool storable(std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view name = trimmed(key);
  return !holdsLineBreak(section) && section.find(']') == std::string_view::npos &&
         !holdsLineBreak(key) && !name.empty() && key.find('=') == std::string_view::npos &&
         !isComment(name) && name.front() != '[' && !holdsLineBreak(value);
}

}  // namespace

struct IniFile::Content {
  // Several values for one key are all kept and written back; a set replaces the first one
  // only, which is also the one that reads.
  CSimpleIniA ini{/*a_bIsUtf8=*/false, /*a_bMultiKey=*/true, /*a_bMultiLine=*/false};
  bool crlf = false;
  // Comment lines after the last section or key: the parser keeps a comment only with the
  // entry that follows it, so these are kept here.
  std::vector<std::string> trailingComments;

  Content() { ini.SetSpaces(false); }

  void parse(std::string_view text) {
    const std::size_t firstBreak = text.find('\n');
    crlf = firstBreak != std::string_view::npos && firstBreak > 0 && text[firstBreak - 1] == '\r';

    std::size_t entriesEnd = 0;
    for (std::size_t pos = 0; pos < text.size();) {
      const std::size_t lineEnd = text.find('\n', pos);
      const std::size_t next = lineEnd == std::string_view::npos ? text.size() : lineEnd + 1;
      const std::string_view line = trimmed(text.substr(pos, next - pos));
      if (isComment(line)) {
        trailingComments.emplace_back(line);
      } else if (!line.empty()) {
        entriesEnd = next;
        trailingComments.clear();
      }
      pos = next;
    }
    if (ini.LoadData(text.data(), entriesEnd) == SI_NOMEM) throw std::bad_alloc();
  }

  // The parser's output, with its line ends, at most one blank line in a row and the trailing
  // comments after the entries.
  std::string text() const {
    std::string raw;
    if (ini.Save(raw, /*a_bAddSignature=*/true) == SI_NOMEM) throw std::bad_alloc();
    std::vector<std::string_view> lines;
    for (std::size_t pos = 0; pos < raw.size();) {
      const std::size_t lineEnd = raw.find('\n', pos);
      const std::size_t next = lineEnd == std::string::npos ? raw.size() : lineEnd + 1;
      lines.push_back(std::string_view(raw).substr(pos, next - pos - (lineEnd != raw.npos)));
      pos = next;
    }
    if (!trailingComments.empty()) lines.emplace_back();
    for (const std::string& comment : trailingComments) lines.push_back(comment);

    const std::string_view lineEnd = crlf ? "\r\n" : "\n";
    std::string out;
    bool blank = true;  // no blank line at the start
    for (const std::string_view line : lines) {
      if (line.empty() && blank) continue;
      blank = line.empty();
      out += line;
      out += lineEnd;
    }
    if (blank && !out.empty()) out.resize(out.size() - lineEnd.size());
    return out;
  }
};

IniFile::IniFile() : content_(std::make_unique<Content>()) {}
IniFile::~IniFile() = default;
IniFile::IniFile(IniFile&&) noexcept = default;
IniFile& IniFile::operator=(IniFile&&) noexcept = default;

IniFile IniFile::fromText(std::string_view text) {
  IniFile file;
  file.content_->parse(text);
  return file;
}

std::optional<std::string> IniFile::load(const std::filesystem::path& path) {
  std::string text;
  std::optional<std::string> error = readWholeFile(path, text);
  *this = fromText(text);
  return error;
}

std::optional<std::string> IniFile::save(const std::filesystem::path& path) const {
  std::string contents;
  try {
    contents = text();
  } catch (const std::bad_alloc&) {
    return "Cannot write " + path.string() + ": out of memory";
  }
  return replaceWholeFile(path, contents);
}

std::string IniFile::text() const { return content_->text(); }

std::optional<std::string> IniFile::getString(std::string_view section,
                                              std::string_view key) const {
  const char* value =
      content_->ini.GetValue(std::string(section).c_str(), std::string(key).c_str(), nullptr);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

std::string IniFile::getString(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
  return getString(section, key).value_or(std::string(fallback));
}

std::int32_t IniFile::getInteger(std::string_view section, std::string_view key,
                                 std::int32_t fallback) const {
  const std::optional<std::string> text = getString(section, key);
  if (!text) return fallback;
  return parseInteger(*text).value_or(fallback);
}

bool IniFile::getBool(std::string_view section, std::string_view key, bool fallback) const {
  const std::optional<std::string> text = getString(section, key);
  if (!text) return fallback;
  const std::optional<std::int32_t> value = parseInteger(*text);
  return value ? *value != 0 : fallback;
}

bool IniFile::setString(std::string_view section, std::string_view key, std::string_view value) {
  if (!storable(section, key, value)) return false;
  const std::string sectionText(section);
  const std::string keyText(trimmed(key));
  const std::string valueText(value);
  // Replace the first value rather than add another one.
  struct SingleKeyWhileSetting {
    CSimpleIniA& ini;
    explicit SingleKeyWhileSetting(CSimpleIniA& i) : ini(i) { ini.SetMultiKey(false); }
    ~SingleKeyWhileSetting() { ini.SetMultiKey(true); }
  } single(content_->ini);
  const SI_Error result =
      content_->ini.SetValue(sectionText.c_str(), keyText.c_str(), valueText.c_str());
  if (result == SI_NOMEM) throw std::bad_alloc();
  return true;
}

bool IniFile::setInteger(std::string_view section, std::string_view key, std::int32_t value) {
  return setString(section, key, std::to_string(value));
}

bool IniFile::setBool(std::string_view section, std::string_view key, bool value) {
  return setString(section, key, value ? "1" : "0");
}

}  // namespace rizazovoz
