// The device-layer contract, run against the fake and against serial ports on
// pseudo-terminals.
#include "device_library_contract.h"

#include "eventually.h"
#include "fake_device_library.h"
#include "serial_port_fixture.h"
#include "transport/serial_device_library.h"

namespace rizazovoz {
namespace {

class FakeRig : public DeviceLibraryRig {
 public:
  FakeRig() {
    fake_.AddDevice("USB Serial");
    id_ = fake_.AddDevice("RUZ Interface");
  }
  DeviceLibrary& Library() override { return fake_; }
  void DeviceSends(const std::vector<std::uint8_t>& bytes) override {
    fake_.DeviceSends(id_, bytes);
  }
  std::vector<std::uint8_t> DeviceReceived(std::size_t count,
                                           std::chrono::milliseconds timeout) override {
    std::vector<std::uint8_t> bytes;
    Eventually(
        [&] {
          const std::vector<std::uint8_t> more = fake_.TakeWritten(id_);
          bytes.insert(bytes.end(), more.begin(), more.end());
          return bytes.size() >= count;
        },
        timeout);
    return bytes;
  }
  void Unplug() override { fake_.Unplug(id_); }

 private:
  FakeDeviceLibrary fake_;
  int id_ = 0;
};

class SerialRig : public DeviceLibraryRig {
 public:
  SerialRig() : library_(Options(ports_)) {}
  DeviceLibrary& Library() override { return library_; }
  void DeviceSends(const std::vector<std::uint8_t>& bytes) override { ports_.Send(1, bytes); }
  std::vector<std::uint8_t> DeviceReceived(std::size_t count,
                                           std::chrono::milliseconds timeout) override {
    return ports_.Receive(1, count, timeout);
  }
  void Unplug() override {
    ports_.HangUp(1);
    ports_.RemoveFromSysfs(1);
  }

 private:
  static SerialPortOptions Options(SerialPortFixture& ports) {
    ports.AddPort(0, "USB Serial");
    ports.AddPort(1, "RUZ Interface");
    SerialPortOptions options;
    options.sysfsRoot = ports.SysfsRoot();
    options.devDir = ports.DevDir();
    return options;
  }
  SerialPortFixture ports_;
  SerialDeviceLibrary library_;
};

INSTANTIATE_TEST_SUITE_P(
    Libraries, DeviceLibraryContract,
    ::testing::Values(DeviceLibraryRigFactory{"Fake", [] { return std::make_unique<FakeRig>(); }},
                      DeviceLibraryRigFactory{"SerialOnPty",
                                              [] { return std::make_unique<SerialRig>(); }}),
    DeviceLibraryRigName);

}  // namespace
}  // namespace rizazovoz
