#include "protocol/ecu_setup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/identity_text.h"
#include "recording_protocol_views.h"

namespace rizazovoz {
namespace {

using ::testing::ElementsAreArray;

TEST(IdentityText, IsTwoUpperCaseHexDigitsPerByte) {
  EXPECT_EQ(IdentityText(0x17, 0xE2), "17E2");
  EXPECT_EQ(IdentityText(0x01, 0x0A), "010A");
  EXPECT_EQ(IdentityText(0x00, 0x00), "0000");
  EXPECT_EQ(IdentityText(0xFF, 0xAB), "FFAB");
}

TEST(EcuSetup, AdaptsGaugesAndWindowsByEcuClass) {
  struct Case {
    std::string identity;
    std::string mpgDial;
    std::vector<std::string> calls;
  };
  const std::string sampleRate = "viewer panel 3: Sample Rate 100ms";
  const std::vector<Case> cases = {
      {"1202",
       "IAC",
       {"airflow gauge: MAF(g/s) 500", "economy gauge: IAC Flow 100 10", "viewer formatted: yes",
        "logger named: yes", sampleRate}},
      {"1103",
       "IAC",
       {"airflow gauge: AFM(l/m) 1800", "economy gauge: IAC Duty 100 10", "viewer formatted: yes",
        "logger named: yes", sampleRate}},
      {"1112",
       "IAC",
       {"airflow gauge: MAP(mbar) 1100", "economy gauge: IAC Flow 100 10", "viewer formatted: yes",
        "logger named: yes", sampleRate}},
      {"1881",
       "IAC",
       {"airflow gauge: MAP(mbar) 1100", "economy gauge: IAC Pos 100 10", "viewer formatted: yes",
        "logger named: yes", sampleRate}},
      // Only the exact dial setting "IAC" turns the economy gauge into an idle-air gauge.
      {"1112",
       "MPG",
       {"airflow gauge: MAP(mbar) 1100", "viewer formatted: yes", "logger named: yes", sampleRate}},
      {"1112",
       "iac",
       {"airflow gauge: MAP(mbar) 1100", "viewer formatted: yes", "logger named: yes", sampleRate}},
      {"1B34", "IAC", {"message: OBD2 ECU detected - limited functionality available", sampleRate}},
      {"010A",
       "IAC",
       {"message: Formatted data not available for ECU ID 010A. Please contact Ostrand Ltd",
        "viewer formatted: no", "logger named: no", "hide main, show viewer", sampleRate}},
      {"17e2",
       "IAC",  // identities match case-sensitively
       {"message: Formatted data not available for ECU ID 17e2. Please contact Ostrand Ltd",
        "viewer formatted: no", "logger named: no", "hide main, show viewer", sampleRate}},
  };
  for (const Case& c : cases) {
    EcuProfile profile;
    DisplaySettings settings;
    settings.mpgDial = c.mpgDial;
    RecordingProtocolViews views;
    EcuSetup setup(profile, settings, views, views, views, views);
    setup.Run(c.identity, 100);
    EXPECT_THAT(views.calls, ElementsAreArray(c.calls)) << c.identity << " " << c.mpgDial;
  }
}

TEST(EcuSetup, LoadsTheProfileOnlyForAFullyDescribedEcu) {
  EcuProfile profile;
  DisplaySettings settings;
  RecordingProtocolViews views;
  EcuSetup setup(profile, settings, views, views, views, views);

  EXPECT_EQ(setup.Run("1112", 100), EcuClass::kFull);
  EXPECT_EQ(profile.endAddress, 45);
  EXPECT_EQ(profile.airflowKind, "MAP");
  EXPECT_EQ(profile.idleAirKind, "FLOW");
  const EcuProfile loaded = profile;

  // OBD2 and unlisted ECUs keep the previous ECU's profile.
  EXPECT_EQ(setup.Run("1B34", 100), EcuClass::kObd2);
  EXPECT_EQ(profile.endAddress, loaded.endAddress);
  EXPECT_EQ(profile.slotTypes, loaded.slotTypes);
  EXPECT_EQ(setup.Run("0000", 100), EcuClass::kNotListed);
  EXPECT_EQ(profile.endAddress, loaded.endAddress);
  EXPECT_EQ(profile.rpmScale, loaded.rpmScale);
  EXPECT_EQ(profile.idleAirKind, "FLOW");
}

}  // namespace
}  // namespace rizazovoz
