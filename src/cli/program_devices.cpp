#include "program_devices.h"

#include "sim/simulated_device_library.h"
#include "transport/serial_device_library.h"

namespace rizazovoz {

std::unique_ptr<DeviceLibrary> MakeDeviceLibrary(const StartupOptions& options) {
  if (options.simulate) {
    return std::make_unique<SimulatedDeviceLibrary>(options.simulatedIdentity);
  }
  SerialPortOptions ports;
  ports.fixedPortPath = options.portPath;
  return std::make_unique<SerialDeviceLibrary>(ports);
}

}  // namespace rizazovoz
