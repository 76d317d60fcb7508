#include "logger/channel_lists.h"

namespace rizazovoz {

std::vector<std::string> ChannelList(bool namedChannels) {
  if (namedChannels) {
    return {"RPM",
            "MAP",
            "AFM",
            "Target Idle",
            "TPS(Angle)",
            "TPS(Volts)",
            "CTS",
            "IAT",
            "VSS",
            "INJ PW B1",
            "INJ PW B2",
            "O2 Sensor B1",
            "O2 Sensor B2",
            "Ign Advance",
            "STFT B1",
            "STFT B2",
            "LTFT B1",
            "LTFT B2",
            "Batt Volts*10",
            "IAC",
            "IAC Adj Mon",
            "MPG",
            "Fault Codes 0",
            "Fault Codes 1",
            "Fault Codes 2",
            "Fault Codes 3",
            "Fault Codes 4",
            "Status Flags 1",
            "Status Flags 2",
            "Status Flags 3",
            "Status Flags 4",
            "EGR Flow",
            "EGR Temp",
            "Evap Purge",
            "VE",
            "Ign Trim",
            "ATM VSS",
            "ATM Pos",
            "ATM Status"};
  }
  std::vector<std::string> list;
  for (int slot = 0; slot <= 41; ++slot) list.push_back("Address" + std::to_string(slot));
  return list;
}

std::vector<std::string> TimeBaseList() { return {"1", "2", "5", "10", "15", "30", "60"}; }

}  // namespace rizazovoz
