#pragma once
// A small text value that owns its characters and splits off its first comma-separated
// field: how a status text "name,off-text,on-text" is taken apart field by field.
// Characters are single bytes, no encoding is assumed. The value never holds a zero byte of
// its own, so text() is the whole value, zero-terminated. Copies are deep.
#include <string>

namespace rizazovoz {

class CSVString {
 public:
  // Copies the zero-terminated text; a null pointer is taken as the empty text.
  explicit CSVString(const char* text);
  CSVString(const CSVString& other);
  // Assigning a value to itself changes nothing.
  CSVString& operator=(const CSVString& other);
  // A moved-from value is empty and usable.
  CSVString(CSVString&& other) noexcept;
  CSVString& operator=(CSVString&& other) noexcept;

  // Adds one character at the end. Throws std::invalid_argument for a zero byte, which the
  // value cannot hold, and std::length_error past the largest length an int counts.
  void append(char c);
  void clear();

  // Takes the first field off the value. With a separator (",", CR or LF) in the value:
  // `field` gets the characters before the first one, `rest` those after it, and the result
  // is true. Without one: `field` gets the whole value, `rest` is emptied, and the result is
  // false. The separator goes to neither and separators are not merged: "a,,b" gives "a",
  // then "" and "b". The value itself is unchanged unless it is passed as `rest` (or
  // `field`): split(field, *this) consumes a text field by field.
  bool split(CSVString& field, CSVString& rest);

  const char* text() const { return chars_.c_str(); }
  int length() const { return static_cast<int>(chars_.size()); }

  // True unless the two texts are equal with the letter case of A..Z ignored.
  bool differs(const CSVString& other) const;

 private:
  std::string chars_;
};

}  // namespace rizazovoz
