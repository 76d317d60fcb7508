#pragma once
// The conversation with the ECU once the link is open, driven by the main window's 50 ms
// timer. Each tick takes the received bytes, cuts them into frames, drops the echo of the
// last request, acts on each answer and, on every due tick, sends one request (identity,
// reset, actuator command, data read, in that priority) or counts the previous one as
// unanswered. One request is in flight at a time; a request flag stays raised until its
// answer is acted on, so an unanswered request is repeated.
//
// All conversation state, received bytes not yet parsed included, lives here: a modal box
// opened while an answer is handled runs further ticks before it returns, and those nested
// ticks carry on with the same conversation.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/user_messages.h"
#include "ecudefs/ecu_profile.h"
#include "livedata/live_values.h"
#include "protocol/ecu_frame.h"
#include "protocol/frame_receiver.h"
#include "protocol/protocol_views.h"
#include "transport/link_port.h"

namespace rizazovoz {

// Receives the first two payload bytes of each identity answer.
class IdentityListener {
 public:
  virtual ~IdentityListener() = default;
  virtual void OnIdentityAnswer(std::uint8_t i0, std::uint8_t i1) = 0;
};

// Decodes one data byte by its slot's type code (0..48), after its raw value was stored.
class SlotByteDecoder {
 public:
  virtual ~SlotByteDecoder() = default;
  virtual void decode(int typeCode, std::uint8_t byte) = 0;
};

class EcuPoller {
 public:
  static constexpr int kTimerIntervalMs = 50;
  static constexpr int kDefaultSampleIntervalMs = 100;

  // Everything passed in outlives the poller; the profile is read at every request and answer.
  EcuPoller(LinkPort& link, const EcuProfile& profile, LiveValues& values, SlotByteDecoder& decoder,
            IdentityListener& identity, StatusPanels& panels, UserMessages& messages);
  EcuPoller(const EcuPoller&) = delete;
  EcuPoller& operator=(const EcuPoller&) = delete;

  // One timer tick. With the link closed only the tick is counted.
  void Tick(bool linkOpen);

  void RequestReset() { resetWanted_ = true; }
  void CommandActuator(ActuatorMode mode, int value);
  // Lowers the reset and actuator requests: the ECU they were meant for is gone, and they
  // must never reach whatever answers next.
  void WithdrawCommands();
  // Takes effect from the next tick. Intervals below the timer interval are raised to it.
  void SetSampleInterval(int milliseconds);
  void RaiseIdentityRequest() { identityWanted_ = true; }
  void ClearIdentityRequest() { identityWanted_ = false; }
  void SetReadingEnabled(bool enabled) { readingEnabled_ = enabled; }

  int sampleIntervalMs() const { return sampleIntervalMs_; }
  int ticksPerSample() const { return sampleIntervalMs_ / kTimerIntervalMs; }
  std::uint32_t tickCount() const { return tickCount_; }
  int rxErrorCount() const { return rxErrorCount_; }
  // The fourth status panel's text: "Bad Data Count 0" until the first miss, then
  // "Rx Errors " and the count.
  std::string ErrorText() const;
  int readPosition() const { return readPosition_; }
  bool identityWanted() const { return identityWanted_; }
  bool resetWanted() const { return resetWanted_; }
  bool actuatorWanted() const { return actuatorWanted_; }
  bool readingEnabled() const { return readingEnabled_; }
  bool awaitingResponse() const { return awaitingResponse_; }

 private:
  enum class Request { kNone, kIdentify, kReset, kActuator, kRead };

  void TakeReceivedBytes();
  void FeedPendingBytes();
  void HandleFrame(const EcuFrame& frame);
  void StoreDataAnswer(const EcuFrame& frame);
  void Schedule();
  void DeclareUnanswered();
  bool Send(const EcuFrame& frame, Request request);

  LinkPort& link_;
  const EcuProfile& profile_;
  LiveValues& values_;
  SlotByteDecoder& decoder_;
  IdentityListener& identity_;
  StatusPanels& panels_;
  UserMessages& messages_;

  std::uint32_t tickCount_ = 0;  // wraps after about 6.8 years of ticks
  int sampleIntervalMs_ = kDefaultSampleIntervalMs;
  bool identityWanted_ = false;
  bool resetWanted_ = false;
  bool actuatorWanted_ = false;
  ActuatorMode actuatorMode_ = ActuatorMode::Cancel;
  int actuatorValue_ = 0;
  // Each command raised is numbered; an acknowledgement ends the request only when it
  // answers the newest, so that Cancel pressed while a command is in flight is still sent.
  std::uint64_t actuatorRaised_ = 0;
  std::uint64_t actuatorSent_ = 0;
  bool readingEnabled_ = false;
  bool awaitingResponse_ = false;
  bool skipEcho_ = false;
  int readPosition_ = 0;
  AddressBlock addressBlock_{};
  Request lastRequest_ = Request::kNone;
  int lastReadPosition_ = 0;  // the position the last read request was built from
  int rxErrorCount_ = 0;
  FrameReceiver receiver_;

  // Bytes taken from the link but not yet fed: [pendingBegin_, pendingEnd_). Twice the ring
  // so that a nested tick can take a full ring behind what the interrupted tick left.
  std::array<std::uint8_t, 2 * kRingCapacity> pending_{};
  std::size_t pendingBegin_ = 0;
  std::size_t pendingEnd_ = 0;

  // Ticks are numbered as they start; a tick interrupted by a modal box leaves the due
  // request to a nested tick that has already sent one, instead of counting it as missed.
  std::uint64_t tickSerial_ = 0;
  std::uint64_t lastScheduledSerial_ = 0;
};

}  // namespace rizazovoz
