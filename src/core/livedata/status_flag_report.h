#pragma once
// The status flag viewer's rows, in words: for each status bit the connected ECU implements,
// in bit order (most significant bit of each byte first), its name and its state, the on-text
// when the bit is set and the off-text when not ("ON"/"OFF", "RICH"/"LEAN", ...).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ecudefs/status_defs.h"

namespace rizazovoz {

using StatusBytes = std::array<std::uint8_t, kStatusByteCount>;

struct StatusRow {
  std::string name;
  std::string state;
  bool operator==(const StatusRow&) const = default;
};

class StatusFlagReport {
 public:
  void SetIdentity(std::string_view identity);
  bool identified() const { return identified_; }

  std::vector<StatusRow> Rows(const StatusBytes& status) const;

 private:
  struct Flag {
    std::string name;
    std::string off;
    std::string on;
  };

  StatusDefs defs_;
  std::array<Flag, kStatusBitCount> flags_;
  std::array<bool, kStatusBitCount> implemented_{};
  bool identified_ = false;
};

}  // namespace rizazovoz
