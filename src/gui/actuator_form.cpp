#include "actuator_form.h"

#include <QApplication>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

#include "dashboard_form.h"
#include "font_cells.h"
#include "widget_colours.h"

namespace rizazovoz {
namespace {

constexpr int kTitleWidth = 272;
// The View menu's items, named as the window's handlers are.
constexpr std::array<const char*, 8> kItemNames = {
    "RPMControl1",     "FixAdvance1",    "IACCalibration1",  "EGRSolControl1",
    "EGRStepControl1", "RadFanControl1", "CanPurgeControl1", "FuelPumpControl1"};

QGroupBox* addBox(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
  auto* box = new QGroupBox(caption, parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(geometry);
  return box;
}

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TActuatorForm::TActuatorForm(TDashBoardForm& main, char decimalSeparator, QWidget* parent)
    : QMainWindow(parent, Qt::Window), main_(main), separator_(decimalSeparator) {
  setObjectName(QStringLiteral("ActuatorForm"));
  setWindowTitle(QStringLiteral("RizazOvoz Actuator Controls"));

  auto* area = new QWidget(this);
  area->setObjectName(QStringLiteral("ActuatorArea"));
  area->setFixedSize(360, 500);
  area->setAutoFillBackground(true);
  setColours(area, Qt::black, kSilver);
  area->setFont(fontWithCellHeight(11));

  title_ = new QLabel(QStringLiteral("RPM Control"), area);
  title_->setObjectName(QStringLiteral("Control_Title"));
  title_->setGeometry(80, 8, kTitleWidth, 29);
  title_->setFont(fontWithCellHeight(30));
  setColours(title_, Qt::black, Qt::white);

  commandBox_ = addBox(area, "Control_GB", QStringLiteral("Set Target Idle"), {8, 48, 321, 105});
  entry_ = new QLineEdit(QStringLiteral("800"), commandBox_);
  entry_->setObjectName(QStringLiteral("Command_EB"));
  entry_->setGeometry(24, 24, 137, 65);
  entry_->setFont(fontWithCellHeight(60));
  setColours(entry_, kSilver, Qt::black);
  auto* set = new QPushButton(QStringLiteral("Set"), commandBox_);
  set->setObjectName(QStringLiteral("SetBtn"));
  set->setGeometry(200, 24, 75, 25);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), commandBox_);
  cancel->setObjectName(QStringLiteral("CancelBtn"));
  cancel->setGeometry(200, 64, 75, 25);
  connect(set, &QPushButton::clicked, this, &TActuatorForm::SetBtnClick);
  connect(cancel, &QPushButton::clicked, this, &TActuatorForm::CancelBtnClick);
  connect(entry_, &QLineEdit::returnPressed, this, &TActuatorForm::SetBtnClick);

  QGroupBox* monitors = addBox(area, "Monitors_GB", QStringLiteral("Monitors"), {8, 160, 321, 185});
  constexpr std::array<QPoint, 4> kPlaces = {QPoint(8, 16), QPoint(160, 16), QPoint(8, 96),
                                             QPoint(160, 96)};
  for (std::size_t i = 0; i < monitors_.size(); ++i) {
    const QString name = QStringLiteral("Monitor%1").arg(i + 1);
    monitorBoxes_[i] =
        addBox(monitors, name.toLatin1().constData(), name, QRect(kPlaces[i], QSize(145, 73)));
    auto* value = new QLabel(monitorBoxes_[i]);
    value->setObjectName(name + QStringLiteral("Label"));
    value->setGeometry(8, 16, 129, 49);
    value->setFont(fontWithCellHeight(40));
    value->setAlignment(Qt::AlignCenter);
    value->setAutoFillBackground(true);
    setColours(value, kSilver, Qt::black);
    monitors_[i] = value;
  }

  QGroupBox* conditions =
      addBox(area, "Conditions_GB", QStringLiteral("Conditions"), {8, 352, 321, 97});
  const std::array<std::pair<int, const char*>, 4> lines = {
      {{24, "Maintain RPM between  500RPM and 2000RPM"},
       {40, "Maintain Coolant temp above 70C"},
       {60, "Maintain VSS = 0"},
       {76, "Maintain Throttle closed"}}};
  for (const auto& [y, text] : lines) {
    auto* line = new QLabel(QString::fromLatin1(text), conditions);
    line->move(12, y);
    line->adjustSize();
  }
  setCentralWidget(area);

  QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
  file->setObjectName(QStringLiteral("File1"));
  QMenu* view = menuBar()->addMenu(QStringLiteral("View"));
  view->setObjectName(QStringLiteral("View1"));
  for (std::size_t i = 0; i < testItems_.size(); ++i) {
    QAction* item = view->addAction(Text(ActuatorTests()[i].menuItem));
    item->setObjectName(QString::fromLatin1(kItemNames[i]));
    item->setEnabled(false);  // until the ECU offers the test
    const int test = static_cast<int>(i) + 1;
    connect(item, &QAction::triggered, this, [this, test] { ChooseTest(test); });
    testItems_[i] = item;
  }
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setInterval(10);
  connect(timer_, &QTimer::timeout, this, &TActuatorForm::Timer1Timer);
  timer_->start();
}

void TActuatorForm::EnableTests(std::uint8_t flags) {
  for (std::size_t i = 0; i < testItems_.size(); ++i) {
    if ((flags & ActuatorTests()[i].flag) != 0) testItems_[i]->setEnabled(true);
  }
}

void TActuatorForm::Present() {
  show();
  raise();
  activateWindow();
}

void TActuatorForm::ChooseTest(int test) {
  panel_.Choose(test);
  const ActuatorTest* chosen = panel_.current();
  if (!chosen) return;
  ShowTitle(Text(chosen->title));
  commandBox_->setTitle(Text(chosen->commandCaption));
  entry_->setText(Text(chosen->entryText));
  const std::array<std::string_view, 4> captions = {chosen->monitorCaption, "RPM", "CTS", "VSS"};
  for (std::size_t i = 0; i < captions.size(); ++i) monitorBoxes_[i]->setTitle(Text(captions[i]));
}

void TActuatorForm::ShowTitle(const QString& title) {
  // From its place to the window's edge; a long title takes a smaller face to fit.
  QFont font = fontWithCellHeight(30);
  while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(title) > kTitleWidth) {
    font.setPixelSize(font.pixelSize() - 1);
  }
  title_->setFont(font);
  title_->setText(title);
}

void TActuatorForm::SetBtnClick() {
  const auto result = panel_.Set(entry_->text().toStdString());
  if (const auto* refusal = std::get_if<std::string>(&result)) {
    QMessageBox::critical(this, QApplication::applicationName(), QString::fromStdString(*refusal));
    return;
  }
  const ActuatorCommand command = std::get<ActuatorCommand>(result);
  main_.CommandActuator(command.mode, command.value);
}

void TActuatorForm::CancelBtnClick() {
  const ActuatorCommand cancel = ActuatorPanel::Cancel();
  main_.CommandActuator(cancel.mode, cancel.value);
}

void TActuatorForm::Timer1Timer() {
  const auto texts = panel_.Monitors(main_.session().values(), separator_);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (!texts[i]) continue;
    const QString text = QString::fromStdString(*texts[i]);
    if (monitors_[i]->text() != text) monitors_[i]->setText(text);
  }
}

}  // namespace rizazovoz
