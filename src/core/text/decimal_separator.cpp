#include "text/decimal_separator.h"

#include <clocale>

namespace rizazovoz {

char decimalSeparatorFromText(const char* decimalPoint) {
  // Our texts are byte strings: a multi-byte separator (e.g. U+066B) cannot be written as one
  // char, so it falls back to the point rather than writing half a character.
  if (decimalPoint == nullptr || decimalPoint[0] == '\0' || decimalPoint[1] != '\0') return '.';
  return decimalPoint[0];
}

char decimalSeparatorFromLocale() {
  const std::lconv* conventions = std::localeconv();
  return decimalSeparatorFromText(conventions ? conventions->decimal_point : nullptr);
}

}  // namespace rizazovoz
