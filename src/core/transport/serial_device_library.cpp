#include "transport/serial_device_library.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string_view>

#include "transport/serial_line.h"

namespace rizazovoz {
namespace {

constexpr std::string_view kPortPrefix = "ttyUSB";

// The number of a "ttyUSB<n>" name, or -1.
long PortNumber(std::string_view name) {
  if (!name.starts_with(kPortPrefix) || name.size() == kPortPrefix.size()) return -1;
  long number = 0;
  for (const char c : name.substr(kPortPrefix.size())) {
    if (c < '0' || c > '9' || number > 1'000'000) return -1;
    number = number * 10 + (c - '0');
  }
  return number;
}

bool IsCharacterDevice(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
}

bool Exists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

std::string RealPath(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : std::string();
}

// A sysfs attribute's text without the line end the kernel adds; false when unreadable.
bool ReadAttribute(const std::string& path, std::string& text) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  if (file.bad()) return false;
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return true;
}

// The product string of the USB device a tty port belongs to: the port's device
// directory, then its parents up to the first one that holds idVendor.
bool ReadUsbProduct(const std::string& root, const std::string& portDir, std::string& product) {
  std::string dir = RealPath(portDir + "/device");
  while (!dir.empty() && dir != "/" && dir != root) {
    if (Exists(dir + "/idVendor")) return ReadAttribute(dir + "/product", product);
    const std::size_t slash = dir.find_last_of('/');
    dir.erase(slash == 0 ? 1 : slash);  // up one level, "/" at the top
  }
  return false;
}

bool IsHangUp(int error) { return error == EIO || error == ENXIO || error == ENODEV; }

}  // namespace

SerialDeviceLibrary::SerialDeviceLibrary(SerialPortOptions options)
    : options_(std::move(options)), wakeFd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

SerialDeviceLibrary::~SerialDeviceLibrary() {
  for (auto& [handle, port] : open_) close(port.fd);
  if (wakeFd_ >= 0) close(wakeFd_);
}

void SerialDeviceLibrary::ListUsbSerialPorts(std::vector<ListedPort>& ports) const {
  const std::string classDir = options_.sysfsRoot + "/class/tty";
  DIR* dir = opendir(classDir.c_str());
  if (dir == nullptr) return;
  std::vector<std::pair<long, std::string>> names;
  while (const dirent* entry = readdir(dir)) {
    const long number = PortNumber(entry->d_name);
    if (number >= 0) names.emplace_back(number, entry->d_name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  const std::string root = RealPath(options_.sysfsRoot);  // where the walk up stops
  for (const auto& [number, name] : names) {
    ListedPort port;
    port.path = options_.devDir + "/" + name;
    if (!IsCharacterDevice(port.path)) continue;  // no device node (yet, or any more)
    port.described = ReadUsbProduct(root, classDir + "/" + name, port.description);
    ports.push_back(std::move(port));
  }
}

bool SerialDeviceLibrary::IsGoneAndOpen(const std::string& path) const {
  return std::any_of(open_.begin(), open_.end(), [&](const auto& entry) {
    return entry.second.gone && entry.second.path == path;
  });
}

DeviceStatus SerialDeviceLibrary::CreateDeviceInfoList(std::uint32_t& count) {
  std::vector<ListedPort> ports;
  ListUsbSerialPorts(ports);
  if (!options_.fixedPortPath.empty() && Exists(options_.fixedPortPath)) {
    ports.push_back(ListedPort{options_.fixedPortPath, options_.fixedPortDescription, true});
  }
  // A port that has hung up stays off the list until its handle is released.
  std::erase_if(ports, [&](const ListedPort& port) { return IsGoneAndOpen(port.path); });
  // An open port that has left the list has been unplugged.
  for (auto& [handle, port] : open_) {
    const bool listed = std::any_of(ports.begin(), ports.end(),
                                    [&](const ListedPort& p) { return p.path == port.path; });
    if (!listed) port.gone = true;
  }
  list_ = std::move(ports);
  count = static_cast<std::uint32_t>(list_.size());
  return DeviceStatus::kOk;
}

DeviceStatus SerialDeviceLibrary::GetDeviceDescription(std::uint32_t index,
                                                       DeviceDescription& description) {
  if (index >= list_.size()) return DeviceStatus::kDeviceNotFound;
  if (!list_[index].described) return DeviceStatus::kIoError;
  description.Assign(list_[index].description);
  return DeviceStatus::kOk;
}

DeviceStatus SerialDeviceLibrary::Open(std::uint32_t index, DeviceHandle& handle) {
  if (index >= list_.size()) return DeviceStatus::kDeviceNotFound;
  const std::string& path = list_[index].path;
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return errno == ENOENT || IsHangUp(errno) ? DeviceStatus::kDeviceNotFound
                                              : DeviceStatus::kIoError;
  }
  ioctl(fd, TIOCEXCL);  // nobody else opens it meanwhile (root excepted)
  if (!serial_line::Prepare(fd)) {
    close(fd);
    return DeviceStatus::kIoError;
  }
  serial_line::RequestLowLatency(fd);
  handle = static_cast<DeviceHandle>(++lastHandle_);
  open_[handle] = OpenPort{fd, path, false};
  return DeviceStatus::kOk;
}

DeviceStatus SerialDeviceLibrary::Close(DeviceHandle handle) {
  const auto it = open_.find(handle);
  if (it == open_.end()) return DeviceStatus::kInvalidHandle;
  close(it->second.fd);  // on Linux the descriptor is released even when this fails
  open_.erase(it);
  return DeviceStatus::kOk;
}

DeviceStatus SerialDeviceLibrary::Find(DeviceHandle handle, OpenPort*& port) {
  const auto it = open_.find(handle);
  if (it == open_.end()) return DeviceStatus::kInvalidHandle;
  if (it->second.gone) return DeviceStatus::kDeviceGone;
  port = &it->second;
  return DeviceStatus::kOk;
}

DeviceStatus SerialDeviceLibrary::Gone(OpenPort& port) {
  port.gone = true;
  return DeviceStatus::kDeviceGone;
}

DeviceStatus SerialDeviceLibrary::SetBaudRate(DeviceHandle handle, std::uint32_t baudRate) {
  OpenPort* port = nullptr;
  if (const DeviceStatus status = Find(handle, port); status != DeviceStatus::kOk) return status;
  if (baudRate == 0) return DeviceStatus::kInvalidParameter;
  if (serial_line::SetBaudRate(port->fd, baudRate)) return DeviceStatus::kOk;
  return IsHangUp(errno) ? Gone(*port) : DeviceStatus::kInvalidParameter;
}

DeviceStatus SerialDeviceLibrary::SetDataCharacteristics(DeviceHandle handle, std::uint8_t dataBits,
                                                         std::uint8_t stopBits, Parity parity) {
  OpenPort* port = nullptr;
  if (const DeviceStatus status = Find(handle, port); status != DeviceStatus::kOk) return status;
  if (serial_line::SetFormat(port->fd, dataBits, stopBits, parity)) return DeviceStatus::kOk;
  return IsHangUp(errno) ? Gone(*port) : DeviceStatus::kInvalidParameter;
}

DeviceStatus SerialDeviceLibrary::SetTimeouts(DeviceHandle handle, std::chrono::milliseconds,
                                              std::chrono::milliseconds write) {
  // Reads never wait (they take only what is there), so only the write timeout matters.
  OpenPort* port = nullptr;
  if (const DeviceStatus status = Find(handle, port); status != DeviceStatus::kOk) return status;
  port->writeTimeout = write;
  return DeviceStatus::kOk;
}

DeviceStatus SerialDeviceLibrary::GetQueueStatus(DeviceHandle handle, std::size_t& bytesWaiting) {
  bytesWaiting = 0;
  OpenPort* port = nullptr;
  if (const DeviceStatus status = Find(handle, port); status != DeviceStatus::kOk) return status;
  int waiting = 0;
  if (ioctl(port->fd, FIONREAD, &waiting) != 0) {
    return IsHangUp(errno) ? Gone(*port) : DeviceStatus::kIoError;
  }
  if (waiting == 0) {
    // An empty queue may also be a line that has hung up.
    pollfd line{port->fd, POLLIN, 0};
    if (poll(&line, 1, 0) > 0 && (line.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
      return Gone(*port);
    }
  }
  bytesWaiting = static_cast<std::size_t>(std::max(waiting, 0));
  return DeviceStatus::kOk;
}

DeviceStatus SerialDeviceLibrary::Read(DeviceHandle handle, std::uint8_t* buffer, std::size_t count,
                                       std::size_t& bytesRead) {
  bytesRead = 0;
  OpenPort* port = nullptr;
  if (const DeviceStatus status = Find(handle, port); status != DeviceStatus::kOk) return status;
  if (count == 0) return DeviceStatus::kOk;
  for (;;) {
    const ssize_t n = read(port->fd, buffer, count);
    if (n > 0) {
      bytesRead = static_cast<std::size_t>(n);
      return DeviceStatus::kOk;
    }
    if (n == 0) return Gone(*port);  // end of file: the far end hung up
    if (errno == EINTR) continue;
    if (errno == EAGAIN) return DeviceStatus::kOk;  // nothing there yet
    return IsHangUp(errno) ? Gone(*port) : DeviceStatus::kIoError;
  }
}

DeviceStatus SerialDeviceLibrary::Write(DeviceHandle handle, const std::uint8_t* bytes,
                                        std::size_t count, std::size_t& bytesWritten) {
  bytesWritten = 0;
  OpenPort* port = nullptr;
  if (const DeviceStatus status = Find(handle, port); status != DeviceStatus::kOk) return status;
  const auto deadline = std::chrono::steady_clock::now() + port->writeTimeout;
  while (bytesWritten < count) {
    const ssize_t n = write(port->fd, bytes + bytesWritten, count - bytesWritten);
    if (n > 0) {
      bytesWritten += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return IsHangUp(errno) ? Gone(*port) : DeviceStatus::kIoError;
    // The driver's queue is full: wait for room, up to the write timeout.
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return DeviceStatus::kTimeout;
    pollfd line{port->fd, POLLOUT, 0};
    if (poll(&line, 1, static_cast<int>(left.count())) > 0 &&
        (line.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
      return Gone(*port);
    }
  }
  return DeviceStatus::kOk;
}

DeviceStatus SerialDeviceLibrary::WaitForBytes(DeviceHandle handle,
                                               std::chrono::milliseconds timeout) {
  OpenPort* port = nullptr;
  if (const DeviceStatus status = Find(handle, port); status != DeviceStatus::kOk) return status;
  pollfd fds[2] = {{port->fd, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
  const int ready = poll(fds, wakeFd_ >= 0 ? 2 : 1, static_cast<int>(timeout.count()));
  if (ready < 0) return errno == EINTR ? DeviceStatus::kInterrupted : DeviceStatus::kIoError;
  if ((fds[0].revents & POLLIN) != 0) {
    int waiting = 0;
    if (ioctl(port->fd, FIONREAD, &waiting) == 0 && waiting > 0) return DeviceStatus::kOk;
  }
  if ((fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) return Gone(*port);
  if ((fds[1].revents & POLLIN) != 0) {
    eventfd_t value = 0;
    eventfd_read(wakeFd_, &value);
    return DeviceStatus::kInterrupted;
  }
  return ready == 0 ? DeviceStatus::kTimeout : DeviceStatus::kOk;
}

void SerialDeviceLibrary::InterruptWait() {
  if (wakeFd_ >= 0) eventfd_write(wakeFd_, 1);
}

}  // namespace rizazovoz
