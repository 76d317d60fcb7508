#include "protocol/identity_text.h"

namespace rizazovoz {

std::string IdentityText(std::uint8_t i0, std::uint8_t i1) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[i0 >> 4], kDigits[i0 & 0xF], kDigits[i1 >> 4], kDigits[i1 & 0xF]};
}

}  // namespace rizazovoz
