#pragma once
// The two number formats used wherever the program shows or writes a number.
#include <string>

namespace rizazovoz {

// Plain decimal text of a whole number: a leading "-" when negative, no digit grouping.
std::string formatInteger(long long value);

// Fixed-point text of a real value. The value is rounded, halves away from zero and decided on
// the exact binary value of `value`, to at most `precision` significant digits (taken as 2..18)
// and at most `digits` decimals (negative taken as 0, at most 18). When the rounded value has
// more integer digits than `precision` allows it is written in scientific form ("1.4E2",
// "-1E3"); otherwise as integer digits (at least one) and, when `digits` > 0, the separator and
// exactly `digits` decimals padded with zeros ("12.00"). A value that rounds to zero carries no
// minus sign. Infinities and undefined values are written "INF", "-INF" and "NAN".
std::string formatFixed(double value, int precision, int digits, char decimalSeparator);

}  // namespace rizazovoz
