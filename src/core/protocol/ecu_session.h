#pragma once
// The whole ECU conversation as the main window holds it: the connection supervisor, the
// poller, the ECU profile, the live values and the slot decoder. The main window's 50 ms
// timer calls Tick(); its menus and dialogs call the commands; the other windows read the
// live values and the identity through the accessors.
#include <cstdint>
#include <string>
#include <string_view>

#include "common/user_messages.h"
#include "ecudefs/ecu_profile.h"
#include "livedata/dashboard_readouts.h"
#include "livedata/display_settings.h"
#include "livedata/live_values.h"
#include "livedata/slot_decoder.h"
#include "protocol/connection_supervisor.h"
#include "protocol/ecu_frame.h"
#include "protocol/ecu_poller.h"
#include "protocol/ecu_setup.h"
#include "protocol/protocol_views.h"
#include "transport/link_port.h"

namespace rizazovoz {

class EcuSession : private IdentityListener, private SlotByteDecoder {
 public:
  // Everything passed in outlives the session. The settings are read as they are at each
  // data byte and at each ECU setup.
  EcuSession(LinkPort& link, const DisplaySettings& settings, DashboardReadouts& readouts,
             StatusPanels& panels, DashboardGauges& gauges, EcuWindows& windows,
             UserMessages& messages);
  EcuSession(const EcuSession&) = delete;
  EcuSession& operator=(const EcuSession&) = delete;

  // One 50 ms timer tick: supervise the link, then, if it is open, poll.
  void Tick() { poller_.Tick(supervisor_.Supervise()); }

  void Connect() { supervisor_.Connect(); }
  // Commands for the ECU are taken only while it is connected; false: refused, nothing
  // will be sent. One taken but not yet answered when the connection is lost is withdrawn.
  bool RequestReset();
  bool CommandActuator(ActuatorMode mode, int value);
  void SetSampleInterval(int milliseconds) { poller_.SetSampleInterval(milliseconds); }
  BaudRateChange ChangeBaudRate(std::string_view text) { return supervisor_.ChangeBaudRate(text); }
  // At program exit: closes the link for good.
  void CloseLink() { supervisor_.CloseLink(); }

  const LiveValues& values() const { return values_; }
  const EcuProfile& profile() const { return profile_; }
  const std::string& identityText() const { return supervisor_.identityText(); }
  std::string_view airflowKind() const { return profile_.airflowKind; }
  std::string_view idleAirKind() const { return profile_.idleAirKind; }
  std::string_view egrKind() const { return profile_.egrKind; }
  std::string_view connectionState() const { return supervisor_.connectionState(); }
  bool connected() const { return supervisor_.connected(); }
  const std::string& baudRateText() const { return supervisor_.baudRateText(); }
  const EcuPoller& poller() const { return poller_; }
  const ConnectionSupervisor& supervisor() const { return supervisor_; }

 private:
  void OnIdentityAnswer(std::uint8_t i0, std::uint8_t i1) override {
    supervisor_.HandleIdentity(i0, i1);
  }
  void decode(int typeCode, std::uint8_t byte) override { decoder_.decode(typeCode, byte); }

  EcuProfile profile_;
  LiveValues values_;
  SlotDecoder decoder_;
  EcuSetup setup_;
  EcuPoller poller_;
  ConnectionSupervisor supervisor_;
};

}  // namespace rizazovoz
