#include "dashboard_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>

#include "program_images.h"
#include "text/decimal_separator.h"

namespace rizazovoz {

TDashBoardForm::TDashBoardForm(DeviceLibrary& devices, std::filesystem::path settingsPath,
                               QWidget* parent)
    : QMainWindow(parent), settingsPath_(std::move(settingsPath)) {
  setObjectName(QStringLiteral("DashBoardForm"));
  setWindowTitle(QStringLiteral("RizazOvoz DashBoard v1.4"));
  setWindowIcon(ProgramIcon());

  auto* area = new QWidget(this);
  area->setObjectName(QStringLiteral("DashBoardArea"));
  controls_ = buildDashboardLayout(area);
  setCentralWidget(area);
  menus_ = buildDashboardMenus(menuBar());
  statusBar_ = new PanelStatusBar({{150, QStringLiteral("No Interface")},
                                   {120, QStringLiteral("Not Connected")},
                                   {150, QStringLiteral("Sample Rate")},
                                   {200, QStringLiteral("Bad Data Count 0")},
                                   {50, QString()}},
                                  this);
  statusBar_->setObjectName(QStringLiteral("DashBoardSB"));
  statusBar_->setFixedHeight(kStatusBarHeight);
  setStatusBar(statusBar_);
  // Not resizable: the window keeps the size of its fixed client area.
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  messages_ = new QueuedMessageBoxes(this, QStringLiteral("RizazOvoz V1.2"));
  view_ = std::make_unique<DashboardView>(controls_, *messages_, decimalSeparatorFromLocale());
  router_ = std::make_unique<WindowRouter>(*this, *statusBar_);

  link_ = std::make_unique<TD2xxThread>(devices);
  session_ = std::make_unique<EcuSession>(*link_, display_, *view_, *router_, *view_, *router_,
                                          *messages_);
  ApplySettings(readMainSettings(settingsPath_));

  connect(menus_.exit, &QAction::triggered, this, &QWidget::close);
  connect(menus_.connect, &QAction::triggered, this, &TDashBoardForm::Connect1Click);
  connect(menus_.resetEcu, &QAction::triggered, this, &TDashBoardForm::ResetECU1Click);
  connect(controls_.logo, &ClickableLabel::clicked, this, &TDashBoardForm::Connect1Click);

  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setInterval(EcuPoller::kTimerIntervalMs);
  connect(timer_, &QTimer::timeout, this, &TDashBoardForm::Timer1Timer);
  timer_->start();
}

TDashBoardForm::~TDashBoardForm() {
  timer_->stop();
  // The session refers to the link thread and the view: it goes first.
  session_.reset();
  link_.reset();
}

void TDashBoardForm::ApplySettings(const MainSettings& settings) {
  move(settings.left, settings.top);
  if (settings.initMax) setWindowState(windowState() | Qt::WindowMaximized);
  // The file's text was read as a whole number; one no device can take keeps the default.
  (void)session_->ChangeBaudRate(settings.baudRate);
  SetSampleInterval(settings.sampleRate);
  display_ = settings.display;
  ApplyTemperatureUnit(QString::fromStdString(display_.tempUnits));
  ApplySpeedUnit(QString::fromStdString(display_.speedUnits));
  (void)controls_.tpsGauge->SetMaxValue(100);
  view_->ShowEconomyDial(display_.economyDial());
}

MainSettings TDashBoardForm::CurrentSettings() const {
  MainSettings settings;
  settings.top = y();
  settings.left = x();
  settings.initMax = isMaximized();
  settings.baudRate = session_->baudRateText();
  settings.sampleRate = session_->poller().sampleIntervalMs();
  settings.display = display_;
  return settings;
}

void TDashBoardForm::WriteSettings() {
  if (const std::optional<std::string> error =
          writeMainSettings(CurrentSettings(), settingsPath_)) {
    QMessageBox box(
        QMessageBox::Warning, QApplication::applicationName(),
        QStringLiteral("The settings could not be saved.\n%1").arg(QString::fromStdString(*error)),
        QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("SettingsNotSaved"));
    box.exec();
  }
}

void TDashBoardForm::ApplyTemperatureUnit(const QString& unit) {
  display_.tempUnits = unit.toStdString();
  view_->ShowTemperatureUnit(unit);
}

void TDashBoardForm::ApplySpeedUnit(const QString& unit) {
  display_.speedUnits = unit.toStdString();
  view_->ShowSpeedUnit(unit);
}

int TDashBoardForm::SetSampleInterval(int milliseconds) {
  session_->SetSampleInterval(milliseconds);
  ShowSampleInterval();
  return session_->poller().sampleIntervalMs();
}

void TDashBoardForm::ShowSampleInterval() {
  statusBar_->setPanelText(
      static_cast<int>(StatusPanel::kSampleRate),
      QStringLiteral("Sample Rate %1ms").arg(session_->poller().sampleIntervalMs()));
}

BaudRateChange TDashBoardForm::SetBaudRate(const QString& text) {
  return session_->ChangeBaudRate(text.toStdString());
}

QString TDashBoardForm::BaudRateText() const {
  return QString::fromStdString(session_->baudRateText());
}

bool TDashBoardForm::CommandActuator(ActuatorMode mode, int value) {
  if (session_->CommandActuator(mode, value)) return true;
  SayNotConnected();
  return false;
}

void TDashBoardForm::SayNotConnected() {
  messages_->post(QStringLiteral("Not connected to an ECU"));
}

void TDashBoardForm::Connect1Click() { session_->Connect(); }

void TDashBoardForm::ResetECU1Click() {
  if (!session_->connected()) return SayNotConnected();
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning!"),
                  QStringLiteral("All stored parameters will be lost, do you wish to continue?"),
                  QMessageBox::Ok | QMessageBox::Cancel, this);
  box.setObjectName(QStringLiteral("ResetConfirmation"));
  // Enter must not wipe the ECU's stored parameters.
  box.setDefaultButton(QMessageBox::Cancel);
  // The box runs its own event loop: Timer1 keeps polling while it is open, and the
  // connection may be lost before the user answers.
  if (box.exec() == QMessageBox::Ok && !session_->RequestReset()) SayNotConnected();
}

void TDashBoardForm::Timer1Timer() { session_->Tick(); }

void TDashBoardForm::closeEvent(QCloseEvent* event) {
  session_->CloseLink();
  WriteSettings();
  router_->CloseWithProgram();
  event->accept();
  emit closed();
}

}  // namespace rizazovoz
