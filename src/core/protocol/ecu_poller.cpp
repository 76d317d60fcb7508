#include "protocol/ecu_poller.h"

#include <algorithm>

namespace rizazovoz {

EcuPoller::EcuPoller(LinkPort& link, const EcuProfile& profile, LiveValues& values,
                     SlotByteDecoder& decoder, IdentityListener& identity, StatusPanels& panels,
                     UserMessages& messages)
    : link_(link),
      profile_(profile),
      values_(values),
      decoder_(decoder),
      identity_(identity),
      panels_(panels),
      messages_(messages) {}

void EcuPoller::CommandActuator(ActuatorMode mode, int value) {
  actuatorMode_ = mode;
  actuatorValue_ = value;
  actuatorWanted_ = true;
  ++actuatorRaised_;
}

void EcuPoller::WithdrawCommands() {
  resetWanted_ = false;
  actuatorWanted_ = false;
}

void EcuPoller::SetSampleInterval(int milliseconds) {
  sampleIntervalMs_ = std::max(milliseconds, kTimerIntervalMs);
}

std::string EcuPoller::ErrorText() const {
  if (rxErrorCount_ == 0) return "Bad Data Count 0";
  return "Rx Errors " + std::to_string(rxErrorCount_);
}

void EcuPoller::Tick(bool linkOpen) {
  // The tick's number and due state are fixed before anything can open a modal box.
  const std::uint64_t serial = ++tickSerial_;
  const bool due = tickCount_ % static_cast<std::uint32_t>(ticksPerSample()) == 0;
  ++tickCount_;
  if (!linkOpen) return;
  TakeReceivedBytes();
  FeedPendingBytes();
  if (due && lastScheduledSerial_ < serial) {
    lastScheduledSerial_ = serial;
    Schedule();
  }
}

void EcuPoller::TakeReceivedBytes() {
  // Keep what an interrupted tick has not fed yet, and take the link's bytes behind it.
  std::copy(pending_.begin() + pendingBegin_, pending_.begin() + pendingEnd_, pending_.begin());
  pendingEnd_ -= pendingBegin_;
  pendingBegin_ = 0;
  if (pending_.size() - pendingEnd_ < kRingCapacity) return;  // the rest waits in the link
  pendingEnd_ += link_.TakeBytes(pending_.data() + pendingEnd_);
}

void EcuPoller::FeedPendingBytes() {
  // The position is a member: a nested tick inside HandleFrame goes on from the next byte.
  while (pendingBegin_ < pendingEnd_) {
    const std::uint8_t byte = pending_[pendingBegin_++];
    if (const std::optional<EcuFrame> frame = receiver_.Feed(byte)) HandleFrame(*frame);
  }
}

void EcuPoller::HandleFrame(const EcuFrame& frame) {
  if (skipEcho_) {
    // Our own request heard back on the shared line.
    skipEcho_ = false;
    return;
  }
  // Any answer ends the wait, whichever request it belongs to. Cleared before acting, so
  // that ticks run by a modal box below do not count this answer as missing.
  awaitingResponse_ = false;
  const std::span<const std::uint8_t> payload = frame.payload();
  switch (static_cast<EcuCommand>(frame.command())) {
    case EcuCommand::Identify:
      // An answer too short to name the ECU leaves the request raised, so it is repeated.
      if (payload.size() >= 2) identity_.OnIdentityAnswer(payload[0], payload[1]);
      break;
    case EcuCommand::ReadBlock:
      StoreDataAnswer(frame);
      break;
    case EcuCommand::ResetEcu:
      resetWanted_ = false;
      // An answer without a result byte does not report success.
      messages_.showMessage(!payload.empty() && payload[0] == 0 ? "ECU successfully reset"
                                                                : "ECU reset failed");
      break;
    case EcuCommand::ActuatorTest:
      if (actuatorSent_ == actuatorRaised_) actuatorWanted_ = false;
      break;
  }
}

void EcuPoller::StoreDataAnswer(const EcuFrame& frame) {
  const std::span<const std::uint8_t> payload = frame.payload();
  for (std::size_t k = 0; k < payload.size() && k < addressBlock_.size(); ++k) {
    const int slot = static_cast<int>(addressBlock_[k]) - profile_.baseAddress;
    if (slot < 0 || slot >= kSlotCount) continue;  // not a slot of this ECU: dropped
    values_.rawSlotValues[static_cast<std::size_t>(slot)] = payload[k];
    if (!profile_.layoutLoaded) continue;  // raw values only: no layout to decode them by
    const int typeCode = profile_.slotTypes[static_cast<std::size_t>(slot)] & 0xFF;
    if (typeCode <= 48) decoder_.decode(typeCode, payload[k]);
  }
}

void EcuPoller::Schedule() {
  if (awaitingResponse_) {
    DeclareUnanswered();
  } else if (identityWanted_) {
    Send(BuildIdentifyRequest(), Request::kIdentify);
  } else if (resetWanted_) {
    Send(BuildResetRequest(), Request::kReset);
  } else if (actuatorWanted_) {
    if (Send(BuildActuatorCommand(actuatorMode_, actuatorValue_), Request::kActuator)) {
      actuatorSent_ = actuatorRaised_;
    }
  } else if (readingEnabled_) {
    const ReadRequest read = BuildReadRequest(profile_.baseAddress, readPosition_);
    if (!Send(read.frame, Request::kRead)) return;  // the same block next time
    addressBlock_ = read.addressBlock;
    lastReadPosition_ = readPosition_;
    readPosition_ += static_cast<int>(kReadBlockSize);
    if (readPosition_ > profile_.endAddress - profile_.baseAddress) readPosition_ = 0;
  }
}

void EcuPoller::DeclareUnanswered() {
  skipEcho_ = false;
  awaitingResponse_ = false;
  receiver_.Reset();
  if (lastRequest_ == Request::kRead) readPosition_ = lastReadPosition_;
  ++rxErrorCount_;
  const std::string text = ErrorText();
  panels_.SetStatusPanel(StatusBar::kMain, StatusPanel::kErrors, text);
  panels_.SetStatusPanel(StatusBar::kDataViewer, StatusPanel::kErrors, text);
}

bool EcuPoller::Send(const EcuFrame& frame, Request request) {
  const std::span<const std::uint8_t> bytes = frame.bytes();
  // The link takes a frame whole or not at all. Not taken, nothing is on its way: no answer
  // is awaited, and the request, still raised, goes out on the next due tick.
  if (link_.QueueBytes(bytes.data(), bytes.size()) != bytes.size()) return false;
  lastRequest_ = request;
  skipEcho_ = true;
  awaitingResponse_ = true;
  return true;
}

}  // namespace rizazovoz
