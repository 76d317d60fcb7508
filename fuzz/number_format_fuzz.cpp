// The number formats and the whole-number reader under arbitrary values. The input holds, in
// order: a double (any bit pattern: NaN, infinities, denormals), the precision and the digits
// (any int32), the separator byte, a long long, and the rest as text for parseInteger.
//
// Checked: formatFixed writes the shape its contract describes and a value within half a unit
// of the last place kept, whatever the separator; formatInteger reads back to its value and
// parseInteger takes it back inside 32 bits; parseInteger takes exactly a signed decimal
// number within 32 bits, with blanks around.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "text/integer_text.h"
#include "text/number_format.h"

namespace rizazovoz::fuzz {
namespace {

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// The run of digits at `position`, which moves past it.
std::string_view DigitsAt(std::string_view text, std::size_t& position) {
  const std::size_t start = position;
  while (position < text.size() && IsDigit(text[position])) ++position;
  return text.substr(start, position - start);
}

void CheckFixed(double value, int precision, int digits, char separator) {
  const std::string text = formatFixed(value, precision, digits, '.');
  // The separator takes the place of the point and changes nothing else.
  const std::string withSeparator = formatFixed(value, precision, digits, separator);
  FUZZ_CHECK(withSeparator.size() == text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    FUZZ_CHECK(withSeparator[i] == (text[i] == '.' ? separator : text[i]));
  }

  if (std::isnan(value)) {
    FUZZ_CHECK(text == "NAN");
    return;
  }
  if (std::isinf(value)) {
    FUZZ_CHECK(text == (value < 0 ? "-INF" : "INF"));
    return;
  }

  // [-] integer digits [. decimals] [E exponent]
  std::size_t position = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) ++position;
  const std::string_view integer = DigitsAt(text, position);
  std::string_view fraction;
  if (position < text.size() && text[position] == '.') {
    ++position;
    fraction = DigitsAt(text, position);
    FUZZ_CHECK(!fraction.empty());
  }
  std::string_view exponent;
  const bool scientific = position < text.size() && text[position] == 'E';
  if (scientific) {
    ++position;
    exponent = DigitsAt(text, position);
    FUZZ_CHECK(!exponent.empty() && (exponent.size() == 1 || exponent[0] != '0'));
  }
  FUZZ_CHECK(position == text.size());
  FUZZ_CHECK(!integer.empty());

  const int significant = std::clamp(precision, 2, 18);
  const int decimals = std::clamp(digits, 0, 18);
  const std::string kept = std::string(integer) + std::string(fraction);
  const std::size_t first = kept.find_first_not_of('0');
  const bool zero = first == std::string::npos;
  // A minus sign only on a negative value that did not round to zero.
  FUZZ_CHECK(negative == (std::signbit(value) && !zero));
  if (scientific) {
    // One digit before the point, no trailing zeros after it, used only when the integer
    // digits would be more than the precision allows.
    FUZZ_CHECK(integer.size() == 1 && integer[0] != '0');
    FUZZ_CHECK(fraction.empty() || fraction.back() != '0');
    FUZZ_CHECK(static_cast<int>(1 + fraction.size()) <= significant);
    int power = 0;
    const auto parsed = std::from_chars(exponent.data(), exponent.data() + exponent.size(), power);
    FUZZ_CHECK(parsed.ec == std::errc() && power >= significant);
  } else {
    FUZZ_CHECK(integer.size() == 1 || integer[0] != '0');
    FUZZ_CHECK(static_cast<int>(integer.size()) <= significant);
    FUZZ_CHECK(static_cast<int>(fraction.size()) == decimals);
    if (!zero) {
      const std::size_t last = kept.find_last_not_of('0');
      FUZZ_CHECK(static_cast<int>(last - first + 1) <= significant);
    }
  }

  // Rounded to 10^-k with k = min(decimals, significant - e - 1), where 10^e <= |value|: the
  // error is at most half of max(10^-decimals, |value| * 10^(1 - significant)). Long double
  // holds the text even where it overflows a double (DBL_MAX rounded up).
  const long double exact = std::fabs(static_cast<long double>(value));
  const long double written = std::fabs(std::strtold(text.c_str(), nullptr));
  const long double bound =
      std::max(0.5L * std::pow(10.0L, -decimals), 0.5L * exact * std::pow(10.0L, 1 - significant));
  const long double slack = 1e-18L * std::max(exact, written);
  FUZZ_CHECK(std::fabs(written - exact) <= bound + slack);
}

// What parseInteger must give: an optional sign and decimal digits within 32 bits, with
// spaces and tabs around them.
std::optional<std::int32_t> ExpectedInteger(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return std::nullopt;
  text = text.substr(begin, text.find_last_not_of(" \t") + 1 - begin);
  const bool negative = text[0] == '-';
  if (text[0] == '-' || text[0] == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  std::int64_t magnitude = 0;
  for (const char ch : text) {
    if (!IsDigit(ch)) return std::nullopt;
    magnitude = std::min<std::int64_t>(magnitude * 10 + (ch - '0'), std::int64_t{1} << 32);
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

void CheckInteger(long long value) {
  const std::string text = formatInteger(value);
  const bool negative = value < 0;
  const std::string_view digits = std::string_view(text).substr(negative ? 1 : 0);
  FUZZ_CHECK(!negative || text[0] == '-');
  FUZZ_CHECK(!digits.empty() && std::all_of(digits.begin(), digits.end(), IsDigit));
  FUZZ_CHECK(digits.size() == 1 || digits[0] != '0');

  long long back = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), back);
  FUZZ_CHECK(error == std::errc() && end == text.data() + text.size() && back == value);

  const bool fits = value >= std::numeric_limits<std::int32_t>::min() &&
                    value <= std::numeric_limits<std::int32_t>::max();
  const std::optional<std::int32_t> parsed = parseInteger(text);
  FUZZ_CHECK(parsed.has_value() == fits);
  if (fits) {
    FUZZ_CHECK(*parsed == value);
    if (!negative) FUZZ_CHECK(parseInteger(" \t+" + text + "\t ") == parsed);
  }
}

}  // namespace
}  // namespace rizazovoz::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rizazovoz;
  fuzz::FuzzInput in(data, size);
  const auto value = in.Raw<double>();
  const auto precision = in.Raw<std::int32_t>();
  const auto digits = in.Raw<std::int32_t>();
  const auto separator = static_cast<char>(in.Byte());
  const auto whole = in.Raw<long long>();
  const std::string text = in.Text(in.remaining());

  fuzz::CheckFixed(value, precision, digits, separator);
  fuzz::CheckInteger(whole);
  FUZZ_CHECK(parseInteger(text) == fuzz::ExpectedInteger(text));
  return 0;
}
