#pragma once
// The device layer on Linux: the ports of the kernel's USB serial drivers
// (<sysfs>/class/tty/ttyUSB*), each described by its USB device's product string, opened
// as raw ttys from the device directory. A port that hangs up, fails to read, or leaves
// sysfs is reported gone and is no longer listed.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "transport/device_library.h"

namespace rizazovoz {

struct SerialPortOptions {
  std::string sysfsRoot = "/sys";
  std::string devDir = "/dev";
  // One more port given by its path (for ports that are not USB serial, or for trials);
  // listed last, under fixedPortDescription, while the path exists.
  std::string fixedPortPath;
  std::string fixedPortDescription = "RUZ Interface";
};

class SerialDeviceLibrary final : public DeviceLibrary {
 public:
  explicit SerialDeviceLibrary(SerialPortOptions options = {});
  ~SerialDeviceLibrary() override;
  SerialDeviceLibrary(const SerialDeviceLibrary&) = delete;
  SerialDeviceLibrary& operator=(const SerialDeviceLibrary&) = delete;

  DeviceStatus CreateDeviceInfoList(std::uint32_t& count) override;
  DeviceStatus GetDeviceDescription(std::uint32_t index, DeviceDescription& description) override;
  DeviceStatus Open(std::uint32_t index, DeviceHandle& handle) override;
  DeviceStatus Close(DeviceHandle handle) override;
  DeviceStatus SetBaudRate(DeviceHandle handle, std::uint32_t baudRate) override;
  DeviceStatus SetDataCharacteristics(DeviceHandle handle, std::uint8_t dataBits,
                                      std::uint8_t stopBits, Parity parity) override;
  DeviceStatus SetTimeouts(DeviceHandle handle, std::chrono::milliseconds read,
                           std::chrono::milliseconds write) override;
  DeviceStatus GetQueueStatus(DeviceHandle handle, std::size_t& bytesWaiting) override;
  DeviceStatus Read(DeviceHandle handle, std::uint8_t* buffer, std::size_t count,
                    std::size_t& bytesRead) override;
  DeviceStatus Write(DeviceHandle handle, const std::uint8_t* bytes, std::size_t count,
                     std::size_t& bytesWritten) override;
  DeviceStatus WaitForBytes(DeviceHandle handle, std::chrono::milliseconds timeout) override;
  void InterruptWait() override;

 private:
  struct ListedPort {
    std::string path;
    std::string description;
    bool described = false;  // the product string could be read
  };
  struct OpenPort {
    int fd = -1;
    std::string path;
    bool gone = false;
    std::chrono::milliseconds writeTimeout{300};
  };

  // The open port behind a handle, or the status to give when it cannot be used.
  DeviceStatus Find(DeviceHandle handle, OpenPort*& port);
  DeviceStatus Gone(OpenPort& port);
  void ListUsbSerialPorts(std::vector<ListedPort>& ports) const;
  bool IsGoneAndOpen(const std::string& path) const;

  const SerialPortOptions options_;
  std::vector<ListedPort> list_;
  std::map<DeviceHandle, OpenPort> open_;
  std::uint32_t lastHandle_ = 0;
  int wakeFd_ = -1;  // an eventfd that InterruptWait signals
};

}  // namespace rizazovoz
