#include "quit_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <stdexcept>

namespace rizazovoz {
namespace {

constexpr std::array kSignals = {SIGTERM, SIGINT, SIGHUP};
int writeFd = -1;
std::array<struct sigaction, kSignals.size()> previous{};

void OnSignal(int signalNumber) {
  const int saved = errno;
  const auto byte = static_cast<unsigned char>(signalNumber);
  (void)!write(writeFd, &byte, 1);  // a full socket means a close is on its way already
  errno = saved;
}

}  // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds_) != 0) {
    throw std::runtime_error("cannot create the socket pair for quit signals");
  }
  writeFd = fds_[0];
  notifier_ = std::make_unique<QSocketNotifier>(fds_[1], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &QuitSignals::Drain);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &action, &previous[i]);
}

QuitSignals::~QuitSignals() {
  for (std::size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &previous[i], nullptr);
  notifier_.reset();
  writeFd = -1;
  close(fds_[0]);
  close(fds_[1]);
}

void QuitSignals::Drain() {
  unsigned char byte = 0;
  while (read(fds_[1], &byte, 1) == 1) emit received(byte);
}

}  // namespace rizazovoz
