#include "transport/serial_line.h"

// termios2 and BOTHER come from the kernel's own headers; <termios.h> must stay out.
#include <asm/termbits.h>
#include <linux/serial.h>
#include <sys/ioctl.h>

#include <cerrno>

namespace rizazovoz::serial_line {
namespace {

bool Get(int fd, termios2& settings) { return ioctl(fd, TCGETS2, &settings) == 0; }
bool Set(int fd, const termios2& settings) { return ioctl(fd, TCSETS2, &settings) == 0; }

}  // namespace

bool Prepare(int fd) {
  termios2 settings{};
  if (!Get(fd, settings)) return false;
  settings.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR |
                                             ICRNL | IXON | IXOFF | IXANY | INPCK);
  settings.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  settings.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
  settings.c_cflag |= CS8 | CREAD | CLOCAL;
  settings.c_cc[VMIN] = 1;
  settings.c_cc[VTIME] = 0;
  if (!Set(fd, settings)) return false;
  return ioctl(fd, TCFLSH, TCIOFLUSH) == 0;
}

bool SetBaudRate(int fd, std::uint32_t baudRate) {
  termios2 settings{};
  if (!Get(fd, settings)) return false;
  settings.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
  settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
  settings.c_ispeed = baudRate;
  settings.c_ospeed = baudRate;
  if (!Set(fd, settings)) return false;
  // A driver that cannot do the rate may pick another one; that counts as refused.
  if (!Get(fd, settings)) return false;
  if (settings.c_ospeed != baudRate) {
    errno = EINVAL;
    return false;
  }
  return true;
}

bool SetFormat(int fd, std::uint8_t dataBits, std::uint8_t stopBits, Parity parity) {
  tcflag_t size = 0;
  switch (dataBits) {
    case 5:
      size = CS5;
      break;
    case 6:
      size = CS6;
      break;
    case 7:
      size = CS7;
      break;
    case 8:
      size = CS8;
      break;
    default:
      errno = EINVAL;
      return false;
  }
  if (stopBits != 1 && stopBits != 2) {
    errno = EINVAL;
    return false;
  }
  termios2 settings{};
  if (!Get(fd, settings)) return false;
  settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB | PARENB | PARODD);
  settings.c_cflag |= size;
  if (stopBits == 2) settings.c_cflag |= CSTOPB;
  if (parity != Parity::kNone) settings.c_cflag |= PARENB;
  if (parity == Parity::kOdd) settings.c_cflag |= PARODD;
  return Set(fd, settings);
}

void RequestLowLatency(int fd) {
  serial_struct serial{};
  if (ioctl(fd, TIOCGSERIAL, &serial) != 0) return;  // e.g. a pseudo-terminal
  serial.flags |= ASYNC_LOW_LATENCY;
  ioctl(fd, TIOCSSERIAL, &serial);
}

}  // namespace rizazovoz::serial_line
