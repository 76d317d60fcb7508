#pragma once
// The dashboard's menu bar. Items that show a window are disabled while that window does
// not exist yet; the form enables and connects them.
#include <QAction>
#include <QMenuBar>

namespace rizazovoz {

struct DashboardMenuActions {
  QAction* exit = nullptr;
  QAction* dataViewer = nullptr;
  QAction* dataLogger = nullptr;
  QAction* faultCodes = nullptr;
  QAction* statusFlags = nullptr;
  QAction* controls = nullptr;
  QAction* ecuId = nullptr;
  QAction* connect = nullptr;
  QAction* baudRate = nullptr;
  QAction* sampleRate = nullptr;
  QAction* protocol = nullptr;  // a disabled sub-menu: the line protocol cannot be chosen
  QAction* units = nullptr;
  QAction* resetEcu = nullptr;
  QAction* help = nullptr;
};

DashboardMenuActions buildDashboardMenus(QMenuBar* bar);

}  // namespace rizazovoz
