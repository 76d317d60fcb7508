// The receive path under arbitrary input: a whole EcuSession on a fake link, driven by a script
// that the input spells. Each step is an opcode byte (taken modulo the number of steps) and
// its operands: bytes arriving from the line, timer ticks, the user's commands, the cable
// coming and going, a modal box that keeps the timer ticking. fuzz/make_corpus.py writes such
// scripts.
//
// Checked on the way: every request the session queues is a well-formed request frame, at
// most one goes out per tick and only on a due tick with the link open, the receive error
// count never goes down, and the connection state and the identity stay meaningful.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "fake_link_port.h"
#include "fuzz_input.h"
#include "livedata/dashboard_readouts.h"
#include "livedata/display_settings.h"
#include "protocol/connection_supervisor.h"
#include "protocol/ecu_session.h"

namespace rizazovoz::fuzz {
namespace {

// The steps of a script; the numbers are the opcodes (fuzz/make_corpus.py uses them too).
enum Step : std::uint8_t {
  kReceive = 0,         // n, then n bytes from the line
  kTick = 1,            // one 50 ms timer tick
  kTicks = 2,           // n: n + 1 ticks
  kConnect = 3,         // the Connect command
  kReset = 4,           // the reset command
  kActuator = 5,        // mode byte (any value), value (int32): an actuator command
  kSampleInterval = 6,  // int32 milliseconds
  kBaudRate = 7,        // n: the next n % 16 bytes as the baud rate text
  kFlipStatus = 8,      // the interface is listed / not listed
  kFlipOpen = 9,        // the device opens / closes under the session
  kUnplug = 10,         // the cable is pulled: not listed, closed, line bytes lost
  kReplug = 11,         // the cable is back (closed until the session asks)
  kModal = 12,          // n: from now on a message box runs n % 4 ticks before it closes
  kAnswer = 13,         // c, payload: an ECU frame with a good checksum, command by c % 4,
                        // payload length (c / 4) % 9
  kEcho = 14,           // the line hears the last request back
  kSettings = 15,       // s (units and dial by bits 0..2; bit 3: an int32 flow rate follows)
  kTxRoom = 16,         // n: the transmit ring has room for n bytes at each tick from now on
  kStepCount = 17,
};

constexpr int kMaxTicks = 4096;  // per input, nested ticks included: keeps each run short
constexpr int kMaxModalDepth = 2;
constexpr std::string_view kListed = "RUZ Interface";
constexpr std::string_view kNotListed = "No Interface";
constexpr std::array<std::uint8_t, 4> kCommands = {0x10, 0x13, 0x14, 0x15};

// The request frames the program may send: identity and reset without payload, a data read
// naming eight consecutive addresses, an actuator command with eight data bytes.
bool IsWellFormedRequest(std::span<const std::uint8_t> frame) {
  if (frame.size() < 3 || frame.size() > 11 || frame[1] != frame.size()) return false;
  std::uint8_t sum = 0;
  for (const std::uint8_t byte : frame) sum = static_cast<std::uint8_t>(sum + byte);
  if (sum != 0) return false;
  switch (frame[0]) {
    case 0x10:
    case 0x14:
      return frame.size() == 3;
    case 0x13:
      for (std::size_t k = 1; k < 8; ++k) {
        if (frame[2 + k] != static_cast<std::uint8_t>(frame[2] + k)) return false;
      }
      return frame.size() == 11;
    case 0x15:
      return frame.size() == 11;
    default:
      return false;
  }
}

bool IsIdentityText(const std::string& text) {
  if (text.empty()) return true;  // not named yet
  if (text.size() != 4) return false;
  for (const char ch : text) {
    if (!((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F'))) return false;
  }
  return true;
}

// The link, the windows and the user in one: the session's whole surroundings.
class SessionRig final : public FakeLinkPort,
                         public StatusPanels,
                         public DashboardGauges,
                         public EcuWindows,
                         public UserMessages {
 public:
  SessionRig() {
    status = kListed;  // plugged in, not open
    open = false;
  }

  void Run(FuzzInput& in) {
    while (!in.empty()) Do(static_cast<Step>(in.Byte() % kStepCount), in);
  }

  // LinkPort: the link thread opens the device at the next tick when it is listed.
  void RequestOpen(std::string_view) override { openRequested_ = true; }
  std::size_t QueueBytes(const std::uint8_t* bytes, std::size_t count) override {
    FUZZ_CHECK(open);
    FUZZ_CHECK(tick_ != nullptr);  // requests go out from ticks only
    FUZZ_CHECK(tick_->due);
    FUZZ_CHECK(tick_->requests == 0);
    ++tick_->requests;
    const std::span<const std::uint8_t> frame(bytes, count);
    FUZZ_CHECK(IsWellFormedRequest(frame));
    if (count > transmitFree_) return 0;  // a frame goes out whole or not at all
    transmitFree_ -= count;
    std::copy_n(bytes, count, lastSent_.begin());
    lastSentSize_ = count;
    return count;
  }

  // The windows show nothing.
  void SetStatusPanel(StatusBar, StatusPanel, const std::string&) override {}
  void SetAirflowGauge(const std::string&, int) override {}
  void SetEconomyGauge(const std::string&, int, int) override {}
  void SetDataViewerFormatted(bool) override {}
  void SetLoggerChannelMode(bool) override {}
  void SetFaultViewerEcuId(const std::string&) override {}
  void SetStatusViewerEcuId(const std::string&) override {}
  void SetActuatorFlags(std::uint8_t) override {}
  void ShowEcuId(const std::string&) override {}
  void HideMainShowDataViewer() override {}
  // A modal box: the main window's timer goes on ticking until the user closes it.
  void showMessage(const std::string&) override {
    if (modalDepth_ >= kMaxModalDepth) return;
    ++modalDepth_;
    for (int i = 0; i < modalTicks_; ++i) Tick();
    --modalDepth_;
  }

 private:
  struct TickRecord {
    bool due = false;
    int requests = 0;
  };

  void Do(Step step, FuzzInput& in) {
    switch (step) {
      case kReceive: {
        const std::uint8_t count = in.Byte();
        Receive(in.Bytes(count));
        break;
      }
      case kTick:
        Tick();
        break;
      case kTicks:
        for (int i = in.Byte(); i >= 0; --i) Tick();
        break;
      case kConnect:
        session_.Connect();
        break;
      case kReset:
        (void)session_.RequestReset();
        break;
      case kActuator: {
        const auto mode = static_cast<ActuatorMode>(in.Byte());
        (void)session_.CommandActuator(mode, in.Raw<std::int32_t>());
        break;
      }
      case kSampleInterval:
        session_.SetSampleInterval(in.Raw<std::int32_t>());
        break;
      case kBaudRate:
        (void)session_.ChangeBaudRate(in.Text(in.Byte() % 16));
        break;
      case kFlipStatus:
        status = status == kListed ? kNotListed : kListed;
        break;
      case kFlipOpen:
        open = !open;
        break;
      case kUnplug:
        status = kNotListed;
        open = false;
        openRequested_ = false;
        received.clear();
        break;
      case kReplug:
        status = kListed;
        break;
      case kModal:
        modalTicks_ = in.Byte() % 4;
        break;
      case kAnswer: {
        const std::uint8_t selector = in.Byte();
        const std::span<const std::uint8_t> payload = in.Bytes((selector / 4) % 9);
        std::array<std::uint8_t, 11> frame{};
        frame[0] = kCommands[selector % 4];
        frame[1] = static_cast<std::uint8_t>(3 + payload.size());
        std::copy(payload.begin(), payload.end(), frame.begin() + 2);
        std::uint8_t sum = 0;
        for (std::size_t i = 0; i < 2 + payload.size(); ++i) {
          sum = static_cast<std::uint8_t>(sum + frame[i]);
        }
        frame[2 + payload.size()] = static_cast<std::uint8_t>(0x100 - sum);
        Receive(std::span<const std::uint8_t>(frame.data(), 3 + payload.size()));
        break;
      }
      case kEcho:
        Receive(std::span<const std::uint8_t>(lastSent_.data(), lastSentSize_));
        break;
      case kSettings: {
        const std::uint8_t bits = in.Byte();
        settings_.tempUnits = (bits & 1) != 0 ? "F" : "C";
        settings_.speedUnits = (bits & 2) != 0 ? "KPH" : "MPH";
        settings_.mpgDial = (bits & 4) != 0 ? "MPG" : "IAC";
        if ((bits & 8) != 0) settings_.flowRate = in.Raw<std::int32_t>();
        break;
      }
      case kTxRoom:
        transmitRoom_ = in.Byte();
        break;
      case kStepCount:
        break;
    }
  }

  void Tick() {
    if (ticks_ >= kMaxTicks) return;
    ++ticks_;
    if (openRequested_ && status == kListed) {
      open = true;
      openRequested_ = false;
    }
    transmitFree_ = transmitRoom_;  // the link thread has written out the earlier requests

    const EcuPoller& poller = session_.poller();
    TickRecord record;
    record.due = poller.tickCount() % static_cast<std::uint32_t>(poller.ticksPerSample()) == 0;
    TickRecord* const interrupted = tick_;
    tick_ = &record;
    session_.Tick();
    tick_ = interrupted;

    FUZZ_CHECK(poller.rxErrorCount() >= rxErrors_);
    rxErrors_ = poller.rxErrorCount();
    const std::string_view state = session_.connectionState();
    FUZZ_CHECK(state == kNotConnected || state == kTryingToConnect || state == kWaitingToConnect ||
               state == kConnectedToEcu);
    FUZZ_CHECK(IsIdentityText(session_.identityText()));
  }

  DisplaySettings settings_;
  DashboardReadouts readouts_;  // shows nothing
  EcuSession session_{*this, settings_, readouts_, *this, *this, *this, *this};

  bool openRequested_ = false;
  std::size_t transmitRoom_ = kRingCapacity;
  std::size_t transmitFree_ = kRingCapacity;
  std::array<std::uint8_t, 11> lastSent_{};
  std::size_t lastSentSize_ = 0;
  int ticks_ = 0;
  TickRecord* tick_ = nullptr;  // the innermost tick running
  int modalTicks_ = 0;
  int modalDepth_ = 0;
  int rxErrors_ = 0;
};

}  // namespace
}  // namespace rizazovoz::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  rizazovoz::fuzz::FuzzInput in(data, size);
  rizazovoz::fuzz::SessionRig rig;
  rig.Run(in);
  return 0;
}
