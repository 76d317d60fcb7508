#include "program_devices.h"

#include "transport/serial_device_library.h"

namespace rizazovoz {

std::unique_ptr<DeviceLibrary> MakeDeviceLibrary(const StartupOptions& options) {
  SerialPortOptions ports;
  ports.fixedPortPath = options.portPath;
  return std::make_unique<SerialDeviceLibrary>(ports);
}

}  // namespace rizazovoz
