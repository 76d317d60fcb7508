#pragma once
// A small running engine for the simulated ECU: idle near 800 rpm with a little wobble,
// coolant warming from ambient to about 90 °C, throttle blips that engine and road speed
// follow, a battery near 13.8 V, an oxygen sensor switching between lean and rich, trims
// near zero and now and then a fault: current for a while, then remembered as stored until
// a reset. Pure and deterministic: the state depends only on the configuration (its seed
// included), the time it has been advanced by and the actuator tests applied, never on the
// wall clock.
#include <array>
#include <chrono>
#include <cstdint>
#include <random>

namespace rizazovoz {

// The fault bits an ECU reports, laid out as EngineState's fault bytes. Faults are raised on
// these bits only. A current fault of byte 0 or 1 is also stored in stored byte 0 or 1 when
// that has the same bit. The simulated ECU sets them from its identity (FaultBitsFor); the
// default, the low four bits of byte 0, serves a model run on its own.
struct FaultBits {
  std::array<std::uint8_t, 3> current{0x0F, 0, 0};
  std::array<std::uint8_t, 2> stored{0x0F, 0};
};

struct EngineModelConfig {
  std::uint32_t seed = 1;
  double ambientC = 20.0;
  // A warm engine idling without wobble, blips, switching or faults: every value stays put,
  // so that what a reader decodes can be compared with the model exactly.
  bool steady = false;
  FaultBits faultBits{};
};

// Everything in the ECU's own units (°C, km/h, mbar, V, %, ms, degrees, rpm).
struct EngineState {
  double seconds = 0;  // since the engine started
  double engineSpeedRpm = 0;
  double targetIdleRpm = 0;
  double roadSpeedKmh = 0;
  double throttlePercent = 0;
  double throttleVolts = 0;
  double manifoldMbar = 0;
  double baroMbar = 1013;
  double airflowGramsPerSecond = 0;
  double airflowLitresPerMinute = 0;
  double coolantC = 0;
  double intakeAirC = 0;
  double egrTempC = 0;
  double batteryVolts = 0;
  std::array<double, 2> o2Volts{};
  std::array<double, 2> shortTrim{};  // fractions, 0 is no correction
  std::array<double, 2> longTrim{};
  std::array<double, 2> injectorMs{};
  double ignitionAdvanceDeg = 0;
  double idleAirPercent = 0;
  double iacAdjustPercent = 0;
  double vePercent = 0;
  double purgePercent = 0;
  double egrPercent = 0;
  // Outputs and conditions the ECU reports in its status bytes.
  bool fuelPump = false;
  bool radiatorFan = false;
  bool canisterPurge = false;
  bool egrValve = false;
  bool closedLoop = false;
  bool rich = false;  // bank 1
  bool richBank2 = false;
  bool idleSwitch = false;
  // Fault bytes: current ones (fault bytes 0, 1 and 4; type codes 0, 1 and 43) and stored
  // ones (fault bytes 2 and 3; codes 2 and 3), bit k of a byte for fault bit k.
  std::array<std::uint8_t, 3> currentFaults{};
  std::array<std::uint8_t, 2> storedFaults{};
};

// The effects of the ECU's actuator tests. One test runs at a time; a new one replaces it.
enum class EngineTest : std::uint8_t {
  kNone,
  kHoldIdle,
  kFixAdvance,
  kIacCalibration,
  kEgrSolenoid,
  kEgrStep,
  kRadiatorFan,
  kCanisterPurge,
  kFuelPump,
};

class EngineModel {
 public:
  static constexpr std::chrono::milliseconds kStep{10};

  explicit EngineModel(EngineModelConfig config = {});

  // Moves the engine on in fixed steps; a remainder below one step is carried to the next
  // call. A gap of more than ten minutes is cut to ten minutes of engine time.
  void Advance(std::chrono::nanoseconds elapsed);
  const EngineState& state() const { return state_; }

  // value: the held idle in rpm, the fixed advance in degrees or the EGR position in %;
  // ignored by the other tests. kNone ends the running test.
  void StartTest(EngineTest test, double value = 0);
  EngineTest runningTest() const { return test_; }
  // What a reset does to the engine's memory of faults.
  void ClearStoredFaults() { state_.storedFaults = {}; }

 private:
  void Step(double dt);
  void StepThrottle(double dt);
  void StepOxygenSensors(double dt);
  void StepFaults(double dt);
  void RaiseFault();
  void Derive();
  double Warmth() const;  // 0 at ambient, 1 when warm
  double IdleTarget() const;
  double Uniform(double low, double high);

  EngineModelConfig config_;
  std::mt19937 random_;
  EngineState state_;
  std::chrono::nanoseconds carried_{0};

  EngineTest test_ = EngineTest::kNone;
  double testValue_ = 0;

  double throttleTarget_ = 0;
  double nextBlipIn_ = 0;
  double blipLeft_ = 0;
  double wobblePhase_ = 0;
  double wobbleNoise_ = 0;
  std::array<double, 2> o2SwitchIn_{};
  double nextFaultIn_ = 0;
  double faultLeft_ = 0;
};

}  // namespace rizazovoz
