#include "protocol/ecu_frame.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <ostream>
#include <string>
#include <vector>

namespace rizazovoz {
namespace {

using Bytes = std::vector<std::uint8_t>;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

Bytes ToBytes(const EcuFrame& frame) { return {frame.bytes().begin(), frame.bytes().end()}; }

struct RequestCase {
  std::string name;
  EcuFrame frame;
  Bytes expected;
};

void PrintTo(const RequestCase& c, std::ostream* os) { *os << c.name; }

class RequestBytes : public ::testing::TestWithParam<RequestCase> {};

TEST_P(RequestBytes, AreBuiltByteForByteAndSumToZero) {
  const RequestCase& c = GetParam();
  EXPECT_THAT(ToBytes(c.frame), ElementsAreArray(c.expected));
  EXPECT_EQ(c.frame.length(), c.expected.size());
  EXPECT_EQ(std::accumulate(c.expected.begin(), c.expected.end(), 0u) % 256, 0u);
  EXPECT_TRUE(FrameCheckPasses(c.frame.bytes()));
}

INSTANTIATE_TEST_SUITE_P(
    EcuFrame, RequestBytes,
    ::testing::Values(
        RequestCase{"Identify", BuildIdentifyRequest(), {0x10, 0x03, 0xED}},
        RequestCase{"Reset", BuildResetRequest(), {0x14, 0x03, 0xE9}},
        RequestCase{"ReadBase0Position0",
                    BuildReadRequest(0, 0).frame,
                    {0x13, 0x0B, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0xC6}},
        RequestCase{"ReadBase10Position8",
                    BuildReadRequest(0x10, 8).frame,
                    {0x13, 0x0B, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F, 0x06}},
        RequestCase{"ReadWrapsModulo256",
                    BuildReadRequest(0xFA, 0).frame,
                    {0x13, 0x0B, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF, 0x00, 0x01, 0xF6}},
        RequestCase{"Cancel",
                    BuildActuatorCommand(ActuatorMode::Cancel, 0x66),
                    {0x15, 0x0B, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xE0}},
        RequestCase{"RpmControl",
                    BuildActuatorCommand(ActuatorMode::RpmControl, 0x66),
                    {0x15, 0x0B, 0xC0, 0x66, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xBA}},
        RequestCase{"RpmControlSendsLowByteOnly",
                    BuildActuatorCommand(ActuatorMode::RpmControl, 0x166),
                    {0x15, 0x0B, 0xC0, 0x66, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xBA}},
        RequestCase{"FixAdvance",
                    BuildActuatorCommand(ActuatorMode::FixAdvance, 0x20),
                    {0x15, 0x0B, 0x20, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0}},
        RequestCase{"IacCalibration",
                    BuildActuatorCommand(ActuatorMode::IacCalibration, 0x55),
                    {0x15, 0x0B, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x60}},
        RequestCase{"EgrSolControl",
                    BuildActuatorCommand(ActuatorMode::EgrSolControl, 0x55),
                    {0x15, 0x0B, 0x00, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0xDE}},
        RequestCase{"EgrStepControl",
                    BuildActuatorCommand(ActuatorMode::EgrStepControl, 0x30),
                    {0x15, 0x0B, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x30, 0x00, 0xF0}},
        RequestCase{"RadFanControl",
                    BuildActuatorCommand(ActuatorMode::RadFanControl, 0x55),
                    {0x15, 0x0B, 0x00, 0x00, 0x00, 0x80, 0x80, 0x00, 0x00, 0x00, 0xE0}},
        RequestCase{"CanPurgeControl",
                    BuildActuatorCommand(ActuatorMode::CanPurgeControl, 0x55),
                    {0x15, 0x0B, 0x00, 0x00, 0x00, 0x40, 0x40, 0x00, 0x00, 0x00, 0x60}},
        RequestCase{"FuelPumpControl",
                    BuildActuatorCommand(ActuatorMode::FuelPumpControl, 0x1FF),
                    {0x15, 0x0B, 0x00, 0x00, 0x00, 0x04, 0x04, 0x00, 0x00, 0x00, 0xD8}},
        RequestCase{"ModeOutsideRangeCarriesNoData",
                    BuildActuatorCommand(static_cast<ActuatorMode>(9), 0x66),
                    {0x15, 0x0B, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xE0}}),
    [](const auto& info) { return info.param.name; });

TEST(EcuFrame, ChecksumBringsTheSumToZero) {
  EXPECT_EQ(Checksum(Bytes{0x10, 0x03}), 0xED);
  EXPECT_EQ(Checksum(Bytes{0x14, 0x03}), 0xE9);
  EXPECT_EQ(Checksum(Bytes{0x80, 0x80}), 0x00);  // a sum of 256 needs no correction
  EXPECT_EQ(Checksum(Bytes{0x01}), 0xFF);
}

TEST(EcuFrame, ReadRequestReturnsTheAddressesItNames) {
  const ReadRequest wrapped = BuildReadRequest(0xFA, 0);
  EXPECT_THAT(wrapped.addressBlock,
              ElementsAreArray<std::uint8_t>({0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF, 0x00, 0x01}));
  const ReadRequest later = BuildReadRequest(3, 16);
  EXPECT_THAT(later.addressBlock, ElementsAreArray<std::uint8_t>({19, 20, 21, 22, 23, 24, 25, 26}));
  EXPECT_THAT(later.frame.payload(), ElementsAreArray(later.addressBlock));
}

TEST(EcuFrame, ThreeByteFrameHasEmptyPayloadAndChecksumThird) {
  const EcuFrame frame = BuildIdentifyRequest();
  EXPECT_EQ(frame.command(), static_cast<std::uint8_t>(EcuCommand::Identify));
  EXPECT_EQ(frame.length(), 3);
  EXPECT_THAT(frame.payload(), IsEmpty());
  EXPECT_EQ(frame.checksum(), 0xED);
}

TEST(EcuFrame, FrameCheckRefusesBadSumsWhateverTheCommand) {
  const std::vector<std::pair<Bytes, bool>> cases = {
      {{0x10, 0x03, 0xED}, true},
      {{0x10, 0x03, 0xEE}, false},
      {{0x14, 0x04, 0x00, 0xE8}, true},
      {{0x14, 0x04, 0x01, 0xE7}, true},
      {{0x14, 0x04, 0x01, 0xE8}, false},
      {{0x13, 0x0B, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0xC6}, true},
      {{0x13, 0x0B, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0xC7}, false},
      {{0x15, 0x0B, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xE1}, false},
      {{}, false},
  };
  for (const auto& [bytes, accepted] : cases) {
    EXPECT_EQ(FrameCheckPasses(bytes), accepted) << ::testing::PrintToString(bytes);
  }
}

TEST(EcuFrame, OnlyTheFourCommandCodesStartAFrame) {
  for (int b = 0; b < 256; ++b) {
    const bool command = b == 0x10 || b == 0x13 || b == 0x14 || b == 0x15;
    EXPECT_EQ(IsCommandByte(static_cast<std::uint8_t>(b)), command) << b;
  }
}

}  // namespace
}  // namespace rizazovoz
