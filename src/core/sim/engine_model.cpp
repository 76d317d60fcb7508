#include "sim/engine_model.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace rizazovoz {
namespace {

constexpr double kWarmCoolantC = 90.0;
constexpr double kWarmIdleRpm = 800.0;
constexpr double kColdIdleExtraRpm = 250.0;
constexpr double kWarmUpSeconds = 240.0;  // time constant of the coolant's rise
constexpr double kRpmPerThrottlePercent = 45.0;
constexpr double kIdleMbar = 320.0;
constexpr double kMbarPerThrottlePercent = 6.5;
constexpr double kLitresPerRev = 1.0;  // a two-litre four-stroke
constexpr double kAirGramsPerLitre = 1.2;
constexpr double kRichVolts = 0.88;
constexpr double kLeanVolts = 0.12;
constexpr double kSteadyO2Volts = 0.45;
constexpr double kLongTrim = 2.0 / 128.0;
constexpr double kPi = 3.14159265358979323846;

// First-order lag of value toward target with time constant tau (seconds).
double Follow(double value, double target, double dt, double tau) {
  return value + (target - value) * std::min(1.0, dt / tau);
}

}  // namespace

EngineModel::EngineModel(EngineModelConfig config) : config_(config), random_(config.seed) {
  state_.coolantC = config_.steady ? kWarmCoolantC : config_.ambientC;
  state_.engineSpeedRpm = config_.steady ? kWarmIdleRpm : kWarmIdleRpm + kColdIdleExtraRpm;
  state_.o2Volts = {kSteadyO2Volts, kSteadyO2Volts};
  state_.longTrim = {kLongTrim, kLongTrim};
  state_.iacAdjustPercent = config_.steady ? 50.0 : 46.0;
  nextBlipIn_ = Uniform(5.0, 12.0);
  o2SwitchIn_ = {Uniform(0.3, 0.8), Uniform(0.3, 0.8)};
  nextFaultIn_ = Uniform(30.0, 90.0);
  Derive();
}

double EngineModel::Uniform(double low, double high) {
  return low + (high - low) * (static_cast<double>(random_()) / 4294967296.0);
}

void EngineModel::Advance(std::chrono::nanoseconds elapsed) {
  constexpr std::chrono::nanoseconds kLongestGap = std::chrono::minutes(10);
  if (elapsed <= std::chrono::nanoseconds::zero()) return;
  carried_ += std::min(elapsed, kLongestGap);
  const double dt = std::chrono::duration<double>(kStep).count();
  while (carried_ >= kStep) {
    carried_ -= kStep;
    Step(dt);
  }
}

void EngineModel::StartTest(EngineTest test, double value) {
  test_ = test;
  testValue_ = value;
  Derive();
}

void EngineModel::Step(double dt) {
  EngineState& s = state_;
  s.seconds += dt;
  if (!config_.steady) {
    s.coolantC = Follow(s.coolantC, kWarmCoolantC, dt, kWarmUpSeconds);
    StepThrottle(dt);
    wobblePhase_ += 2 * kPi * 0.5 * dt;
    wobbleNoise_ = Follow(wobbleNoise_, Uniform(-12.0, 12.0), dt, 0.3);
    StepOxygenSensors(dt);
    StepFaults(dt);
  }
  const double wobble = config_.steady ? 0.0 : 8.0 * std::sin(wobblePhase_) + wobbleNoise_;
  const double rpmTarget = IdleTarget() + wobble + kRpmPerThrottlePercent * s.throttlePercent;
  s.engineSpeedRpm = config_.steady ? rpmTarget : Follow(s.engineSpeedRpm, rpmTarget, dt, 0.25);
  const bool driving = s.throttlePercent > 2.0;
  s.roadSpeedKmh = config_.steady ? 0.0
                                  : Follow(s.roadSpeedKmh, driving ? 1.6 * s.throttlePercent : 0.0,
                                           dt, driving ? 2.5 : 6.0);
  if (test_ == EngineTest::kIacCalibration) {
    s.iacAdjustPercent = Follow(s.iacAdjustPercent, 50.0, dt, 2.0);
  }
  Derive();
}

void EngineModel::StepThrottle(double dt) {
  // The tests want a closed throttle; blips only come while none runs.
  if (blipLeft_ > 0) {
    blipLeft_ -= dt;
    if (blipLeft_ <= 0) throttleTarget_ = 0;
  } else if ((nextBlipIn_ -= dt) <= 0) {
    nextBlipIn_ = Uniform(6.0, 15.0);
    if (test_ == EngineTest::kNone) {
      blipLeft_ = Uniform(1.0, 2.5);
      throttleTarget_ = Uniform(15.0, 50.0);
    }
  }
  state_.throttlePercent = Follow(state_.throttlePercent, throttleTarget_, dt, 0.08);
}

void EngineModel::StepOxygenSensors(double dt) {
  EngineState& s = state_;
  for (std::size_t bank = 0; bank < 2; ++bank) {
    if ((o2SwitchIn_[bank] -= dt) <= 0) {
      o2SwitchIn_[bank] = Uniform(0.4, 0.9);
      // Crossing over: the voltage swings to the other side.
      const bool wasRich = s.o2Volts[bank] > 0.45;
      s.o2Volts[bank] = wasRich ? 0.44 : 0.46;
    }
    const bool rich = s.o2Volts[bank] > 0.45;
    s.o2Volts[bank] =
        Follow(s.o2Volts[bank], (rich ? kRichVolts : kLeanVolts) + Uniform(-0.02, 0.02), dt, 0.06);
    // The short-term trim leans a rich mixture and enriches a lean one.
    s.shortTrim[bank] = std::clamp(s.shortTrim[bank] + (rich ? -0.05 : 0.05) * dt, -0.08, 0.08);
  }
}

void EngineModel::StepFaults(double dt) {
  EngineState& s = state_;
  if (faultLeft_ > 0) {
    faultLeft_ -= dt;
    if (faultLeft_ <= 0) s.currentFaults = {};
    return;
  }
  if ((nextFaultIn_ -= dt) > 0) return;
  nextFaultIn_ = Uniform(60.0, 180.0);
  faultLeft_ = Uniform(10.0, 30.0);  // long enough to be seen on a fault viewer
  RaiseFault();
}

void EngineModel::RaiseFault() {
  // One of the bits the ECU reports, each as likely.
  const FaultBits& bits = config_.faultBits;
  int candidates = 0;
  for (const std::uint8_t mask : bits.current) candidates += std::popcount(mask);
  int pick = std::min(static_cast<int>(Uniform(0.0, candidates)), candidates - 1);
  for (std::size_t byte = 0; byte < bits.current.size(); ++byte) {
    for (int bit = 0; bit < 8; ++bit) {
      const auto mask = static_cast<std::uint8_t>(1u << bit);
      if ((bits.current[byte] & mask) == 0 || pick-- > 0) continue;
      state_.currentFaults[byte] |= mask;
      if (byte < bits.stored.size()) {  // the ECU remembers it until a reset
        state_.storedFaults[byte] |= static_cast<std::uint8_t>(bits.stored[byte] & mask);
      }
      return;
    }
  }
}

double EngineModel::Warmth() const {
  return std::clamp((state_.coolantC - config_.ambientC) / (kWarmCoolantC - config_.ambientC), 0.0,
                    1.0);
}

double EngineModel::IdleTarget() const {
  if (test_ == EngineTest::kHoldIdle) return testValue_;
  return kWarmIdleRpm + kColdIdleExtraRpm * (1.0 - Warmth());  // fast idle while cold
}

void EngineModel::Derive() {
  EngineState& s = state_;
  const double warmth = Warmth();
  s.targetIdleRpm = IdleTarget();
  s.idleAirPercent = 25.0 + 15.0 * (1.0 - warmth) + (s.targetIdleRpm - kWarmIdleRpm) / 20.0;
  s.intakeAirC = config_.ambientC + 8.0 * warmth;
  const double load = s.throttlePercent / 100.0;
  s.throttleVolts = 0.5 + 4.0 * load;
  s.manifoldMbar = std::min(s.baroMbar, kIdleMbar + kMbarPerThrottlePercent * s.throttlePercent);
  const double fill = s.manifoldMbar / s.baroMbar;
  const double litresPerSecond = s.engineSpeedRpm / 60.0 * kLitresPerRev * fill * 0.85;
  s.airflowLitresPerMinute = litresPerSecond * 60.0;
  s.airflowGramsPerSecond = litresPerSecond * kAirGramsPerLitre;
  s.vePercent = 85.0 * fill;
  s.ignitionAdvanceDeg =
      test_ == EngineTest::kFixAdvance
          ? testValue_
          : std::clamp(10.0 + 0.006 * (s.engineSpeedRpm - kWarmIdleRpm) - 8.0 * load, 5.0, 35.0);
  const double enrichment = 1.0 + 0.3 * (1.0 - warmth);
  for (std::size_t bank = 0; bank < 2; ++bank) {
    s.injectorMs[bank] = (0.8 + 3.2 * s.manifoldMbar / 1000.0) * enrichment *
                         (1.0 + s.shortTrim[bank] + s.longTrim[bank]);
  }
  s.idleSwitch = s.throttlePercent < 1.0;
  s.closedLoop = s.coolantC > 40.0;
  s.rich = s.o2Volts[0] > 0.45;
  s.richBank2 = s.o2Volts[1] > 0.45;
  s.batteryVolts = 13.8 + (config_.steady ? 0.0 : 0.05 * std::sin(s.seconds * 0.3));
  s.purgePercent = warmth > 0.8 && !s.idleSwitch ? 30.0 : 0.0;
  s.egrPercent = warmth > 0.7 && s.throttlePercent > 5.0 && s.throttlePercent < 60.0 ? 20.0 : 0.0;
  switch (test_) {
    case EngineTest::kEgrSolenoid:
      s.egrPercent = 100.0;
      break;
    case EngineTest::kEgrStep:
      s.egrPercent = std::clamp(testValue_, 0.0, 100.0);
      break;
    case EngineTest::kCanisterPurge:
      s.purgePercent = 100.0;
      break;
    default:
      break;
  }
  s.egrTempC = s.coolantC + s.egrPercent;
  s.fuelPump = true;  // the engine runs
  s.radiatorFan = test_ == EngineTest::kRadiatorFan || s.coolantC > 95.0;
  s.canisterPurge = s.purgePercent > 0;
  s.egrValve = s.egrPercent > 0;
}

}  // namespace rizazovoz
