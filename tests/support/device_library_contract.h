#pragma once
// What every DeviceLibrary must do for the link thread, as one value-parameterised suite.
// A test program adds a library by writing a rig for it and instantiating the suite:
//
//   INSTANTIATE_TEST_SUITE_P(Mine, DeviceLibraryContract,
//                            ::testing::Values(DeviceLibraryRigFactory{"Mine", MakeMyRig}),
//                            DeviceLibraryRigName);
//
// Include this header in one source file per test program only.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "transport/device_library.h"

namespace rizazovoz {

// A library with one device described "RUZ Interface" plugged in, and its far end.
class DeviceLibraryRig {
 public:
  virtual ~DeviceLibraryRig() = default;
  virtual DeviceLibrary& Library() = 0;
  // The far end sends these bytes to the host.
  virtual void DeviceSends(const std::vector<std::uint8_t>& bytes) = 0;
  // Bytes the host wrote that reached the far end, waiting until `count` came or timeout.
  virtual std::vector<std::uint8_t> DeviceReceived(std::size_t count,
                                                   std::chrono::milliseconds timeout) = 0;
  // The device goes away as when its cable is pulled.
  virtual void Unplug() = 0;
};

struct DeviceLibraryRigFactory {
  const char* name;
  std::function<std::unique_ptr<DeviceLibraryRig>()> make;
};

inline void PrintTo(const DeviceLibraryRigFactory& factory, std::ostream* os) {
  *os << factory.name;
}

inline std::string DeviceLibraryRigName(
    const ::testing::TestParamInfo<DeviceLibraryRigFactory>& info) {
  return info.param.name;
}

class DeviceLibraryContract : public ::testing::TestWithParam<DeviceLibraryRigFactory> {
 protected:
  static constexpr std::chrono::milliseconds kPatience{3000};

  void SetUp() override {
    rig_ = GetParam().make();
    ASSERT_NE(rig_, nullptr);
  }
  DeviceLibrary& Library() { return rig_->Library(); }

  // The list position of the interface, when it is listed.
  std::optional<std::uint32_t> InterfacePosition() {
    std::uint32_t count = 0;
    if (Library().CreateDeviceInfoList(count) != DeviceStatus::kOk) return std::nullopt;
    std::optional<std::uint32_t> found;
    for (std::uint32_t i = 0; i < count; ++i) {
      DeviceDescription description;
      if (Library().GetDeviceDescription(i, description) == DeviceStatus::kOk &&
          description.View() == "RUZ Interface") {
        found = i;
      }
    }
    return found;
  }

  DeviceHandle OpenInterface() {
    const std::optional<std::uint32_t> position = InterfacePosition();
    EXPECT_TRUE(position.has_value());
    DeviceHandle handle = DeviceHandle::kNone;
    EXPECT_EQ(Library().Open(position.value_or(0), handle), DeviceStatus::kOk);
    EXPECT_NE(handle, DeviceHandle::kNone);
    Library().SetBaudRate(handle, 7812);
    Library().SetDataCharacteristics(handle, 8, 1, Parity::kNone);
    return handle;
  }

  // Reads until `count` bytes came, waiting for them with WaitForBytes.
  std::vector<std::uint8_t> ReadAll(DeviceHandle handle, std::size_t count) {
    std::vector<std::uint8_t> bytes;
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (bytes.size() < count && std::chrono::steady_clock::now() < deadline) {
      if (Library().WaitForBytes(handle, std::chrono::milliseconds(100)) != DeviceStatus::kOk) {
        continue;
      }
      std::size_t waiting = 0;
      EXPECT_EQ(Library().GetQueueStatus(handle, waiting), DeviceStatus::kOk);
      EXPECT_GT(waiting, 0u);
      std::uint8_t buffer[64];
      std::size_t got = 0;
      EXPECT_EQ(Library().Read(handle, buffer, std::min(sizeof buffer, waiting), got),
                DeviceStatus::kOk);
      EXPECT_LE(got, std::min(sizeof buffer, waiting));
      bytes.insert(bytes.end(), buffer, buffer + got);
    }
    return bytes;
  }

  std::unique_ptr<DeviceLibraryRig> rig_;
};

TEST_P(DeviceLibraryContract, ListsTheInterfaceAndNothingPastTheEnd) {
  std::uint32_t count = 0;
  ASSERT_EQ(Library().CreateDeviceInfoList(count), DeviceStatus::kOk);
  EXPECT_GE(count, 1u);
  EXPECT_TRUE(InterfacePosition().has_value());
  DeviceDescription description;
  EXPECT_NE(Library().GetDeviceDescription(count, description), DeviceStatus::kOk);
  DeviceHandle handle = DeviceHandle::kNone;
  EXPECT_NE(Library().Open(count, handle), DeviceStatus::kOk);
}

TEST_P(DeviceLibraryContract, OpensConfiguresAndClosesOnce) {
  const DeviceHandle handle = OpenInterface();
  EXPECT_EQ(Library().SetBaudRate(handle, 15625), DeviceStatus::kOk);
  EXPECT_EQ(Library().SetBaudRate(handle, 7812), DeviceStatus::kOk);
  EXPECT_EQ(Library().SetDataCharacteristics(handle, 8, 1, Parity::kNone), DeviceStatus::kOk);
  EXPECT_EQ(
      Library().SetTimeouts(handle, std::chrono::milliseconds(300), std::chrono::milliseconds(300)),
      DeviceStatus::kOk);
  EXPECT_EQ(Library().Close(handle), DeviceStatus::kOk);
  EXPECT_EQ(Library().Close(handle), DeviceStatus::kInvalidHandle);
  std::size_t waiting = 0;
  EXPECT_EQ(Library().GetQueueStatus(handle, waiting), DeviceStatus::kInvalidHandle);
  EXPECT_EQ(Library().SetBaudRate(handle, 7812), DeviceStatus::kInvalidHandle);
  // Released: it can be opened again.
  const DeviceHandle again = OpenInterface();
  EXPECT_EQ(Library().Close(again), DeviceStatus::kOk);
}

TEST_P(DeviceLibraryContract, MovesBytesBothWaysAndCountsWhatIsWaiting) {
  const DeviceHandle handle = OpenInterface();
  std::size_t waiting = 99;
  ASSERT_EQ(Library().GetQueueStatus(handle, waiting), DeviceStatus::kOk);
  EXPECT_EQ(waiting, 0u);
  std::uint8_t buffer[8] = {};
  std::size_t got = 99;
  EXPECT_EQ(Library().Read(handle, buffer, sizeof buffer, got), DeviceStatus::kOk);
  EXPECT_EQ(got, 0u);  // nothing there: no wait, no error

  std::vector<std::uint8_t> out(150);
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = static_cast<std::uint8_t>(i * 3 + 1);
  std::size_t written = 0;
  EXPECT_EQ(Library().Write(handle, out.data(), out.size(), written), DeviceStatus::kOk);
  EXPECT_EQ(written, out.size());
  EXPECT_THAT(rig_->DeviceReceived(out.size(), kPatience), ::testing::ElementsAreArray(out));

  std::vector<std::uint8_t> in(150);
  for (std::size_t i = 0; i < in.size(); ++i) in[i] = static_cast<std::uint8_t>(255 - i);
  rig_->DeviceSends(in);
  EXPECT_THAT(ReadAll(handle, in.size()), ::testing::ElementsAreArray(in));
  EXPECT_EQ(Library().Close(handle), DeviceStatus::kOk);
}

TEST_P(DeviceLibraryContract, WaitForBytesWakesOnDataAndOtherwiseTimesOut) {
  const DeviceHandle handle = OpenInterface();
  EXPECT_EQ(Library().WaitForBytes(handle, std::chrono::milliseconds(20)), DeviceStatus::kTimeout);

  std::thread sender([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));  // let the wait begin
    rig_->DeviceSends({0x42});
  });
  const auto start = std::chrono::steady_clock::now();
  const DeviceStatus status = Library().WaitForBytes(handle, std::chrono::milliseconds(10'000));
  const auto waited = std::chrono::steady_clock::now() - start;
  sender.join();
  EXPECT_EQ(status, DeviceStatus::kOk);
  EXPECT_LT(waited, std::chrono::milliseconds(5000));  // woken, not timed out
  // Bytes already waiting: returns at once, however often it is asked.
  EXPECT_EQ(Library().WaitForBytes(handle, std::chrono::milliseconds(10'000)), DeviceStatus::kOk);
  EXPECT_EQ(ReadAll(handle, 1), std::vector<std::uint8_t>{0x42});
  EXPECT_EQ(Library().Close(handle), DeviceStatus::kOk);
}

TEST_P(DeviceLibraryContract, InterruptWaitEndsTheWaitInProgressOrTheNextOne) {
  const DeviceHandle handle = OpenInterface();
  std::thread interrupter([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    Library().InterruptWait();
  });
  EXPECT_EQ(Library().WaitForBytes(handle, std::chrono::milliseconds(10'000)),
            DeviceStatus::kInterrupted);
  interrupter.join();

  Library().InterruptWait();
  Library().InterruptWait();  // several before a wait count as one
  EXPECT_EQ(Library().WaitForBytes(handle, std::chrono::milliseconds(10'000)),
            DeviceStatus::kInterrupted);
  EXPECT_EQ(Library().WaitForBytes(handle, std::chrono::milliseconds(20)), DeviceStatus::kTimeout);
  EXPECT_EQ(Library().Close(handle), DeviceStatus::kOk);
}

TEST_P(DeviceLibraryContract, AnUnpluggedDeviceIsReportedGoneAndNoLongerListed) {
  const DeviceHandle handle = OpenInterface();
  rig_->Unplug();
  EXPECT_EQ(Library().WaitForBytes(handle, std::chrono::milliseconds(10'000)),
            DeviceStatus::kDeviceGone);
  std::size_t waiting = 0;
  EXPECT_EQ(Library().GetQueueStatus(handle, waiting), DeviceStatus::kDeviceGone);
  std::uint8_t byte = 0x55;
  std::size_t done = 0;
  EXPECT_EQ(Library().Read(handle, &byte, 1, done), DeviceStatus::kDeviceGone);
  EXPECT_EQ(Library().Write(handle, &byte, 1, done), DeviceStatus::kDeviceGone);
  EXPECT_FALSE(InterfacePosition().has_value());
  EXPECT_EQ(Library().Close(handle), DeviceStatus::kOk);
  EXPECT_FALSE(InterfacePosition().has_value());
}

}  // namespace rizazovoz
