#pragma once
// The data logger: four chosen parameters sampled on a timer of the window's own, each shown
// as a value and a scrolling graph with scale and time labels, and recorded to kelvolog.csv
// from Start to Stop. The sampling, the labels' texts and the recording are the core's
// DataLogger; this window puts them on its controls.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>
#include <array>
#include <filesystem>

#include "logger/data_logger.h"
#include "logger_graph.h"
#include "panel_status_bar.h"
#include "queued_message_boxes.h"
#include "sel_dir_form.h"

namespace rizazovoz {

class TDashBoardForm;

class TDataLoggerForm final : public QMainWindow {
  Q_OBJECT

 public:
  // The settings are read from `settingsPath` now and written there whenever the window
  // closes.
  TDataLoggerForm(TDashBoardForm& main, std::filesystem::path settingsPath, char decimalSeparator,
                  QWidget* parent);

  // From the ECU setup: named parameters, or raw address channels.
  void SetChannelMode(bool named);
  // The program is ending: a recording under way is written as Stop would, then the
  // settings.
  void CloseWithProgram();
  void SetLogPath(const QString& folder);
  void Present();

  void DL_Start_ButtonClick();
  void DL_Stop_ButtonClick();
  void LogTimer1Timer();
  void SetPathClick();

  const DataLogger& logger() const { return logger_; }
  TSelDirForm& folderChooser() { return *folderChooser_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct Row {
    QComboBox* selector = nullptr;
    QLabel* value = nullptr;
    QLabel* max = nullptr;
    QLabel* min = nullptr;
    LoggerGraph* graph = nullptr;
    std::array<QLabel*, 5> times{};  // T0 ... T4
  };

  void BuildRow(QWidget* area, std::size_t channel);
  void FillSelectors();
  void ChannelPicked(std::size_t channel);
  void TimeBasePicked();
  void ShowSampleInterval();
  void EnableChoices(bool enabled);
  void ShowStop(const StopOutcome& outcome);
  void WriteSettings();
  void RecoverCrashedRecordings();

  TDashBoardForm& main_;
  const std::filesystem::path settingsPath_;
  const char separator_;
  DataLogger logger_;
  std::array<Row, kLoggerChannels> rows_;
  QComboBox* timeBase_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* stop_ = nullptr;
  QCheckBox* saveToFile_ = nullptr;
  PanelStatusBar* statusBar_ = nullptr;
  QueuedMessageBoxes* messages_ = nullptr;
  TSelDirForm* folderChooser_ = nullptr;
  QTimer* timer_ = nullptr;
};

}  // namespace rizazovoz
