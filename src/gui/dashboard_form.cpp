#include "dashboard_form.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>

#include "program_images.h"
#include "text/decimal_separator.h"

namespace rizazovoz {

TDashBoardForm::TDashBoardForm(DeviceLibrary& devices, QWidget* parent) : QMainWindow(parent) {
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
  view_ = std::make_unique<DashboardView>(controls_, *statusBar_, *messages_,
                                          decimalSeparatorFromLocale());

  // Start values; the settings store, once there, replaces them here.
  move(50, 50);
  ApplyTemperatureUnit(QString::fromStdString(settings_.tempUnits));
  ApplySpeedUnit(QString::fromStdString(settings_.speedUnits));
  (void)controls_.tpsGauge->SetMaxValue(100);
  view_->ShowEconomyDial(settings_.economyDial());

  link_ = std::make_unique<TD2xxThread>(devices);
  session_ =
      std::make_unique<EcuSession>(*link_, settings_, *view_, *view_, *view_, *view_, *messages_);
  ShowSampleInterval();

  connect(menus_.exit, &QAction::triggered, this, &QWidget::close);
  connect(menus_.connect, &QAction::triggered, this, &TDashBoardForm::Connect1Click);
  connect(menus_.resetEcu, &QAction::triggered, this, &TDashBoardForm::ResetECU1Click);
  connect(controls_.logo, &ClickableLabel::clicked, this, &TDashBoardForm::Connect1Click);
  connect(controls_.milLabel, &ClickableLabel::clicked, this, &TDashBoardForm::MILLabelClick);

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

void TDashBoardForm::ApplyTemperatureUnit(const QString& unit) {
  settings_.tempUnits = unit.toStdString();
  view_->ShowTemperatureUnit(unit);
}

void TDashBoardForm::ApplySpeedUnit(const QString& unit) {
  settings_.speedUnits = unit.toStdString();
  view_->ShowSpeedUnit(unit);
}

void TDashBoardForm::SetSampleInterval(int milliseconds) {
  session_->SetSampleInterval(milliseconds);
  ShowSampleInterval();
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

// The fault code viewer comes with its own window; until then the lamp only shows colour.
void TDashBoardForm::MILLabelClick() {}

void TDashBoardForm::Timer1Timer() { session_->Tick(); }

void TDashBoardForm::closeEvent(QCloseEvent* event) {
  session_->CloseLink();
  event->accept();
}

}  // namespace rizazovoz
