#include "fd_ecu_bridge.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <span>

namespace rizazovoz::ecusim {
namespace {

constexpr int kIdlePollMs = 100;  // nothing due: look at the line again this often anyway

}  // namespace

FdEcuBridge::FdEcuBridge(int fd, SimulatedEcu& ecu, const Clock& clock, bool lineEchoes)
    : fd_(fd), ecu_(ecu), clock_(clock), lineEchoes_(lineEchoes) {}

bool FdEcuBridge::Run(int stopFd) {
  for (;;) {
    pollfd fds[2] = {{fd_, POLLIN, 0}, {stopFd, POLLIN, 0}};
    if (poll(fds, 2, PollTimeoutMs()) < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (fds[1].revents != 0) return true;
    if ((fds[0].revents & POLLIN) != 0) {
      if (!ReadLine()) return false;
    } else if ((fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
      return false;
    }
    ecu_.AdvanceTo(clock_.now());
    if (!WriteDue()) return false;
  }
}

int FdEcuBridge::PollTimeoutMs() const {
  const auto due = ecu_.NextAnswerDue();
  if (!due) return kIdlePollMs;
  const auto left = *due - clock_.now();
  if (left <= Clock::duration::zero()) return 0;
  // Rounded up, so that the answer is due when poll returns.
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
  return static_cast<int>(std::min<std::int64_t>(ms, kIdlePollMs));
}

bool FdEcuBridge::ReadLine() {
  std::array<std::uint8_t, 256> buffer{};
  const ssize_t n = read(fd_, buffer.data(), buffer.size());
  if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
  if (n == 0) return false;  // hung up
  std::span<const std::uint8_t> bytes(buffer.data(), static_cast<std::size_t>(n));
  if (lineEchoes_) {
    // Our own answers, heard back on the shared line, are not requests.
    const std::size_t own = std::min(ownBytesToSkip_, bytes.size());
    ownBytesToSkip_ -= own;
    bytes = bytes.subspan(own);
  }
  if (!bytes.empty()) ecu_.Receive(bytes, clock_.now());
  return true;
}

bool FdEcuBridge::WriteDue() {
  std::array<std::uint8_t, 256> buffer{};
  while (ecu_.Available() > 0) {
    const std::size_t count = ecu_.Take(buffer.data(), buffer.size());
    const ssize_t n = write(fd_, buffer.data(), count);
    if (n < 0) {
      // A far end with no room loses the bytes, as a receiver on a real line would.
      return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    }
    if (lineEchoes_) ownBytesToSkip_ += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace rizazovoz::ecusim
