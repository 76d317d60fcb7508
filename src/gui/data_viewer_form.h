#pragma once
// The data viewer: every live value on two pages of 25 read-outs, as the raw byte of each
// slot or as named engineering values. It owns no data: its 500 ms timer copies the main
// window's live values onto the read-outs, in the texts the core's viewer model gives.
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>
#include <array>

#include "livedata/data_viewer_model.h"
#include "panel_status_bar.h"
#include "protocol/protocol_views.h"

namespace rizazovoz {

class TDashBoardForm;

class TDataViewerForm final : public QMainWindow {
  Q_OBJECT

 public:
  TDataViewerForm(TDashBoardForm& main, char decimalSeparator, QWidget* parent);

  // From the ECU setup: formatted when the tables describe the ECU, raw when not.
  void SetMode(bool formatted);
  void SetStatusPanel(StatusPanel panel, const QString& text);
  // Shows the window, or brings it to the front.
  void Present();

  void ModeBtnClick();
  void PageBtnClick();
  void Timer1Timer();

  const DataViewerModel& model() const { return model_; }

 protected:
  // Closing only hides; with the dashboard hidden (an ECU the tables do not describe) it
  // comes back, so that the program never runs on with no window at all.
  void closeEvent(QCloseEvent* event) override;
  // Page Up and Page Down turn the page, Ctrl+M switches the mode.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Recaption();
  void ShowButtons();

  TDashBoardForm& main_;
  const char separator_;
  DataViewerModel model_;
  std::array<QGroupBox*, kViewerReadouts> frames_{};
  std::array<QLabel*, kViewerReadouts> values_{};
  QPushButton* modeButton_ = nullptr;
  QPushButton* pageButton_ = nullptr;
  PanelStatusBar* statusBar_ = nullptr;
  QTimer* timer_ = nullptr;
};

}  // namespace rizazovoz
