#include "sim/simulated_device_library.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <future>
#include <vector>

#include "protocol/ecu_frame.h"

namespace rizazovoz {
namespace {

using std::chrono::milliseconds;
using ::testing::ElementsAre;
using Bytes = std::vector<std::uint8_t>;

Bytes Of(const EcuFrame& frame) { return {frame.bytes().begin(), frame.bytes().end()}; }

class SimulatedDeviceLibraryTest : public ::testing::Test {
 protected:
  DeviceHandle OpenDevice(SimulatedDeviceLibrary& library) {
    std::uint32_t count = 0;
    EXPECT_EQ(library.CreateDeviceInfoList(count), DeviceStatus::kOk);
    EXPECT_EQ(count, 1u);
    DeviceHandle handle = DeviceHandle::kNone;
    EXPECT_EQ(library.Open(0, handle), DeviceStatus::kOk);
    EXPECT_EQ(library.SetBaudRate(handle, 15625), DeviceStatus::kOk);
    return handle;
  }
  static Bytes ReadWaiting(SimulatedDeviceLibrary& library, DeviceHandle handle) {
    std::size_t waiting = 0;
    EXPECT_EQ(library.GetQueueStatus(handle, waiting), DeviceStatus::kOk);
    Bytes bytes(waiting);
    std::size_t got = 0;
    EXPECT_EQ(library.Read(handle, bytes.data(), bytes.size(), got), DeviceStatus::kOk);
    bytes.resize(got);
    return bytes;
  }
  static void Write(SimulatedDeviceLibrary& library, DeviceHandle handle, const Bytes& bytes) {
    std::size_t written = 0;
    EXPECT_EQ(library.Write(handle, bytes.data(), bytes.size(), written), DeviceStatus::kOk);
    EXPECT_EQ(written, bytes.size());
  }

  ManualClock clock_{Clock::time_point{std::chrono::hours(2)}};
};

TEST_F(SimulatedDeviceLibraryTest, OneInterfaceThatCanBeUnpluggedAndPluggedBack) {
  SimulatedDeviceLibrary library(clock_, {});
  DeviceDescription description;
  const DeviceHandle first = OpenDevice(library);
  ASSERT_EQ(library.GetDeviceDescription(0, description), DeviceStatus::kOk);
  EXPECT_EQ(description.View(), "RUZ Interface");
  DeviceHandle second = DeviceHandle::kNone;
  EXPECT_EQ(library.Open(0, second), DeviceStatus::kDeviceNotFound);  // one user at a time

  library.Unplug();
  std::uint32_t count = 9;
  EXPECT_EQ(library.CreateDeviceInfoList(count), DeviceStatus::kOk);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(library.Open(0, second), DeviceStatus::kDeviceNotFound);
  EXPECT_EQ(library.SetBaudRate(first, 7812), DeviceStatus::kDeviceGone);
  library.Plug();
  EXPECT_EQ(library.SetBaudRate(first, 7812), DeviceStatus::kDeviceGone);  // still the old one
  EXPECT_EQ(library.Close(first), DeviceStatus::kOk);

  const DeviceHandle again = OpenDevice(library);
  EXPECT_NE(again, first);
  Write(library, again, Of(BuildIdentifyRequest()));
  EXPECT_EQ(ReadWaiting(library, again), Of(BuildIdentifyRequest()));
}

TEST_F(SimulatedDeviceLibraryTest, AnswersComeWhenTheClockReachesTheirTime) {
  SimulatedEcuConfig config;
  config.identity = "1B34";
  SimulatedDeviceLibrary library(clock_, config);
  const DeviceHandle handle = OpenDevice(library);
  Write(library, handle, Of(BuildIdentifyRequest()));
  EXPECT_EQ(ReadWaiting(library, handle).size(), 3u);  // the echo
  EXPECT_EQ(library.WaitForBytes(handle, milliseconds(1)), DeviceStatus::kTimeout);
  EXPECT_TRUE(library.Settled());  // the answer is not due yet

  // A wait in progress is woken once the clock has moved past the answer's time.
  auto wait = std::async(std::launch::async,
                         [&] { return library.WaitForBytes(handle, milliseconds(20'000)); });
  clock_.Advance(milliseconds(20));
  library.ClockAdvanced();
  ASSERT_EQ(wait.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_EQ(wait.get(), DeviceStatus::kOk);
  EXPECT_FALSE(library.Settled());
  EXPECT_THAT(ReadWaiting(library, handle), ElementsAre(0x10, 0x05, 0x1B, 0x34, 0x9C));
  EXPECT_FALSE(library.Settled());  // read, but the reader has not come back yet
  std::size_t waiting = 0;
  library.GetQueueStatus(handle, waiting);
  EXPECT_TRUE(library.Settled());
  EXPECT_EQ(library.bytesOffered(), 3u);
}

TEST_F(SimulatedDeviceLibraryTest, FaultsReachTheEcuAndReopeningClearsTheLine) {
  SimulatedDeviceLibrary library(clock_, {});
  DeviceHandle handle = OpenDevice(library);
  library.DropAnswers(1);
  Write(library, handle, Of(BuildIdentifyRequest()));
  clock_.Advance(milliseconds(50));
  EXPECT_EQ(ReadWaiting(library, handle).size(), 3u);  // echo only
  library.CorruptAnswers(1);
  Write(library, handle, Of(BuildIdentifyRequest()));
  clock_.Advance(milliseconds(50));
  const Bytes corrupt = ReadWaiting(library, handle);
  ASSERT_EQ(corrupt.size(), 8u);
  EXPECT_FALSE(FrameCheckPasses(std::span(corrupt).subspan(3)));

  Write(library, handle, Of(BuildIdentifyRequest()));
  ASSERT_EQ(library.Close(handle), DeviceStatus::kOk);
  handle = OpenDevice(library);
  clock_.Advance(milliseconds(50));
  EXPECT_TRUE(ReadWaiting(library, handle).empty());
  EXPECT_EQ(library.Inspect([](const SimulatedEcu& ecu) { return ecu.requestsHeard(); }), 3);
}

// The program's --simulate: an ECU on the steady clock, answering within real milliseconds.
TEST(SimulatedDeviceLibraryOnTheSteadyClock, AnswersTheIdentityRequestAfterAFewMilliseconds) {
  SimulatedDeviceLibrary library("1103");
  std::uint32_t count = 0;
  ASSERT_EQ(library.CreateDeviceInfoList(count), DeviceStatus::kOk);
  DeviceHandle handle = DeviceHandle::kNone;
  ASSERT_EQ(library.Open(0, handle), DeviceStatus::kOk);
  const Bytes request = Of(BuildIdentifyRequest());
  std::size_t written = 0;
  ASSERT_EQ(library.Write(handle, request.data(), request.size(), written), DeviceStatus::kOk);
  Bytes received;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (received.size() < 8 && std::chrono::steady_clock::now() < deadline) {
    if (library.WaitForBytes(handle, milliseconds(100)) != DeviceStatus::kOk) continue;
    std::uint8_t buffer[16];
    std::size_t got = 0;
    library.Read(handle, buffer, sizeof buffer, got);
    received.insert(received.end(), buffer, buffer + got);
  }
  EXPECT_THAT(received, ElementsAre(0x10, 0x03, 0xED, 0x10, 0x05, 0x11, 0x03, 0xD7));
}

}  // namespace
}  // namespace rizazovoz
