#pragma once
// Shared by the window tests: the application object, a hand that answers modal boxes, a
// device layer that records what the program wrote, and waiting on a condition.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "transport/device_library.h"

namespace rizazovoz::guitest {

inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "gui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// A settings file in a folder of its own, removed with it, so that the windows under test
// never read or write the working directory's bin/kelvodash.ini.
class TempSettingsFile {
 public:
  TempSettingsFile() {
    char pattern[] = "/tmp/rizazovoz-gui-XXXXXX";
    if (mkdtemp(pattern) != nullptr) root_ = pattern;
  }
  ~TempSettingsFile() {
    std::error_code ignored;
    if (!root_.empty()) std::filesystem::remove_all(root_, ignored);
  }
  TempSettingsFile(const TempSettingsFile&) = delete;
  TempSettingsFile& operator=(const TempSettingsFile&) = delete;

  std::filesystem::path path() const { return root_ / "bin" / "kelvodash.ini"; }

 private:
  std::filesystem::path root_;
};

// Runs the event loop until `done` holds or `timeout` has passed; returns `done()`.
inline bool WaitFor(const std::function<bool()>& done,
                    std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
  return QTest::qWaitFor(done, static_cast<int>(timeout.count()));
}

// Watches for modal message boxes (opened inside nested event loops, where the test's own
// code cannot run) and answers each with `button`, keeping its caption and text.
class BoxAnswerer : public QObject {
 public:
  struct Box {
    QString caption;
    QString text;
    QMessageBox::StandardButton defaultButton;  // what Enter presses
  };

  explicit BoxAnswerer(QMessageBox::StandardButton button) : button_(button) {
    connect(&poll_, &QTimer::timeout, this, [this] { Answer(); });
    poll_.start(5);
  }
  void SetButton(QMessageBox::StandardButton button) { button_ = button; }
  // Keeps each box open this long before answering it; `onSeen` runs when a box is first
  // seen and `onAnswer` just before it is answered.
  void SetHold(std::chrono::milliseconds hold) { hold_ = hold; }
  std::function<void()> onSeen;
  std::function<void()> onAnswer;
  const std::vector<Box>& boxes() const { return boxes_; }
  bool Saw(const QString& text) const {
    for (const Box& box : boxes_) {
      if (box.text == text) return true;
    }
    return false;
  }

 private:
  void Answer() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || box == last_) return;
    if (box != seen_) {
      seen_ = box;
      seenAt_ = std::chrono::steady_clock::now();
      if (onSeen) onSeen();
    }
    if (std::chrono::steady_clock::now() - seenAt_ < hold_) return;
    last_ = box;
    boxes_.push_back({box->windowTitle(), box->text(), box->standardButton(box->defaultButton())});
    if (onAnswer) onAnswer();
    QAbstractButton* target = box->button(button_);
    if (!target) target = box->button(QMessageBox::Ok);
    target->click();
  }

  QMessageBox::StandardButton button_;
  QTimer poll_;
  QPointer<QMessageBox> last_;
  QPointer<QMessageBox> seen_;
  std::chrono::steady_clock::time_point seenAt_{};
  std::chrono::milliseconds hold_{0};
  std::vector<Box> boxes_;
};

// Passes every call on to another device layer and keeps the bytes written to it.
class RecordingDevices final : public DeviceLibrary {
 public:
  explicit RecordingDevices(DeviceLibrary& inner) : inner_(inner) {}

  std::vector<std::uint8_t> Written() const {
    std::lock_guard lock(mutex_);
    return written_;
  }
  int CloseCount() const {
    std::lock_guard lock(mutex_);
    return closes_;
  }
  // Whether `frame` appears in what was written.
  bool WroteFrame(const std::vector<std::uint8_t>& frame) const {
    const std::vector<std::uint8_t> all = Written();
    return std::search(all.begin(), all.end(), frame.begin(), frame.end()) != all.end();
  }

  DeviceStatus CreateDeviceInfoList(std::uint32_t& count) override {
    return inner_.CreateDeviceInfoList(count);
  }
  DeviceStatus GetDeviceDescription(std::uint32_t index, DeviceDescription& d) override {
    return inner_.GetDeviceDescription(index, d);
  }
  DeviceStatus Open(std::uint32_t index, DeviceHandle& handle) override {
    return inner_.Open(index, handle);
  }
  DeviceStatus Close(DeviceHandle handle) override {
    {
      std::lock_guard lock(mutex_);
      ++closes_;
    }
    return inner_.Close(handle);
  }
  DeviceStatus SetBaudRate(DeviceHandle handle, std::uint32_t baudRate) override {
    return inner_.SetBaudRate(handle, baudRate);
  }
  DeviceStatus SetDataCharacteristics(DeviceHandle handle, std::uint8_t dataBits,
                                      std::uint8_t stopBits, Parity parity) override {
    return inner_.SetDataCharacteristics(handle, dataBits, stopBits, parity);
  }
  DeviceStatus SetTimeouts(DeviceHandle handle, std::chrono::milliseconds read,
                           std::chrono::milliseconds write) override {
    return inner_.SetTimeouts(handle, read, write);
  }
  DeviceStatus GetQueueStatus(DeviceHandle handle, std::size_t& waiting) override {
    return inner_.GetQueueStatus(handle, waiting);
  }
  DeviceStatus Read(DeviceHandle handle, std::uint8_t* buffer, std::size_t count,
                    std::size_t& bytesRead) override {
    return inner_.Read(handle, buffer, count, bytesRead);
  }
  DeviceStatus Write(DeviceHandle handle, const std::uint8_t* bytes, std::size_t count,
                     std::size_t& bytesWritten) override {
    const DeviceStatus status = inner_.Write(handle, bytes, count, bytesWritten);
    if (status == DeviceStatus::kOk) {
      std::lock_guard lock(mutex_);
      written_.insert(written_.end(), bytes, bytes + bytesWritten);
    }
    return status;
  }
  DeviceStatus WaitForBytes(DeviceHandle handle, std::chrono::milliseconds timeout) override {
    return inner_.WaitForBytes(handle, timeout);
  }
  void InterruptWait() override { inner_.InterruptWait(); }

 private:
  DeviceLibrary& inner_;
  mutable std::mutex mutex_;
  std::vector<std::uint8_t> written_;
  int closes_ = 0;
};

}  // namespace rizazovoz::guitest
