#pragma once
// The main window: the dashboard of dials and read-outs, the menus and the status bar. It
// owns the link thread and the ECU session and drives them from its 50 ms timer; the other
// windows reach the ECU only through its operations.
#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "dashboard_layout.h"
#include "dashboard_menus.h"
#include "dashboard_view.h"
#include "livedata/display_settings.h"
#include "panel_status_bar.h"
#include "protocol/ecu_session.h"
#include "queued_message_boxes.h"
#include "settings/main_settings.h"
#include "transport/d2xx_thread.h"
#include "transport/device_library.h"
#include "window_router.h"

namespace rizazovoz {

class TDashBoardForm final : public QMainWindow {
  Q_OBJECT

 public:
  // The device library outlives the window; the link thread is started on it here. The
  // settings are read from `settingsPath` now and written there when the window closes.
  explicit TDashBoardForm(DeviceLibrary& devices,
                          std::filesystem::path settingsPath = kMainSettingsPath,
                          QWidget* parent = nullptr);
  ~TDashBoardForm() override;

  // Operations for the option dialogs and the other windows.
  void ApplyTemperatureUnit(const QString& unit);
  void ApplySpeedUnit(const QString& unit);
  // Returns the interval the poller took: one below 50 ms is raised to 50.
  int SetSampleInterval(int milliseconds);
  // The open device switches at once; the rate is kept for later opens unless refused.
  BaudRateChange SetBaudRate(const QString& text);
  QString BaudRateText() const;
  // False, with a box saying so, when no ECU is connected: nothing is sent.
  bool CommandActuator(ActuatorMode mode, int value);
  const EcuSession& session() const { return *session_; }
  const DisplaySettings& displaySettings() const { return display_; }
  const DashboardControls& controls() const { return controls_; }
  const DashboardMenuActions& menuActions() const { return menus_; }
  // The secondary windows the ECU conversation reaches, as they are created.
  WindowRouter& router() { return *router_; }
  // The settings as they stand now, as they are written at close.
  MainSettings CurrentSettings() const;

 signals:
  // The window has closed, its settings written: the program ends.
  void closed();

 public slots:
  void Connect1Click();
  void ResetECU1Click();
  void Timer1Timer();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowSampleInterval();
  void SayNotConnected();

  void ApplySettings(const MainSettings& settings);
  void WriteSettings();

  const std::filesystem::path settingsPath_;
  DisplaySettings display_;
  DashboardControls controls_;
  DashboardMenuActions menus_;
  PanelStatusBar* statusBar_ = nullptr;
  QueuedMessageBoxes* messages_ = nullptr;
  std::unique_ptr<DashboardView> view_;
  std::unique_ptr<WindowRouter> router_;
  std::unique_ptr<TD2xxThread> link_;  // declared before the session, which uses it
  std::unique_ptr<EcuSession> session_;
  QTimer* timer_ = nullptr;
};

}  // namespace rizazovoz
