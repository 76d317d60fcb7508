#include "livedata/status_flag_report.h"

#include "text/csv_string.h"

namespace rizazovoz {

void StatusFlagReport::SetIdentity(std::string_view identity) {
  const CSVString unimplemented(std::string(kUnimplementedStatusName).c_str());
  for (int bit = 0; bit < kStatusBitCount; ++bit) {
    // "name,off-text,on-text", taken apart once here rather than on every refresh.
    CSVString rest(defs_.StatusText(identity, bit).c_str());
    CSVString name("");
    CSVString off("");
    CSVString on("");
    rest.split(name, rest);
    rest.split(off, rest);
    rest.split(on, rest);
    const auto i = static_cast<std::size_t>(bit);
    flags_[i] = Flag{name.text(), off.text(), on.text()};
    implemented_[i] = name.differs(unimplemented);
  }
  identified_ = true;
}

std::vector<StatusRow> StatusFlagReport::Rows(const StatusBytes& status) const {
  std::vector<StatusRow> rows;
  for (int bit = 0; bit < kStatusBitCount; ++bit) {
    const auto i = static_cast<std::size_t>(bit);
    if (!implemented_[i]) continue;
    const bool set = (status[static_cast<std::size_t>(StatusByteOf(bit))] & StatusMaskOf(bit)) != 0;
    rows.push_back({flags_[i].name, set ? flags_[i].on : flags_[i].off});
  }
  return rows;
}

}  // namespace rizazovoz
