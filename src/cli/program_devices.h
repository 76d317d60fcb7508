#pragma once
// The device layer the link thread runs on, as the command line chooses it: the USB serial
// ports (and the one given with --port), or the simulated interface with its ECU.
#include <memory>

#include "startup_options.h"
#include "transport/device_library.h"

namespace rizazovoz {

std::unique_ptr<DeviceLibrary> MakeDeviceLibrary(const StartupOptions& options);

}  // namespace rizazovoz
