#pragma once
// What a logger channel name stands for: the live value it plots and the cell it writes.
//   ChannelValue("CTS", values)  -> {85, true}   (plotted 40 higher by the graphs)
//   ChannelText("CTS", values)   -> "86"
// Names match exactly, letter case included; "Address0" ... "Address49" read the raw byte of
// a slot; any other name reads 0 and writes "0". Cells always use '.' as decimal separator,
// so that a comma-separated file keeps one number per column in every locale.
#include <cstdint>
#include <string>
#include <string_view>

#include "livedata/live_values.h"

namespace rizazovoz {

struct ChannelReading {
  std::int32_t value;  // the plotted whole number
  bool offset;         // plotted 40 higher, so that down to -40 shows (temperatures, trims)
  bool operator==(const ChannelReading&) const = default;
};

// A channel name looked up once, for reading at every sampling tick.
class Channel {
 public:
  explicit Channel(std::string_view name = {});
  ChannelReading Reading(const LiveValues& values) const;
  std::string Cell(const LiveValues& values) const;

 private:
  int entry_ = -1;  // index in the parameter table
  int slot_ = -1;   // an address channel's slot
};

ChannelReading ChannelValue(std::string_view name, const LiveValues& values);
std::string ChannelText(std::string_view name, const LiveValues& values);

}  // namespace rizazovoz
