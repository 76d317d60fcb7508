// ecusim: the simulated ECU behind a RUZ Interface, on a pseudo-terminal (whose slave path
// it prints on the first line of its output) or on a serial device, until SIGINT or SIGTERM.
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/signalfd.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ecusim_options.h"
#include "fd_ecu_bridge.h"
#include "sim/clock.h"
#include "sim/simulated_ecu.h"
#include "transport/serial_line.h"

namespace {

using rizazovoz::ecusim::Options;

int Fail(const std::string& what) {
  std::fprintf(stderr, "ecusim: %s: %s\n", what.c_str(), std::strerror(errno));
  return 1;
}

// The stop signals arrive through a descriptor that the bridge polls. Their handling is
// reset first: a shell that starts ecusim in the background has it ignore SIGINT, and an
// ignored signal would never reach the descriptor.
int StopSignalFd() {
  signal(SIGINT, SIG_DFL);
  signal(SIGTERM, SIG_DFL);
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  if (sigprocmask(SIG_BLOCK, &signals, nullptr) != 0) return -1;
  return signalfd(-1, &signals, SFD_CLOEXEC);
}

// A new pseudo-terminal: the master for the ECU, the slave path for the program. A slave
// descriptor is kept open, raw, so that the program can close and reopen its side without
// the master hanging up, and so that nothing echoes before the program sets the line up.
struct Pty {
  int master = -1;
  int slave = -1;
  std::string slavePath;
};

bool OpenPty(Pty& pty) {
  pty.master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (pty.master < 0 || grantpt(pty.master) != 0 || unlockpt(pty.master) != 0) return false;
  const char* name = ptsname(pty.master);
  if (name == nullptr) return false;
  pty.slavePath = name;
  pty.slave = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (pty.slave < 0) return false;
  termios raw{};
  if (tcgetattr(pty.slave, &raw) != 0) return false;
  cfmakeraw(&raw);
  return tcsetattr(pty.slave, TCSANOW, &raw) == 0;
}

int OpenSerialDevice(const Options& options) {
  const int fd = open(options.device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  namespace line = rizazovoz::serial_line;
  if (!line::Prepare(fd) || !line::SetBaudRate(fd, options.baudRate) ||
      !line::SetFormat(fd, 8, 1, rizazovoz::Parity::kNone)) {
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto options =
      rizazovoz::ecusim::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::fprintf(stderr, "ecusim: %s\n%s", error.c_str(), rizazovoz::ecusim::kUsage);
    return 2;
  }
  if (options->help) {
    std::fputs(rizazovoz::ecusim::kUsage, stdout);
    return 0;
  }
  const int stopFd = StopSignalFd();
  if (stopFd < 0) return Fail("cannot watch for SIGINT and SIGTERM");

  int lineFd = -1;
  Pty pty;
  if (options->device.empty()) {
    if (!OpenPty(pty)) return Fail("cannot open a pseudo-terminal");
    lineFd = pty.master;
    std::printf("%s\n", pty.slavePath.c_str());
    std::fflush(stdout);
  } else {
    lineFd = OpenSerialDevice(*options);
    if (lineFd < 0) return Fail("cannot open " + options->device);
  }

  rizazovoz::SimulatedEcuConfig config;
  config.identity = options->identity;
  config.baudRate = options->baudRate;
  config.engine.seed = options->seed;
  config.echo = !options->lineEchoes;
  const rizazovoz::SteadyClock clock;
  rizazovoz::SimulatedEcu ecu(config, clock.now());
  std::fprintf(stderr, "ecusim: ECU %s at %u baud on %s\n", ecu.identity().c_str(),
               options->baudRate,
               options->device.empty() ? pty.slavePath.c_str() : options->device.c_str());

  rizazovoz::ecusim::FdEcuBridge bridge(lineFd, ecu, clock, options->lineEchoes);
  const bool stopped = bridge.Run(stopFd);
  if (!stopped) return Fail("the line failed");
  return 0;
}
