#include "dashboard_form.h"

namespace rizazovoz {

TDashBoardForm::TDashBoardForm(QWidget* parent) : QMainWindow(parent) {
  setObjectName("DashBoardForm");
  setWindowTitle("RizazOvoz DashBoard v1.4");
  setFixedSize(767, 492);
}

}  // namespace rizazovoz
