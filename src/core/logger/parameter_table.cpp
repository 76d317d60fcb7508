#include "logger/parameter_table.h"

#include <array>

#include "livedata/single_precision.h"
#include "text/number_format.h"

namespace rizazovoz {
namespace {

enum class Plot : std::uint8_t {
  kWhole,      // a whole-number member, as it is
  kTruncated,  // a real member, its fraction dropped
  kTimesTen,   // a real member times 10 (one single-precision step), then truncated
};

// How an entry's member becomes its plotted value and its file cell.
struct Rule {
  Plot plot;
  bool offset;
  int precision;  // of the Fixed cell; 0 writes the cell as Integer
  int digits;
};

constexpr Rule kInteger{Plot::kWhole, false, 0, 0};
constexpr Rule kWholeFixed6{Plot::kWhole, false, 6, 0};
constexpr Rule kWholeFixed4{Plot::kWhole, false, 4, 0};
constexpr Rule kTruncFixed6{Plot::kTruncated, false, 6, 0};
constexpr Rule kTruncFixed2{Plot::kTruncated, false, 2, 2};
constexpr Rule kOffsetFixed3{Plot::kTruncated, true, 3, 0};
constexpr Rule kOffsetFixed2{Plot::kTruncated, true, 2, 2};
constexpr Rule kTimesTen{Plot::kTimesTen, false, 2, 2};

using V = const LiveValues&;

struct Entry {
  std::string_view name;
  std::string_view alias;  // a further name for the same entry, or empty
  double (*read)(V);
  Rule rule;
};

constexpr std::array kTable{
    Entry{"RPM", "", [](V v) -> double { return v.engineSpeed; }, kWholeFixed6},
    Entry{"MAP", "", [](V v) -> double { return v.mapPressure; }, kWholeFixed4},
    Entry{"AFM", "MAF", [](V v) -> double { return v.airFlow; }, kInteger},
    Entry{"Target Idle", "", [](V v) -> double { return v.targetIdle; }, kInteger},
    Entry{"TPS(Angle)", "", [](V v) -> double { return v.tpsPercent; }, kTruncFixed6},
    Entry{"TPS(Volts)", "", [](V v) -> double { return v.tpsVolts; }, kTruncFixed2},
    Entry{"CTS", "", [](V v) -> double { return v.coolantTemp; }, kOffsetFixed3},
    Entry{"IAT", "", [](V v) -> double { return v.airTemp; }, kOffsetFixed3},
    Entry{"VSS", "", [](V v) -> double { return v.roadSpeed; }, kInteger},
    Entry{"INJ PW B1", "", [](V v) -> double { return v.injPulseWidth[0]; }, kTruncFixed6},
    Entry{"INJ PW B2", "", [](V v) -> double { return v.injPulseWidth[1]; }, kTruncFixed6},
    Entry{"O2 Sensor B1", "", [](V v) -> double { return v.o2Volts[0]; }, kTruncFixed2},
    Entry{"O2 Sensor B2", "", [](V v) -> double { return v.o2Volts[1]; }, kTruncFixed2},
    Entry{"Ign Advance", "", [](V v) -> double { return v.ignAdvance; }, kInteger},
    Entry{"STFT B1", "", [](V v) -> double { return v.stft[0]; }, kOffsetFixed2},
    Entry{"STFT B2", "", [](V v) -> double { return v.stft[1]; }, kOffsetFixed2},
    Entry{"LTFT B1", "CFT B1", [](V v) -> double { return v.ltft[0]; }, kOffsetFixed2},
    Entry{"LTFT B2", "CFT B2", [](V v) -> double { return v.ltft[1]; }, kOffsetFixed2},
    Entry{"TFT B1", "", [](V v) -> double { return v.tft[0]; }, kTruncFixed2},
    Entry{"TFT B2", "", [](V v) -> double { return v.tft[1]; }, kTruncFixed2},
    Entry{"Batt Volts*10", "", [](V v) -> double { return v.batteryVolts; }, kTimesTen},
    Entry{"IAC", "", [](V v) -> double { return v.iac; }, kInteger},
    Entry{"IAC Adj Mon", "", [](V v) -> double { return v.iacAdjMon; }, kInteger},
    Entry{"MPG", "", [](V v) -> double { return v.mpg; }, kTruncFixed2},
    Entry{"Fault Codes 0", "Fault Flags 0", [](V v) -> double { return v.faultFlags[0]; },
          kInteger},
    Entry{"Fault Codes 1", "Fault Flags 1", [](V v) -> double { return v.faultFlags[1]; },
          kInteger},
    Entry{"Fault Codes 2", "Fault Flags 2", [](V v) -> double { return v.faultFlags[2]; },
          kInteger},
    Entry{"Fault Codes 3", "Fault Flags 3", [](V v) -> double { return v.faultFlags[3]; },
          kInteger},
    Entry{"Fault Codes 4", "Fault Flags 4", [](V v) -> double { return v.faultFlags[4]; },
          kInteger},
    // Status flags are numbered from 1 on the screen.
    Entry{"Status Flags 1", "", [](V v) -> double { return v.statusFlags[0]; }, kInteger},
    Entry{"Status Flags 2", "", [](V v) -> double { return v.statusFlags[1]; }, kInteger},
    Entry{"Status Flags 3", "", [](V v) -> double { return v.statusFlags[2]; }, kInteger},
    Entry{"Status Flags 4", "", [](V v) -> double { return v.statusFlags[3]; }, kInteger},
    Entry{"EGR Flow", "EGR", [](V v) -> double { return v.egr; }, kInteger},
    Entry{"EGR Temp", "", [](V v) -> double { return v.egrTemp; }, kOffsetFixed3},
    Entry{"Evap Purge", "Can Purge", [](V v) -> double { return v.evapPurge; }, kInteger},
    Entry{"VE", "", [](V v) -> double { return v.ve; }, kInteger},
    Entry{"Ign Trim", "", [](V v) -> double { return v.ignTrim; }, kInteger},
    Entry{"ATM VSS", "TCM VSS", [](V v) -> double { return v.atmVss; }, kInteger},
    Entry{"ATM Pos", "TCM Pos", [](V v) -> double { return v.atmPos; }, kInteger},
    Entry{"ATM Status", "TCM Status", [](V v) -> double { return v.atmStatus; }, kInteger},
    Entry{"Time From Start", "", [](V v) -> double { return v.timeFromStart; }, kInteger},
};

int FindEntry(std::string_view name) {
  for (std::size_t i = 0; i < kTable.size(); ++i) {
    if (kTable[i].name == name || (!kTable[i].alias.empty() && kTable[i].alias == name)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

// An address channel's number is character 8 of a name of 8 characters, otherwise characters
// 8 and 9 ("Address7", "Address41"). Anything but a slot number there leaves no slot.
int AddressSlot(std::string_view name) {
  if (name.empty() || name.front() != 'A' || name.size() < 8) return -1;
  const std::string_view number = name.substr(7, name.size() == 8 ? 1 : 2);
  int slot = 0;
  for (const char c : number) {
    if (c < '0' || c > '9') return -1;
    slot = slot * 10 + (c - '0');
  }
  return slot < kSlotCount ? slot : -1;
}

// The value the entry plots and writes: the member itself, or ten times it.
double Quantity(const Entry& entry, const LiveValues& values) {
  const double member = entry.read(values);
  if (entry.rule.plot == Plot::kTimesTen) return TimesFactor(static_cast<float>(member), 10.0);
  return member;
}

}  // namespace

Channel::Channel(std::string_view name) : entry_(FindEntry(name)) {
  if (entry_ < 0) slot_ = AddressSlot(name);
}

ChannelReading Channel::Reading(const LiveValues& values) const {
  if (entry_ >= 0) {
    const Entry& entry = kTable[static_cast<std::size_t>(entry_)];
    return {TruncToWhole(Quantity(entry, values)), entry.rule.offset};
  }
  if (slot_ >= 0) return {values.rawSlotValues[static_cast<std::size_t>(slot_)], false};
  return {0, false};
}

std::string Channel::Cell(const LiveValues& values) const {
  if (entry_ >= 0) {
    const Entry& entry = kTable[static_cast<std::size_t>(entry_)];
    const double quantity = Quantity(entry, values);
    const Rule& rule = entry.rule;
    if (rule.precision == 0) return formatInteger(static_cast<long long>(quantity));
    return formatFixed(quantity, rule.precision, rule.digits, '.');
  }
  if (slot_ >= 0) return formatInteger(values.rawSlotValues[static_cast<std::size_t>(slot_)]);
  return "0";
}

ChannelReading ChannelValue(std::string_view name, const LiveValues& values) {
  return Channel(name).Reading(values);
}

std::string ChannelText(std::string_view name, const LiveValues& values) {
  return Channel(name).Cell(values);
}

}  // namespace rizazovoz
