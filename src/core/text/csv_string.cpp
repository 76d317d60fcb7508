#include "text/csv_string.h"

#include <climits>
#include <cstddef>
#include <stdexcept>
#include <utility>

namespace rizazovoz {
namespace {

constexpr std::size_t kLongest = INT_MAX;  // length() counts in an int

std::string Checked(std::string chars) {
  if (chars.size() > kLongest) throw std::length_error("CSVString longer than an int counts");
  return chars;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

CSVString::CSVString(const char* text) : chars_(Checked(text == nullptr ? "" : text)) {}

CSVString::CSVString(const CSVString& other) = default;

CSVString& CSVString::operator=(const CSVString& other) {
  if (this != &other) chars_ = other.chars_;
  return *this;
}

CSVString::CSVString(CSVString&& other) noexcept : chars_(std::move(other.chars_)) {
  other.chars_.clear();
}

CSVString& CSVString::operator=(CSVString&& other) noexcept {
  if (this != &other) {
    chars_ = std::move(other.chars_);
    other.chars_.clear();
  }
  return *this;
}

void CSVString::append(char c) {
  if (c == '\0') throw std::invalid_argument("CSVString cannot hold a zero byte");
  if (chars_.size() >= kLongest) throw std::length_error("CSVString longer than an int counts");
  chars_.push_back(c);
}

void CSVString::clear() { chars_.clear(); }

bool CSVString::split(CSVString& field, CSVString& rest) {
  // Both parts are copied out before either output is written: this value may be one of them.
  const std::size_t separator = chars_.find_first_of(",\r\n");
  std::string first = chars_.substr(0, separator);
  std::string after = separator == std::string::npos ? std::string() : chars_.substr(separator + 1);
  field.chars_ = std::move(first);
  rest.chars_ = std::move(after);
  return separator != std::string::npos;
}

bool CSVString::differs(const CSVString& other) const {
  if (chars_.size() != other.chars_.size()) return true;
  for (std::size_t i = 0; i < chars_.size(); ++i) {
    if (AsciiLower(chars_[i]) != AsciiLower(other.chars_[i])) return true;
  }
  return false;
}

}  // namespace rizazovoz
