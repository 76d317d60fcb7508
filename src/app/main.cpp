// The program: checks the command line, picks the interface, creates every window (the
// dashboard first, which starts the link thread) and runs the event loop until the
// dashboard closes, by its Exit item, its close box or a quit signal.
#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "program_devices.h"
#include "program_images.h"
#include "program_windows.h"
#include "quit_signals.h"
#include "settings/user_manual.h"
#include "startup_options.h"

namespace {

// Errors raised while an event is handled are shown and the program goes on.
class RizazOvozApplication final : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
      QMessageBox::critical(activeWindow(), applicationName(), QString::fromUtf8(error.what()));
    }
    return false;
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  // Checked before the application object exists: a bad command line, --help and --version
  // need no display.
  const rizazovoz::StartupParse parse =
      rizazovoz::ParseStartupOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parse.error.empty()) {
    std::fprintf(stderr, "rizazovoz: %s\n%s", parse.error.c_str(),
                 rizazovoz::StartupUsage().c_str());
    return 2;
  }
  if (parse.options.help) {
    std::fputs(rizazovoz::StartupUsage().c_str(), stdout);
    return 0;
  }
  if (parse.options.version) {
    std::puts("RizazOvoz DashBoard v1.4");
    return 0;
  }

  RizazOvozApplication app(argc, argv);
  // The application's title, as the task bar shows it; the dashboard has its own caption.
  QApplication::setApplicationName(QStringLiteral("RizazOvoz V1.2"));
  QApplication::setWindowIcon(rizazovoz::ProgramIcon());
  // The dashboard may be hidden behind the data viewer; closing it ends the program.
  QApplication::setQuitOnLastWindowClosed(false);

  try {
    std::unique_ptr<rizazovoz::DeviceLibrary> devices = rizazovoz::MakeDeviceLibrary(parse.options);
    rizazovoz::ProgramWindowsSetup setup;
    setup.userManual = rizazovoz::FindUserManual(QApplication::applicationDirPath().toStdString());
    rizazovoz::ProgramWindows windows(*devices, setup);
    rizazovoz::TDashBoardForm& dashboard = windows.dashboard();
    QObject::connect(&dashboard, &rizazovoz::TDashBoardForm::closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    rizazovoz::QuitSignals quitSignals;
    QObject::connect(&quitSignals, &rizazovoz::QuitSignals::received, &dashboard, &QWidget::close);
    dashboard.show();
    if (parse.options.connect) dashboard.Connect1Click();
    return QApplication::exec();
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, QApplication::applicationName(),
                          QString::fromUtf8(error.what()));
    return 1;
  }
}
