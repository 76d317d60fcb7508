// Serial ports against a fixture sysfs tree and pseudo-terminals.
// termios2 (for reading the line settings back) cannot share a file with <termios.h>.
#include "transport/serial_device_library.h"

#include <asm/termbits.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>

#include <string>
#include <vector>

#include "eventually.h"
#include "serial_port_fixture.h"
#include "transport/d2xx_thread.h"

namespace rizazovoz {
namespace {

using namespace std::chrono_literals;

class SerialDeviceLibraryTest : public ::testing::Test {
 protected:
  SerialPortOptions Options() {
    SerialPortOptions options;
    options.sysfsRoot = ports_.SysfsRoot();
    options.devDir = ports_.DevDir();
    return options;
  }

  // Each listed position's description, "<unreadable>" where the query fails.
  static std::vector<std::string> Descriptions(DeviceLibrary& library) {
    std::uint32_t count = 0;
    EXPECT_EQ(library.CreateDeviceInfoList(count), DeviceStatus::kOk);
    std::vector<std::string> texts;
    for (std::uint32_t i = 0; i < count; ++i) {
      DeviceDescription description;
      texts.push_back(library.GetDeviceDescription(i, description) == DeviceStatus::kOk
                          ? std::string(description.View())
                          : "<unreadable>");
    }
    return texts;
  }

  termios2 LineSettings(int port) {
    termios2 settings{};
    EXPECT_EQ(ioctl(ports_.Master(port), TCGETS2, &settings), 0);
    return settings;
  }

  SerialPortFixture ports_;
};

TEST_F(SerialDeviceLibraryTest, ListsUsbSerialPortsByTheirProductStringAsWritten) {
  ports_.AddPort(10, "RUZ Interface");
  ports_.AddPort(2, "RUZ Interface ");  // the blank is part of the product string
  ports_.AddPort(0, "RUZ interface");
  ports_.AddPort(3, std::nullopt);
  ports_.AddPort(4, std::string(70, 'x'));
  ports_.AddPort(6, "RUZ Interface\n");  // only the kernel's own line end is dropped
  ports_.AddPort(5, "RUZ Interface");
  std::filesystem::remove(ports_.PortPath(5));  // no device node: not listed
  ports_.AddOtherTty("ttyS0");
  ports_.AddOtherTty("ttyUSB");
  SerialDeviceLibrary library(Options());
  EXPECT_THAT(Descriptions(library),
              ::testing::ElementsAre("RUZ interface", "RUZ Interface ", "<unreadable>",
                                     std::string(64, 'x'), "RUZ Interface\n",
                                     "RUZ Interface"));  // ttyUSB10 after ttyUSB6
}

TEST_F(SerialDeviceLibraryTest, TheLinkThreadPicksTheExactDescriptionOnly) {
  ports_.AddPort(0, "RUZ Interface ");
  ports_.AddPort(1, "RUZ Interface");
  ports_.AddPort(2, "RUZ Interface\t");
  SerialDeviceLibrary library(Options());
  TD2xxThread link(library);
  ASSERT_TRUE(Eventually([&] { return link.DeviceIndex() != 0; }));
  EXPECT_EQ(link.DeviceIndex(), 2);
  EXPECT_EQ(link.StatusText(), "RUZ Interface");
}

TEST_F(SerialDeviceLibraryTest, SetsAnyBaudRateExactlyAndTheLineTo8N1Raw) {
  ports_.AddPort(0, "RUZ Interface");
  SerialDeviceLibrary library(Options());
  std::uint32_t count = 0;
  ASSERT_EQ(library.CreateDeviceInfoList(count), DeviceStatus::kOk);
  DeviceHandle handle = DeviceHandle::kNone;
  ASSERT_EQ(library.Open(0, handle), DeviceStatus::kOk);
  ASSERT_EQ(library.SetDataCharacteristics(handle, 8, 1, Parity::kNone), DeviceStatus::kOk);
  for (const std::uint32_t rate : {7812u, 15625u}) {
    SCOPED_TRACE(rate);
    ASSERT_EQ(library.SetBaudRate(handle, rate), DeviceStatus::kOk);
    const termios2 settings = LineSettings(0);
    EXPECT_EQ(settings.c_cflag & CBAUD, static_cast<tcflag_t>(BOTHER));
    EXPECT_EQ(settings.c_ospeed, rate);
    EXPECT_EQ(settings.c_ispeed, rate);
  }
  const termios2 settings = LineSettings(0);
  EXPECT_EQ(settings.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(settings.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_NE(settings.c_cflag & CLOCAL, 0u);
  EXPECT_EQ(settings.c_iflag & (IXON | IXOFF | ICRNL), 0u);
  EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(settings.c_oflag & OPOST, 0u);
  EXPECT_EQ(settings.c_cc[VMIN], 1);
  EXPECT_EQ(settings.c_cc[VTIME], 0);
  EXPECT_EQ(library.SetDataCharacteristics(handle, 9, 1, Parity::kNone),
            DeviceStatus::kInvalidParameter);
  EXPECT_EQ(library.Close(handle), DeviceStatus::kOk);
}

TEST_F(SerialDeviceLibraryTest, APortThatLeavesSysfsIsGoneAtTheNextListRead) {
  ports_.AddPort(0, "RUZ Interface");
  SerialDeviceLibrary library(Options());
  std::uint32_t count = 0;
  ASSERT_EQ(library.CreateDeviceInfoList(count), DeviceStatus::kOk);
  DeviceHandle handle = DeviceHandle::kNone;
  ASSERT_EQ(library.Open(0, handle), DeviceStatus::kOk);
  ports_.RemoveFromSysfs(0);
  ASSERT_EQ(library.CreateDeviceInfoList(count), DeviceStatus::kOk);
  EXPECT_EQ(count, 0u);
  std::size_t waiting = 0;
  EXPECT_EQ(library.GetQueueStatus(handle, waiting), DeviceStatus::kDeviceGone);
  EXPECT_EQ(library.Close(handle), DeviceStatus::kOk);
}

TEST_F(SerialDeviceLibraryTest, AGivenPortPathIsListedUnderItsDescriptionWhileItExists) {
  ports_.AddPort(0, "USB Serial");
  ports_.AddPort(7, "USB Serial");
  const std::string path = ports_.PortPath(7);
  ports_.RemoveFromSysfs(7);  // only reachable by its path
  SerialPortOptions options = Options();
  options.fixedPortPath = path;
  SerialDeviceLibrary library(options);
  EXPECT_THAT(Descriptions(library), ::testing::ElementsAre("USB Serial", "RUZ Interface"));
  DeviceHandle handle = DeviceHandle::kNone;
  ASSERT_EQ(library.Open(1, handle), DeviceStatus::kOk);
  std::size_t written = 0;
  const std::uint8_t byte = 0x7E;
  ASSERT_EQ(library.Write(handle, &byte, 1, written), DeviceStatus::kOk);
  EXPECT_EQ(ports_.Receive(7, 1, 3000ms), std::vector<std::uint8_t>{0x7E});
  ASSERT_EQ(library.Close(handle), DeviceStatus::kOk);
  std::filesystem::remove(path);
  EXPECT_THAT(Descriptions(library), ::testing::ElementsAre("USB Serial"));
}

// The link thread on a real tty: opens at 7812, switches to 15625, moves bytes both ways
// and notices the hang-up.
TEST_F(SerialDeviceLibraryTest, TheLinkThreadDrivesAPseudoTerminal) {
  ports_.AddPort(0, "RUZ Interface");
  SerialDeviceLibrary library(Options());
  TD2xxThread link(library);
  link.RequestOpen("7812");
  ASSERT_TRUE(Eventually([&] { return link.IsOpen(); }));
  EXPECT_EQ(LineSettings(0).c_ospeed, 7812u);
  EXPECT_FALSE(link.ChangeBaudRate("15625"));
  EXPECT_EQ(LineSettings(0).c_ospeed, 15625u);

  const std::vector<std::uint8_t> request = {0x10, 0x03, 0xED};
  ASSERT_EQ(link.QueueBytes(request.data(), request.size()), request.size());
  EXPECT_EQ(ports_.Receive(0, request.size(), 3000ms), request);
  const std::vector<std::uint8_t> answer = {0x10, 0x05, 0x11, 0x03, 0xD7};
  ports_.Send(0, answer);
  std::vector<std::uint8_t> taken;
  ASSERT_TRUE(Eventually([&] {
    std::uint8_t buffer[kRingCapacity];
    const std::size_t n = link.TakeBytes(buffer);
    taken.insert(taken.end(), buffer, buffer + n);
    return taken.size() >= answer.size();
  }));
  EXPECT_EQ(taken, answer);

  ports_.HangUp(0);
  EXPECT_TRUE(Eventually([&] { return !link.IsOpen(); }));
  EXPECT_TRUE(Eventually([&] { return link.StatusText() == "No Interface"; }));
}

}  // namespace
}  // namespace rizazovoz
