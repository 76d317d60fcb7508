#include "livedata/fault_code_report.h"

namespace rizazovoz {

void FaultCodeReport::SetIdentity(std::string_view identity) {
  for (int bit = 0; bit < kFaultBitCount; ++bit) {
    codeTexts_[static_cast<std::size_t>(bit)] = defs_.FaultText(identity, bit);
  }
  identified_ = true;
}

std::string FaultCodeReport::Entries(const FaultBytes& faults, bool stored) const {
  std::string text;
  for (int bit = 0; bit < kFaultBitCount; ++bit) {
    const int byte = FaultByteOf(bit);
    if (IsStoredFaultByte(byte) != stored) continue;
    if ((faults[static_cast<std::size_t>(byte)] & FaultMaskOf(bit)) == 0) continue;
    // A text is the two-character code, one separator and the description.
    const std::string& t = codeTexts_[static_cast<std::size_t>(bit)];
    text += "Code " + t.substr(0, 2) + "\n" + (t.size() > 3 ? t.substr(3) : "") + "\n\n";
  }
  return text;
}

std::string FaultCodeReport::CurrentText(const FaultBytes& faults) const {
  const bool any = faults[0] != 0 || faults[1] != 0 || faults[4] != 0;
  return any ? Entries(faults, false) : "No Current Codes";
}

std::string FaultCodeReport::StoredText(const FaultBytes& faults) const {
  const bool any = faults[2] != 0 || faults[3] != 0;
  return any ? Entries(faults, true) : "No Stored Codes";
}

}  // namespace rizazovoz
