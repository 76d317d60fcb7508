#pragma once
// The entries the logger's selectors offer. The selectors are editable, so a channel may also
// hold a name that is in neither list.
#include <string>
#include <vector>

namespace rizazovoz {

// Named parameters (39, for an ECU whose values are decoded) or Address0 ... Address41.
std::vector<std::string> ChannelList(bool namedChannels);

// Seconds per graph division: "1", "2", "5", "10", "15", "30", "60".
std::vector<std::string> TimeBaseList();

}  // namespace rizazovoz
