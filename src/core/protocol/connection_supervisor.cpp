#include "protocol/connection_supervisor.h"

#include "protocol/identity_text.h"
#include "text/integer_text.h"
#include "transport/baud_rate.h"

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

  const bool open = link_.IsOpen();
  if (closing_) return open;

  bool openNeeded = false;
  if (connectRequested_ && status == kInterfacePresent) {
    openNeeded = true;
    poller_.RaiseIdentityRequest();
    SetState(kTryingToConnect);
  } else if (state_ == kConnectedToEcu && (status == kNoInterface || !open)) {
    // The interface has gone, or the link thread closed it because it failed while still
    // listed (a cable that re-enumerated between two list reads, a port that hung up and
    // came straight back): either way, reopen and ask for the identity again.
    poller_.SetReadingEnabled(false);
    poller_.RaiseIdentityRequest();
    SetState(kWaitingToConnect);
  } else if (status == kInterfacePresent && state_ == kWaitingToConnect) {
    openNeeded = true;
  }

  if (!open && openNeeded) link_.RequestOpen(baudRateText_);
  return open;
}

BaudRateChange ConnectionSupervisor::ChangeBaudRate(std::string_view text) {
  const std::optional<std::int32_t> number = parseInteger(text);
  if (!number) return BaudRateChange::kNotAWholeNumber;
  if (*number < 1 || static_cast<std::uint32_t>(*number) > kHighestBaudRate) {
    return BaudRateChange::kNotABaudRate;
  }
  std::string rate = std::to_string(*number);
  // A device that is not open takes the rate at its next open.
  if (link_.IsOpen() && link_.ChangeBaudRate(rate)) return BaudRateChange::kRefused;
  baudRateText_ = std::move(rate);
  return BaudRateChange::kApplied;
}

void ConnectionSupervisor::CloseLink() {
  closing_ = true;
  link_.RequestClose();
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
  // A reset or actuator command not yet answered was meant for the ECU that was connected.
  if (state_ == kConnectedToEcu) poller_.WithdrawCommands();
  state_ = state;
  panels_.SetStatusPanel(StatusBar::kMain, StatusPanel::kConnection, std::string(state));
}

}  // namespace rizazovoz
