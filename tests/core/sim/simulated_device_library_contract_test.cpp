// The device-layer contract, run against the simulated interface with its ECU reduced to a
// plain far end: no echo, no answers, bytes put on the line from the ECU's side.
#include <condition_variable>
#include <mutex>

#include "device_library_contract.h"
#include "sim/simulated_device_library.h"

namespace rizazovoz {
namespace {

SimulatedEcuConfig PlainFarEnd() {
  SimulatedEcuConfig config;
  config.echo = false;
  return config;
}

class SimulatedRig : public DeviceLibraryRig {
 public:
  SimulatedRig() : library_(clock_, PlainFarEnd()) {
    library_.SetSilent(true);
    library_.SetWriteObserver([this](std::span<const std::uint8_t> bytes) {
      std::lock_guard lock(mutex_);
      received_.insert(received_.end(), bytes.begin(), bytes.end());
      arrived_.notify_all();
    });
  }
  DeviceLibrary& Library() override { return library_; }
  void DeviceSends(const std::vector<std::uint8_t>& bytes) override {
    library_.InjectFromEcuSide(bytes);
  }
  std::vector<std::uint8_t> DeviceReceived(std::size_t count,
                                           std::chrono::milliseconds timeout) override {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, timeout, [&] { return received_.size() >= count; });
    return std::exchange(received_, {});
  }
  void Unplug() override { library_.Unplug(); }

 private:
  SteadyClock clock_;
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<std::uint8_t> received_;
  SimulatedDeviceLibrary library_;
};

INSTANTIATE_TEST_SUITE_P(Simulated, DeviceLibraryContract,
                         ::testing::Values(DeviceLibraryRigFactory{
                             "Simulated", [] { return std::make_unique<SimulatedRig>(); }}),
                         DeviceLibraryRigName);

}  // namespace
}  // namespace rizazovoz
