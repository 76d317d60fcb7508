// ecusim on a pseudo-terminal, talked to through the Linux serial device library.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ecusim_process.h"
#include "protocol/ecu_frame.h"
#include "transport/serial_device_library.h"

namespace rizazovoz {
namespace {

using ::testing::ElementsAre;
using Bytes = std::vector<std::uint8_t>;

Bytes Of(const EcuFrame& frame) { return {frame.bytes().begin(), frame.bytes().end()}; }

#ifdef RIZAZOVOZ_ECUSIM_PATH

class EcusimPtyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/rizazovoz-ecusim-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    std::filesystem::create_directories(root_ / "sys/class/tty");  // no USB serial ports
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  SerialPortOptions PortOptions(const std::string& slavePath) const {
    SerialPortOptions options;
    options.sysfsRoot = (root_ / "sys").string();
    options.devDir = (root_ / "dev").string();
    options.fixedPortPath = slavePath;
    return options;
  }

  static DeviceHandle Open(SerialDeviceLibrary& library) {
    std::uint32_t count = 0;
    EXPECT_EQ(library.CreateDeviceInfoList(count), DeviceStatus::kOk);
    EXPECT_EQ(count, 1u);
    DeviceDescription description;
    EXPECT_EQ(library.GetDeviceDescription(0, description), DeviceStatus::kOk);
    EXPECT_EQ(description.View(), "RUZ Interface");
    DeviceHandle handle = DeviceHandle::kNone;
    EXPECT_EQ(library.Open(0, handle), DeviceStatus::kOk);
    library.SetBaudRate(handle, 15625);
    library.SetDataCharacteristics(handle, 8, 1, Parity::kNone);
    return handle;
  }

  // Writes a request and reads until `count` bytes (echo and answer) came back.
  static Bytes Exchange(SerialDeviceLibrary& library, DeviceHandle handle, const Bytes& request,
                        std::size_t count) {
    std::size_t written = 0;
    EXPECT_EQ(library.Write(handle, request.data(), request.size(), written), DeviceStatus::kOk);
    Bytes received;
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (received.size() < count && std::chrono::steady_clock::now() < deadline) {
      if (library.WaitForBytes(handle, std::chrono::milliseconds(100)) != DeviceStatus::kOk) {
        continue;
      }
      std::uint8_t buffer[64];
      std::size_t got = 0;
      library.Read(handle, buffer, sizeof buffer, got);
      received.insert(received.end(), buffer, buffer + got);
    }
    return received;
  }

  std::filesystem::path root_;
};

TEST_F(EcusimPtyTest, EchoesAndAnswersLikeTheEcuAndStopsOnSigterm) {
  EcusimProcess ecusim({"--identity", "17E2", "--baud", "15625"});
  ASSERT_TRUE(ecusim.started());
  const std::string slave = ecusim.FirstLine();
  ASSERT_FALSE(slave.empty());
  SerialDeviceLibrary library(PortOptions(slave));
  DeviceHandle handle = Open(library);

  EXPECT_THAT(Exchange(library, handle, Of(BuildIdentifyRequest()), 8),
              ElementsAre(0x10, 0x03, 0xED, 0x10, 0x05, 0x17, 0xE2, 0xF2));
  const Bytes read = Of(BuildReadRequest(0, 0).frame);
  const Bytes data = Exchange(library, handle, read, 22);
  ASSERT_EQ(data.size(), 22u);
  EXPECT_EQ(Bytes(data.begin(), data.begin() + 11), read);
  EXPECT_TRUE(FrameCheckPasses(std::span(data).subspan(11)));
  EXPECT_EQ(data[11], 0x13);
  // "17E2" keeps the engine-speed count in slots 4 and 5, 3.92 rpm per count: a running
  // engine, between a cold idle and a blip.
  const int rpm = static_cast<int>((data[13 + 4] * 256 + data[13 + 5]) * 3.92);
  EXPECT_GT(rpm, 700);
  EXPECT_LT(rpm, 4000);

  // The program closes its side and opens it again: the ECU is still there.
  ASSERT_EQ(library.Close(handle), DeviceStatus::kOk);
  handle = Open(library);
  EXPECT_THAT(Exchange(library, handle, Of(BuildResetRequest()), 7),
              ElementsAre(0x14, 0x03, 0xE9, 0x14, 0x04, 0x00, 0xE8));
  EXPECT_EQ(library.Close(handle), DeviceStatus::kOk);
  EXPECT_EQ(ecusim.Stop(SIGTERM), 0);
}

TEST(EcusimSignals, StopsOnSigintEvenWhenStartedInTheBackground) {
  EcusimProcess ecusim({}, /*startedIgnoringSigint=*/true);
  ASSERT_TRUE(ecusim.started());
  ASSERT_FALSE(ecusim.FirstLine().empty());  // up and running
  EXPECT_EQ(ecusim.Stop(SIGINT), 0);
}

TEST(EcusimCommandLine, RefusesAnIdentityThatIsNotFourHexDigits) {
  EcusimProcess ecusim({"--identity", "11G3"});
  ASSERT_TRUE(ecusim.started());
  EXPECT_EQ(ecusim.ExitStatus(), 2);
}

#else
TEST(EcusimPtyTest, NeedsTheTool) { GTEST_SKIP() << "ecusim is not part of this build"; }
#endif

}  // namespace
}  // namespace rizazovoz
