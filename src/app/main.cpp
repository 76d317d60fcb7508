// The program: parses the command line, picks the interface, creates the dashboard (which
// starts the link thread) and runs the event loop until the dashboard closes.
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "dashboard_form.h"
#include "program_devices.h"
#include "program_images.h"
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

// --help and --version answer without a display; a refused command line is reported once
// Qt has taken its own options (-platform, -style, ...) out of it.
bool AnsweredWithoutWindow(const rizazovoz::StartupParse& parse) {
  if (!parse.error.empty()) return false;
  if (parse.options.help) {
    std::fputs(rizazovoz::StartupUsage().c_str(), stdout);
    return true;
  }
  if (parse.options.version) {
    std::puts("RizazOvoz DashBoard v1.4");
    return true;
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (AnsweredWithoutWindow(
          rizazovoz::ParseStartupOptions(std::vector<std::string>(argv + 1, argv + argc)))) {
    return 0;
  }
  RizazOvozApplication app(argc, argv);
  // The application's title, as the task bar shows it; the dashboard has its own caption.
  QApplication::setApplicationName(QStringLiteral("RizazOvoz V1.2"));
  QApplication::setWindowIcon(rizazovoz::ProgramIcon());

  std::vector<std::string> arguments;
  const QStringList all = QApplication::arguments();
  for (qsizetype i = 1; i < all.size(); ++i) arguments.push_back(all[i].toStdString());
  const rizazovoz::StartupParse parse = rizazovoz::ParseStartupOptions(arguments);
  if (!parse.error.empty()) {
    std::fprintf(stderr, "rizazovoz: %s\n%s", parse.error.c_str(),
                 rizazovoz::StartupUsage().c_str());
    return 2;
  }
  if (AnsweredWithoutWindow(parse)) return 0;

  try {
    std::unique_ptr<rizazovoz::DeviceLibrary> devices = rizazovoz::MakeDeviceLibrary(parse.options);
    rizazovoz::TDashBoardForm dashboard(*devices);
    dashboard.show();
    if (parse.options.connect) dashboard.Connect1Click();
    return QApplication::exec();
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, QApplication::applicationName(),
                          QString::fromUtf8(error.what()));
    return 1;
  }
}
