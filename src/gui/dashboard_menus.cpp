#include "dashboard_menus.h"

#include <QMenu>

namespace rizazovoz {
namespace {

QAction* addItem(QMenu* menu, const char* name, const char* caption, bool enabled = false) {
  QAction* action = menu->addAction(QString::fromLatin1(caption));
  action->setObjectName(QString::fromLatin1(name));
  action->setEnabled(enabled);
  return action;
}

QMenu* addMenu(QMenuBar* bar, const char* name, const char* caption) {
  QMenu* menu = bar->addMenu(QString::fromLatin1(caption));
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

}  // namespace

DashboardMenuActions buildDashboardMenus(QMenuBar* bar) {
  DashboardMenuActions a;
  QMenu* file = addMenu(bar, "File1", "File");
  a.exit = addItem(file, "Exit1", "E&xit", true);
  // The hint shows as a tool tip: in the status bar it would blank the five panels.
  a.exit->setToolTip(QStringLiteral("Quits the application"));
  file->setToolTipsVisible(true);

  QMenu* view = addMenu(bar, "View1", "View");
  a.dataViewer = addItem(view, "DataViewer1", "DataViewer");
  a.dataLogger = addItem(view, "DataLogger1", "DataLogger");
  a.faultCodes = addItem(view, "FaultCodes1", "FaultCodes");
  a.statusFlags = addItem(view, "StatusFlags1", "Status Flags");
  a.controls = addItem(view, "Controls1", "Controls");
  a.ecuId = addItem(view, "ECUID1", "ECU ID");

  QMenu* comms = addMenu(bar, "Comms1", "&Comms");
  a.connect = addItem(comms, "Connect1", "Connect", true);
  a.baudRate = addItem(comms, "BaudRate1", "Baud Rate");
  a.sampleRate = addItem(comms, "SampleRate1", "Sample Rate");
  QMenu* protocol = comms->addMenu(QStringLiteral("Protocol"));
  protocol->setObjectName(QStringLiteral("Protocol1"));
  addItem(protocol, "RUZ1", "RUZ", true);
  addItem(protocol, "ISO91411", "ISO9141", true);
  a.protocol = protocol->menuAction();
  a.protocol->setEnabled(false);

  QMenu* options = addMenu(bar, "Options1", "Options");
  a.units = addItem(options, "Units1", "Units");

  QMenu* command = addMenu(bar, "Command1", "Command");
  a.resetEcu = addItem(command, "ResetECU1", "Reset ECU", true);

  QMenu* help = addMenu(bar, "Help1", "Help");
  a.help = addItem(help, "Help2", "Help");
  return a;
}

}  // namespace rizazovoz
