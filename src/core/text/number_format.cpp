#include "text/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace rizazovoz {
namespace {

// The exact decimal value of a finite, non-negative double: digits[0] is its first significant
// digit (no digits for zero) and `exponent` the power of ten of that digit.
struct ExactDecimal {
  std::string digits;
  int exponent = 0;
};

// Every double is a finite binary fraction, so its decimal expansion ends: at most 767
// significant digits. Asked for more than that, the C library prints the binary value exactly,
// without rounding anything itself; the rounding below then works on the true value.
ExactDecimal exactDecimal(double magnitude) {
  if (magnitude == 0.0) return {};
  constexpr int kFractionDigits = 770;
  char text[kFractionDigits + 16];
  std::snprintf(text, sizeof text, "%.*e", kFractionDigits, magnitude);  // "d.ddd...e±xx"
  ExactDecimal exact;
  exact.digits.reserve(kFractionDigits + 1);
  exact.digits.push_back(text[0]);
  exact.digits.append(text + 2, kFractionDigits);
  exact.exponent = std::atoi(text + 2 + kFractionDigits + 1);
  return exact;
}

// A rounded value: `digits` × 10^-scale, with no leading zeros; no digits means zero.
struct RoundedDecimal {
  std::string digits;
  int scale = 0;
};

// Rounds to `decimals` places after the point (negative: to tens, hundreds, ...), halves away
// from zero. The digits are exact, so "the rest is at least half" is "the next digit is >= 5".
RoundedDecimal roundHalfAway(const ExactDecimal& exact, int decimals) {
  RoundedDecimal rounded{{}, decimals};
  const int kept = exact.exponent + 1 + decimals;  // digits from the first one down to 10^-decimals
  if (exact.digits.empty() || kept < 0) return rounded;
  rounded.digits = exact.digits.substr(0, static_cast<std::size_t>(kept));
  const bool roundUp =
      static_cast<std::size_t>(kept) < exact.digits.size() && exact.digits[kept] >= '5';
  if (!roundUp) return rounded;
  int i = kept - 1;
  for (; i >= 0 && rounded.digits[i] == '9'; --i) rounded.digits[i] = '0';
  if (i >= 0) {
    ++rounded.digits[i];
  } else {
    rounded.digits.insert(rounded.digits.begin(), '1');  // 99.96 -> 100.0: one digit more
  }
  return rounded;
}

}  // namespace

std::string formatInteger(long long value) {
  char text[24];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::string formatFixed(double value, int precision, int digits, char decimalSeparator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  const int significant = std::clamp(precision, 2, 18);
  const int decimals = std::clamp(digits, 0, 18);

  const ExactDecimal exact = exactDecimal(std::fabs(value));
  // At most `significant` digits and at most `decimals` decimals: the stricter place wins.
  RoundedDecimal rounded =
      roundHalfAway(exact, std::min(decimals, significant - exact.exponent - 1));

  std::string text;
  if (rounded.digits.empty()) {  // rounds to zero: "0.00", never "-0.00"
    text = "0";
    if (decimals > 0) text.append(1, decimalSeparator).append(decimals, '0');
    return text;
  }
  if (std::signbit(value)) text = "-";

  const int integerDigits = static_cast<int>(rounded.digits.size()) - rounded.scale;
  if (integerDigits > significant) {
    text += rounded.digits[0];
    std::string rest = rounded.digits.substr(1);
    rest.erase(rest.find_last_not_of('0') + 1);
    if (!rest.empty()) text.append(1, decimalSeparator).append(rest);
    return text + "E" + formatInteger(integerDigits - 1);
  }

  std::string& number = rounded.digits;
  if (rounded.scale < 0) {  // rounded to tens or coarser: write the zeros out
    number.append(static_cast<std::size_t>(-rounded.scale), '0');
    rounded.scale = 0;
  }
  const auto scale = static_cast<std::size_t>(rounded.scale);
  if (number.size() <= scale) number.insert(0, scale + 1 - number.size(), '0');  // "0.0x"
  text.append(number, 0, number.size() - scale);
  if (decimals > 0) {
    text.append(1, decimalSeparator).append(number, number.size() - scale, scale);
    text.append(static_cast<std::size_t>(decimals) - scale, '0');
  }
  return text;
}

}  // namespace rizazovoz
