#include "sim/simulated_ecu.h"

#include <algorithm>
#include <cctype>

#include "protocol/identity_text.h"
#include "sim/fault_bits.h"

namespace rizazovoz {
namespace {

constexpr int kBitsPerByte = 10;  // start bit, 8 data bits, stop bit
constexpr double kRpmPerTargetStep = 7.843;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
  return -1;
}

EngineModelConfig EngineOf(EngineModelConfig engine, std::string_view identity) {
  engine.faultBits = FaultBitsFor(identity);
  return engine;
}

}  // namespace

std::optional<std::array<std::uint8_t, 2>> ParseIdentity(std::string_view text) {
  if (text.size() != 4) return std::nullopt;
  std::array<int, 4> digits{};
  for (std::size_t i = 0; i < 4; ++i) {
    digits[i] = HexDigit(text[i]);
    if (digits[i] < 0) return std::nullopt;
  }
  return std::array<std::uint8_t, 2>{static_cast<std::uint8_t>(digits[0] * 16 + digits[1]),
                                     static_cast<std::uint8_t>(digits[2] * 16 + digits[3])};
}

SimulatedEcu::SimulatedEcu(const SimulatedEcuConfig& config, time_point start)
    : identityBytes_(ParseIdentity(config.identity).value_or(std::array<std::uint8_t, 2>{})),
      identity_(IdentityText(identityBytes_[0], identityBytes_[1])),
      processingDelay_(config.processingDelay),
      baudRate_(config.baudRate),
      echo_(config.echo),
      engine_(EngineOf(config.engine, identity_)),
      memory_(identity_),
      engineTime_(start),
      lineFreeAt_(start) {
  memory_.Encode(engine_.state());
}

void SimulatedEcu::Receive(std::span<const std::uint8_t> bytes, time_point now) {
  AdvanceTo(now);
  if (echo_) Emit(bytes);  // the shared line hands every byte straight back
  for (const std::uint8_t byte : bytes) {
    if (std::optional<EcuFrame> frame = receiver_.Feed(byte)) HandleRequest(*frame, now);
  }
}

void SimulatedEcu::AdvanceTo(time_point now) {
  while (scheduledCount_ > 0 && scheduled_[scheduledBegin_].due <= now) {
    ScheduledAnswer& answer = scheduled_[scheduledBegin_];
    if (answer.due > engineTime_) {
      engine_.Advance(answer.due - engineTime_);
      engineTime_ = answer.due;
    }
    Emit(std::span(answer.bytes.data(), answer.size));
    ++answersSent_;
    scheduledBegin_ = (scheduledBegin_ + 1) % kMaxScheduledAnswers;
    --scheduledCount_;
  }
  if (now > engineTime_) {
    engine_.Advance(now - engineTime_);
    engineTime_ = now;
  }
}

std::size_t SimulatedEcu::Take(std::uint8_t* buffer, std::size_t capacity) {
  const std::size_t count = std::min(capacity, outputCount_);
  for (std::size_t i = 0; i < count; ++i) {
    buffer[i] = output_[(outputBegin_ + i) % kOutputCapacity];
  }
  outputBegin_ = (outputBegin_ + count) % kOutputCapacity;
  outputCount_ -= count;
  return count;
}

std::optional<SimulatedEcu::time_point> SimulatedEcu::NextAnswerDue() const {
  if (scheduledCount_ == 0) return std::nullopt;
  return scheduled_[scheduledBegin_].due;
}

void SimulatedEcu::ResetLine() {
  receiver_.Reset();
  lineFreeAt_ = engineTime_;
  scheduledCount_ = 0;
  outputCount_ = 0;
}

void SimulatedEcu::HandleRequest(const EcuFrame& request, time_point now) {
  ++requestsHeard_;
  if (silent_) return;
  const EcuFrame answer = Answer(request);
  if (dropAnswers_ > 0) {
    --dropAnswers_;
    return;
  }
  Schedule(answer, request.bytes().size(), now);
}

EcuFrame SimulatedEcu::Answer(const EcuFrame& request) {
  const std::span<const std::uint8_t> data = request.payload();
  switch (static_cast<EcuCommand>(request.command())) {
    case EcuCommand::Identify:
      return EcuFrame::Make(request.command(), identityBytes_);
    case EcuCommand::ReadBlock: {
      memory_.Encode(engine_.state());
      std::array<std::uint8_t, kMaxFramePayload> bytes{};
      for (std::size_t k = 0; k < data.size(); ++k) bytes[k] = memory_.Read(data[k]);
      return EcuFrame::Make(request.command(), std::span(bytes.data(), data.size()));
    }
    case EcuCommand::ResetEcu: {
      engine_.ClearStoredFaults();
      const std::uint8_t success = 0;
      return EcuFrame::Make(request.command(), std::span(&success, 1));
    }
    case EcuCommand::ActuatorTest:
      StartTest(data);
      return EcuFrame::Make(request.command(), {});
  }
  return EcuFrame::Make(request.command(), {});  // not reached: only commands start frames
}

void SimulatedEcu::StartTest(std::span<const std::uint8_t> data) {
  // Data byte k is frame byte 2 + k; the pattern of set bytes names the test.
  std::array<std::uint8_t, kMaxFramePayload> d{};
  std::copy_n(data.begin(), std::min(data.size(), d.size()), d.begin());
  if (d[0] == 0xC0) {
    engine_.StartTest(EngineTest::kHoldIdle, d[1] * kRpmPerTargetStep);
  } else if (d[0] == 0x80) {
    engine_.StartTest(EngineTest::kIacCalibration);
  } else if (d[0] != 0) {
    engine_.StartTest(EngineTest::kFixAdvance, d[0]);
  } else if (d[5] == 0xC0) {
    engine_.StartTest(EngineTest::kEgrStep, d[6]);
  } else if (d[3] == 0x01 && d[4] == 0x01) {
    engine_.StartTest(EngineTest::kEgrSolenoid);
  } else if (d[3] == 0x80 && d[4] == 0x80) {
    engine_.StartTest(EngineTest::kRadiatorFan);
  } else if (d[3] == 0x40 && d[4] == 0x40) {
    engine_.StartTest(EngineTest::kCanisterPurge);
  } else if (d[3] == 0x04 && d[4] == 0x04) {
    engine_.StartTest(EngineTest::kFuelPump);
  } else {
    engine_.StartTest(EngineTest::kNone);  // the all-zero command, and anything unknown
  }
}

void SimulatedEcu::Schedule(const EcuFrame& answer, std::size_t requestLength, time_point now) {
  if (scheduledCount_ == kMaxScheduledAnswers) return;  // a flooded ECU misses requests
  ScheduledAnswer& slot = scheduled_[(scheduledBegin_ + scheduledCount_) % kMaxScheduledAnswers];
  const std::span<const std::uint8_t> bytes = answer.bytes();
  std::copy(bytes.begin(), bytes.end(), slot.bytes.begin());
  slot.size = bytes.size();
  if (corruptAnswers_ > 0) {
    --corruptAnswers_;
    slot.bytes[slot.size - 1] ^= 0x5A;  // the sum no longer comes to 0
  }
  const auto delay = LineTime(requestLength + slot.size) +
                     std::chrono::duration_cast<std::chrono::nanoseconds>(processingDelay_);
  slot.due = std::max(now, lineFreeAt_) + delay;
  lineFreeAt_ = slot.due;
  ++scheduledCount_;
}

void SimulatedEcu::Emit(std::span<const std::uint8_t> bytes) {
  for (const std::uint8_t byte : bytes) {
    if (outputCount_ == kOutputCapacity) return;  // nobody reads: the line loses the rest
    output_[(outputBegin_ + outputCount_) % kOutputCapacity] = byte;
    ++outputCount_;
  }
}

std::chrono::nanoseconds SimulatedEcu::LineTime(std::size_t bytes) const {
  const std::uint32_t baud = baudRate_ == 0 ? 1 : baudRate_;
  return std::chrono::nanoseconds(static_cast<std::int64_t>(bytes) * kBitsPerByte *
                                  1'000'000'000LL / baud);
}

}  // namespace rizazovoz
