#pragma once
// A stand-in for USB serial ports: a temporary sysfs tree (class/tty/ttyUSB<n> whose device
// link leads into a USB device directory with idVendor and product) and a device directory
// whose ttyUSB<n> entries lead to pseudo-terminal slaves. The test holds the master side,
// i.e. plays the cable's far end.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace rizazovoz {

class SerialPortFixture {
 public:
  SerialPortFixture() {
    char pattern[] = "/tmp/rizazovoz-ports-XXXXXX";
    if (mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    std::filesystem::create_directories(root_ / "sys/class/tty");
    std::filesystem::create_directories(root_ / "dev");
  }
  ~SerialPortFixture() {
    for (auto& [number, port] : ports_) {
      if (port.master >= 0) close(port.master);
    }
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  SerialPortFixture(const SerialPortFixture&) = delete;
  SerialPortFixture& operator=(const SerialPortFixture&) = delete;

  std::string SysfsRoot() const { return (root_ / "sys").string(); }
  std::string DevDir() const { return (root_ / "dev").string(); }
  std::string PortPath(int number) const { return DevDir() + "/ttyUSB" + std::to_string(number); }

  // ttyUSB<number>, backed by a new pseudo-terminal, on a USB device whose product file
  // holds `product` and a line end, as the kernel writes it (no product file: nullopt).
  void AddPort(int number, std::optional<std::string> product) {
    const std::string name = "ttyUSB" + std::to_string(number);
    const std::filesystem::path usb =
        root_ / "sys/devices/pci0000:00/usb1" / ("1-" + std::to_string(number));
    const std::filesystem::path port = usb / ("1-" + std::to_string(number) + ":1.0") / name;
    std::filesystem::create_directories(port);
    Write(usb / "idVendor", "0403\n");
    if (product) Write(usb / "product", *product + "\n");
    Write(usb.parent_path() / "idVendor", "1d6b\n");  // the root hub above it
    Write(usb.parent_path() / "product", "Host Controller\n");
    Write(port.parent_path() / "bInterfaceNumber", "00\n");
    std::filesystem::create_directories(root_ / "sys/class/tty" / name);
    std::filesystem::create_directory_symlink(port, root_ / "sys/class/tty" / name / "device");

    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
      throw std::runtime_error("no pseudo-terminal");
    }
    std::filesystem::create_symlink(ptsname(master), root_ / "dev" / name);
    ports_[number] = Port{master};
  }

  // A tty that is not a USB serial port, for listing tests.
  void AddOtherTty(const std::string& name) {
    std::filesystem::create_directories(root_ / "sys/class/tty" / name);
  }

  int Master(int number) { return ports_.at(number).master; }

  // The far end goes away: the port's line hangs up.
  void HangUp(int number) {
    Port& port = ports_.at(number);
    close(port.master);
    port.master = -1;
  }

  // The kernel takes the port off sysfs (as when the cable is pulled).
  void RemoveFromSysfs(int number) {
    std::filesystem::remove_all(root_ / "sys/class/tty" / ("ttyUSB" + std::to_string(number)));
  }

  void Send(int number, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = write(Master(number), bytes.data() + done, bytes.size() - done);
      if (n <= 0) throw std::runtime_error("write to pseudo-terminal failed");
      done += static_cast<std::size_t>(n);
    }
  }

  // What the host wrote to the port: waits until `count` bytes came or the timeout passed.
  std::vector<std::uint8_t> Receive(int number, std::size_t count,
                                    std::chrono::milliseconds timeout) {
    std::vector<std::uint8_t> bytes;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (bytes.size() < count) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) break;
      pollfd master{Master(number), POLLIN, 0};
      if (poll(&master, 1, static_cast<int>(left.count())) <= 0) continue;
      if ((master.revents & POLLIN) == 0) break;
      std::uint8_t buffer[256];
      const ssize_t n = read(Master(number), buffer, sizeof buffer);
      if (n <= 0) break;
      bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return bytes;
  }

 private:
  struct Port {
    int master = -1;
  };
  static void Write(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }

  std::filesystem::path root_;
  std::map<int, Port> ports_;
};

}  // namespace rizazovoz
