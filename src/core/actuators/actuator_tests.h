#pragma once
// The actuator tests the ECU offers, and the actuator window's logic over them: choosing a
// test, turning the entry into the command that "Set" sends, and the four monitor read-outs.
// The window only puts these texts on its controls and hands the commands to the main window.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "livedata/live_values.h"
#include "protocol/ecu_frame.h"

namespace rizazovoz {

// What the first monitor shows while a test runs; the other three always show engine speed,
// coolant temperature and road speed.
enum class FirstMonitor { kNothing, kTargetIdle, kIgnAdvance, kIacAdjMon, kEgr };

struct ActuatorTest {
  ActuatorMode mode;
  std::string_view menuItem;
  std::uint8_t flag;  // the bit of the ECU's actuator flags that offers it
  std::string_view title;
  std::string_view commandCaption;
  std::string_view entryText;  // put in the entry when the test is chosen
  std::string_view monitorCaption;
  FirstMonitor monitor;
};

// Tests 1 to 8, in menu order.
const std::array<ActuatorTest, 8>& ActuatorTests();

struct ActuatorCommand {
  ActuatorMode mode;
  int value;
  bool operator==(const ActuatorCommand&) const = default;
};

// The target idle travels as one byte of 7.843 rpm steps.
inline constexpr int kHighestTargetIdle = 2000;
inline constexpr int kHighestEgrPosition = 100;

class ActuatorPanel {
 public:
  // 0 before a test is chosen, else 1..8.
  int currentTest() const { return currentTest_; }
  int lastValue() const { return lastValue_; }
  // The chosen test's texts; nothing before a test is chosen.
  const ActuatorTest* current() const;

  void Choose(int test);

  // The command "Set" sends for the entry, or the message saying why nothing is sent (an
  // entry that is not a whole number, or a value the command's one byte cannot carry).
  std::variant<ActuatorCommand, std::string> Set(std::string_view entry);
  // "Cancel" ends any test; the chosen test and the last value stay for the next "Set".
  static ActuatorCommand Cancel() { return {ActuatorMode::Cancel, 0}; }

  // The four monitor texts; an empty optional leaves that monitor as it is. All four are
  // left alone before a test is chosen.
  std::array<std::optional<std::string>, 4> Monitors(const LiveValues& values,
                                                     char decimalSeparator) const;

 private:
  int currentTest_ = 0;
  int lastValue_ = 0;
};

}  // namespace rizazovoz
