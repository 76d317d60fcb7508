#pragma once
// The main window: the dashboard of dials and read-outs, the menus and the status bar.
#include <QMainWindow>

namespace rizazovoz {

class TDashBoardForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TDashBoardForm(QWidget* parent = nullptr);
};

}  // namespace rizazovoz
