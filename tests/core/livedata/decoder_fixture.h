#pragma once
// A slot decoder wired to an ECU profile, display settings and recorded read-outs.
#include <gmock/gmock.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

#include "ecudefs/ecu_profile.h"
#include "livedata/slot_decoder.h"

namespace rizazovoz {

class MockReadouts : public DashboardReadouts {
 public:
  MOCK_METHOD(void, showMil, (MilState), (override));
  MOCK_METHOD(void, feedRevCounter, (std::int32_t), (override));
  MOCK_METHOD(void, feedSpeedo, (std::int32_t), (override));
  MOCK_METHOD(void, feedCoolantGauge, (std::int32_t), (override));
  MOCK_METHOD(void, feedAirTempGauge, (std::int32_t), (override));
  MOCK_METHOD(void, feedAirflowGauge, (std::int32_t), (override));
  MOCK_METHOD(void, feedThrottleGauge, (std::int32_t), (override));
  MOCK_METHOD(void, feedEconomyGauge, (std::int32_t), (override));
  MOCK_METHOD(void, showBatteryVolts, (float), (override));
  MOCK_METHOD(void, showO2Volts, (float), (override));
  MOCK_METHOD(void, showIgnitionAdvance, (std::int32_t), (override));
  MOCK_METHOD(void, showInjectorPulseWidth, (float), (override));
  MOCK_METHOD(void, showLongTermTrim, (float), (override));
  MOCK_METHOD(void, showTotalTrim, (float), (override));
};

inline DisplaySettings Units(std::string temp, std::string speed, std::string dial = "IAC") {
  DisplaySettings s;
  s.tempUnits = std::move(temp);
  s.speedUnits = std::move(speed);
  s.mpgDial = std::move(dial);
  return s;
}

template <typename Readouts>
struct DecoderRig {
  explicit DecoderRig(const std::string& identity, DisplaySettings units = Units("C", "KPH"))
      : profile(MakeEcuProfile(identity)), settings(std::move(units)) {}

  // (type code, byte) pairs, decoded in order.
  void feed(std::initializer_list<std::pair<int, int>> bytes) {
    for (auto [code, byte] : bytes) decoder.decode(code, static_cast<std::uint8_t>(byte));
  }

  LiveValues values;
  EcuProfile profile;
  DisplaySettings settings;
  Readouts readouts;
  SlotDecoder decoder{values, profile, settings, readouts};
};

}  // namespace rizazovoz
