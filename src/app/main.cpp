#include <QApplication>

#include "dashboard_form.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("RizazOvoz V1.2");
  rizazovoz::TDashBoardForm dashboard;
  dashboard.show();
  return QApplication::exec();
}
