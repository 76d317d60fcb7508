#include "protocol/connection_supervisor.h"

#include "protocol/identity_text.h"

namespace rizazovoz {

namespace {
constexpr std::string_view kInterfacePresent = "RUZ Interface";
constexpr std::string_view kNoInterface = "No Interface";
}  // namespace

ConnectionSupervisor::ConnectionSupervisor(LinkPort& link, EcuPoller& poller, EcuSetup& setup,
                                           LiveValues& values, StatusPanels& panels,
                                           EcuWindows& windows)
    : link_(link),
      poller_(poller),
      setup_(setup),
      values_(values),
      panels_(panels),
      windows_(windows) {}

bool ConnectionSupervisor::Supervise() {
  const std::string status = link_.StatusText();
  if (shownLinkStatus_ != status) {
    panels_.SetStatusPanel(StatusBar::kMain, StatusPanel::kLink, status);
    shownLinkStatus_ = status;
  }

  bool openNeeded = false;
  if (connectRequested_ && status == kInterfacePresent) {
    openNeeded = true;
    poller_.RaiseIdentityRequest();
    SetState(kTryingToConnect);
  } else if (status == kNoInterface && state_ == kConnectedToEcu) {
    // The interface has gone: ask for the identity again once it is back.
    poller_.SetReadingEnabled(false);
    poller_.RaiseIdentityRequest();
    SetState(kWaitingToConnect);
  } else if (status == kInterfacePresent && state_ == kWaitingToConnect) {
    openNeeded = true;
  }

  const bool open = link_.IsOpen();
  if (!open && openNeeded) link_.RequestOpen(baudRateText_);
  return open;
}

void ConnectionSupervisor::HandleIdentity(std::uint8_t i0, std::uint8_t i1) {
  poller_.ClearIdentityRequest();
  connectRequested_ = false;
  identityText_ = IdentityText(i0, i1);
  SetState(kConnectedToEcu);
  panels_.SetStatusPanel(StatusBar::kDataViewer, StatusPanel::kConnection,
                         std::string(kConnectedToEcu));
  ecuClass_ = setup_.Run(identityText_, poller_.sampleIntervalMs());
  windows_.SetFaultViewerEcuId(identityText_);
  values_.faultFlags[4] = 0;
  windows_.SetStatusViewerEcuId(identityText_);
  poller_.SetReadingEnabled(true);
  windows_.SetActuatorFlags(DataDefs::actuatorFlags(identityText_));
  windows_.ShowEcuId(identityText_);
}

void ConnectionSupervisor::SetState(std::string_view state) {
  if (state_ == state) return;
  state_ = state;
  panels_.SetStatusPanel(StatusBar::kMain, StatusPanel::kConnection, std::string(state));
}

}  // namespace rizazovoz
