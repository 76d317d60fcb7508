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
#include <utility>

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

class ConnectionSupervisor {
 public:
  static constexpr std::string_view kDefaultBaudRateText = "15625";

  ConnectionSupervisor(LinkPort& link, EcuPoller& poller, EcuSetup& setup, LiveValues& values,
                       StatusPanels& panels, EcuWindows& windows);

  // The Connect command: remembered until the ECU has named itself.
  void Connect() { connectRequested_ = true; }
  // Passed with every open request.
  void SetBaudRateText(std::string text) { baudRateText_ = std::move(text); }
  // Once per tick, before the poller; returns whether the link is open.
  bool Supervise();
  // The ECU's identity answer.
  void HandleIdentity(std::uint8_t i0, std::uint8_t i1);

  std::string_view connectionState() const { return state_; }
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
  std::string_view state_ = kNotConnected;
  std::string identityText_;
  EcuClass ecuClass_ = EcuClass::kNotListed;
  std::string baudRateText_{kDefaultBaudRateText};
  std::optional<std::string> shownLinkStatus_;  // the panels are written when a text changes
};

}  // namespace rizazovoz
