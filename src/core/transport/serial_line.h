#pragma once
// Line settings of an open serial port (a tty file descriptor). Kept apart because the
// kernel's termios2 interface, which sets any baud rate exactly, cannot share a source
// file with <termios.h>.
#include <cstdint>

#include "transport/device_library.h"

namespace rizazovoz::serial_line {

// Raw bytes, receiver on, modem lines ignored, no flow control, 8N1, and a read that
// returns as soon as one byte is there (so that "nothing yet" and a hang-up differ).
// Drops whatever was received or queued before. False (errno set) when the port refuses.
bool Prepare(int fd);
bool SetBaudRate(int fd, std::uint32_t baudRate);
bool SetFormat(int fd, std::uint8_t dataBits, std::uint8_t stopBits, Parity parity);
// Asks the driver to hand received bytes over at once; ports that cannot are left as
// they are.
void RequestLowLatency(int fd);

}  // namespace rizazovoz::serial_line
