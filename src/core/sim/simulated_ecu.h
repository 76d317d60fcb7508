#pragma once
// The ECU end of the shared serial line, without the wires: every byte the program sends is
// heard back at once (the line echoes it), and each complete, valid request frame is answered
// after the time its bytes and the answer's take on the line plus a few milliseconds:
//   identity -> the two identity bytes; read -> one memory byte per requested address;
//   reset -> success, stored faults cleared; actuator -> acknowledgement, test started.
// The memory follows the engine model. Faults can be injected: dropped answers, answers with
// a wrong checksum, or an ECU that answers nothing at all.
//
// Not thread-safe, and it never looks at a clock itself: callers pass the time, so that the
// same code runs under the steady clock and under a test's hand-driven one.
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "protocol/ecu_frame.h"
#include "protocol/frame_receiver.h"
#include "sim/clock.h"
#include "sim/ecu_memory.h"
#include "sim/engine_model.h"

namespace rizazovoz {

struct SimulatedEcuConfig {
  // Four hexadecimal digits: any identity, listed or not ("1103", "1B34", "ABCD").
  std::string identity = "1103";
  // Its faultBits are replaced by the fault bits the identity reports (FaultBitsFor).
  EngineModelConfig engine;
  // The ECU's own thinking time, on top of the bytes' time on the line.
  std::chrono::microseconds processingDelay{3000};
  // Until the device is opened at another rate.
  std::uint32_t baudRate = 15625;
  // The shared line hands every sent byte back. Off where something else already does
  // (a real line on a bench) or where a plain pipe is wanted.
  bool echo = true;
};

// The two identity bytes of four hexadecimal digits (either letter case); nothing for
// anything else.
std::optional<std::array<std::uint8_t, 2>> ParseIdentity(std::string_view text);

class SimulatedEcu {
 public:
  using time_point = Clock::time_point;

  static constexpr std::size_t kOutputCapacity = 1024;
  static constexpr std::size_t kMaxScheduledAnswers = 8;

  // An identity that does not parse (ParseIdentity) makes the ECU name itself 00 00.
  SimulatedEcu(const SimulatedEcuConfig& config, time_point start);

  void SetBaudRate(std::uint32_t baudRate) { baudRate_ = baudRate; }
  std::uint32_t baudRate() const { return baudRate_; }

  // Bytes the program sent, heard at `now`.
  void Receive(std::span<const std::uint8_t> bytes, time_point now);
  // Runs the engine and the answers that are due up to `now`.
  void AdvanceTo(time_point now);
  // Bytes on their way to the program: echoes and answers that are due.
  std::size_t Available() const { return outputCount_; }
  std::size_t Take(std::uint8_t* buffer, std::size_t capacity);
  // Bytes put on the line from the ECU's side, outside the protocol (noise, tests).
  void Inject(std::span<const std::uint8_t> bytes) { Emit(bytes); }
  // When the next scheduled answer goes out; nothing when none is scheduled.
  std::optional<time_point> NextAnswerDue() const;
  // The line is opened afresh: bytes on the way, partial requests and pending answers go.
  void ResetLine();

  // Faults. Counts add up; a silent ECU keeps echoing (the line does that) but answers
  // nothing, and requests heard while silent are not answered later.
  void DropAnswers(int count) { dropAnswers_ += count; }
  void CorruptAnswers(int count) { corruptAnswers_ += count; }
  void SetSilent(bool silent) { silent_ = silent; }

  const std::string& identity() const { return identity_; }
  std::array<std::uint8_t, 2> identityBytes() const { return identityBytes_; }
  const EngineModel& engine() const { return engine_; }
  const EcuMemory& memory() const { return memory_; }
  int requestsHeard() const { return requestsHeard_; }
  int answersSent() const { return answersSent_; }

 private:
  struct ScheduledAnswer {
    std::array<std::uint8_t, kMaxFrameLength> bytes{};
    std::size_t size = 0;
    time_point due{};
  };

  void HandleRequest(const EcuFrame& request, time_point now);
  EcuFrame Answer(const EcuFrame& request);
  void StartTest(std::span<const std::uint8_t> data);
  void Schedule(const EcuFrame& answer, std::size_t requestLength, time_point now);
  void Emit(std::span<const std::uint8_t> bytes);
  std::chrono::nanoseconds LineTime(std::size_t bytes) const;

  std::array<std::uint8_t, 2> identityBytes_{};
  std::string identity_;  // as the program writes it: the key of the identity tables
  std::chrono::microseconds processingDelay_;
  std::uint32_t baudRate_;
  bool echo_;

  EngineModel engine_;
  EcuMemory memory_;
  time_point engineTime_;
  FrameReceiver receiver_;

  std::array<ScheduledAnswer, kMaxScheduledAnswers> scheduled_{};
  std::size_t scheduledBegin_ = 0;
  std::size_t scheduledCount_ = 0;
  time_point lineFreeAt_{};  // answers follow one another on the line

  std::array<std::uint8_t, kOutputCapacity> output_{};
  std::size_t outputBegin_ = 0;
  std::size_t outputCount_ = 0;

  int dropAnswers_ = 0;
  int corruptAnswers_ = 0;
  bool silent_ = false;
  int requestsHeard_ = 0;
  int answersSent_ = 0;
};

}  // namespace rizazovoz
