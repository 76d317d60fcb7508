#pragma once
// Keeps the link to the ECU up. Runs first in every timer tick: shows the link thread's
// status, turns the user's connect command into an open request and an identity request,
// notices the interface going and coming back, and says whether the poller may run. When
// the ECU names itself it records the identity, runs the ECU setup and passes the identity
// to the diagnostic windows. There is no disconnect: once connected, the link is kept or
// restored until the program ends.
#include <optional>
#include <string>
#include <string_view>

#include "ecudefs/data_defs.h"
#include "livedata/live_values.h"
#include "protocol/ecu_poller.h"
#include "protocol/ecu_setup.h"
#include "protocol/protocol_views.h"
#include "transport/link_port.h"

namespace rizazovoz {

inline constexpr std::string_view kNotConnected = "Not Connected";
inline constexpr std::string_view kTryingToConnect = "Trying to Connect";
inline constexpr std::string_view kWaitingToConnect = "Waiting to Connect";
inline constexpr std::string_view kConnectedToEcu = "Connected to ECU";

// What became of a baud rate the user chose.
enum class BaudRateChange {
  kApplied,          // the open device runs at it (or will open at it); it is stored
  kNotAWholeNumber,  // nothing changed
  kNotABaudRate,     // a whole number, but no rate a device can take: nothing changed
  kRefused,          // the open device refused it or did not answer: the last rate is kept
};

class ConnectionSupervisor {
 public:
  static constexpr std::string_view kDefaultBaudRateText = "15625";

  ConnectionSupervisor(LinkPort& link, EcuPoller& poller, EcuSetup& setup, LiveValues& values,
                       StatusPanels& panels, EcuWindows& windows);

  // The Connect command: remembered until the ECU has named itself.
  void Connect() { connectRequested_ = true; }
  // The rate for later opens, and for the open device at once. A text with blanks around
  // the number is taken; it is stored as plain digits.
  BaudRateChange ChangeBaudRate(std::string_view text);
  // The program is closing: the link is closed and no longer reopened.
  void CloseLink();
  // Once per tick, before the poller; returns whether the link is open.
  bool Supervise();
  // The ECU's identity answer.
  void HandleIdentity(std::uint8_t i0, std::uint8_t i1);

  std::string_view connectionState() const { return state_; }
  // Commands for the ECU (reset, actuator tests) are taken only in this state.
  bool connected() const { return state_ == kConnectedToEcu; }
  const std::string& identityText() const { return identityText_; }
  EcuClass ecuClass() const { return ecuClass_; }
  bool connectRequested() const { return connectRequested_; }
  const std::string& baudRateText() const { return baudRateText_; }

 private:
  void SetState(std::string_view state);

  LinkPort& link_;
  EcuPoller& poller_;
  EcuSetup& setup_;
  LiveValues& values_;
  StatusPanels& panels_;
  EcuWindows& windows_;

  bool connectRequested_ = false;
  bool closing_ = false;
  std::string_view state_ = kNotConnected;
  std::string identityText_;
  EcuClass ecuClass_ = EcuClass::kNotListed;
  std::string baudRateText_{kDefaultBaudRateText};
  std::optional<std::string> shownLinkStatus_;  // the panels are written when a text changes
};

}  // namespace rizazovoz
