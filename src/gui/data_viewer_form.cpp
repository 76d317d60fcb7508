#include "data_viewer_form.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>

#include "dashboard_form.h"
#include "font_cells.h"
#include "widget_colours.h"

namespace rizazovoz {
namespace {

constexpr int kClientWidth = 780;
constexpr int kClientHeight = 480;  // the status bar adds its 20 rows below
constexpr std::array kColumnX = {32, 176, 320, 464, 608};
constexpr std::array kRowY = {16, 96, 176, 256, 336};

QPushButton* addButton(QWidget* parent, const char* name, const QString& caption, int x) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(x, 424, 75, 25);
  button->setFont(fontWithCellHeight(13));  // "Format Data" fits the button's width
  return button;
}

}  // namespace

TDataViewerForm::TDataViewerForm(TDashBoardForm& main, char decimalSeparator, QWidget* parent)
    : QMainWindow(parent, Qt::Window), main_(main), separator_(decimalSeparator) {
  setObjectName(QStringLiteral("DataViewerForm"));
  setWindowTitle(QStringLiteral("RizazOvoz DataViewer"));

  auto* area = new QWidget(this);
  area->setObjectName(QStringLiteral("DataViewerArea"));
  area->setFixedSize(kClientWidth, kClientHeight);
  area->setAutoFillBackground(true);
  setColours(area, Qt::black, Qt::white);
  const QFont captionFont = fontWithCellHeight(13);
  const QFont valueFont = fontWithCellHeight(32);
  for (int k = 0; k < kViewerReadouts; ++k) {
    auto* frame = new QGroupBox(model_.captions()[static_cast<std::size_t>(k)].c_str(), area);
    frame->setObjectName(QStringLiteral("Frame%1").arg(k));
    frame->setFont(captionFont);
    frame->setGeometry(kColumnX[static_cast<std::size_t>(k % 5)],
                       kRowY[static_cast<std::size_t>(k / 5)], 129, 73);
    auto* value = new QLabel(frame);
    value->setObjectName(QStringLiteral("Value%1").arg(k));
    value->setFont(valueFont);
    value->setGeometry(8, 24, 113, 33);
    value->setAlignment(Qt::AlignCenter);
    value->setAutoFillBackground(true);
    setColours(value, kSilver, Qt::black);
    frames_[static_cast<std::size_t>(k)] = frame;
    values_[static_cast<std::size_t>(k)] = value;
  }
  modeButton_ = addButton(area, "ModeBtn", QString(), 272);
  pageButton_ = addButton(area, "PageBtn", QString(), 416);
  // The captions are the buttons' own texts, so their keys are told in the tool tips.
  modeButton_->setToolTip(QStringLiteral("Raw or formatted values (Ctrl+M)"));
  pageButton_->setToolTip(QStringLiteral("The other page (Page Up, Page Down)"));
  connect(modeButton_, &QPushButton::clicked, this, &TDataViewerForm::ModeBtnClick);
  connect(pageButton_, &QPushButton::clicked, this, &TDataViewerForm::PageBtnClick);
  setCentralWidget(area);

  QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
  file->setObjectName(QStringLiteral("File1"));
  QAction* close = file->addAction(QStringLiteral("Close"));
  close->setObjectName(QStringLiteral("Close1"));
  connect(close, &QAction::triggered, this, &QWidget::close);
  QAction* exit = file->addAction(QStringLiteral("E&xit"));
  exit->setObjectName(QStringLiteral("Exit1"));
  connect(exit, &QAction::triggered, &main_, &QWidget::close);

  // The second panel is as wide as the dashboard's, so that "Connected to ECU" fits; the
  // fourth gives up the difference, and the bar stays within the window's width.
  statusBar_ = new PanelStatusBar({{120, QStringLiteral("COM1")},
                                   {120, QStringLiteral("Not Connected")},
                                   {150, QStringLiteral("Sample Rate")},
                                   {320, QStringLiteral("Bad Data Count 0")},
                                   {50, QString()}},
                                  this);
  statusBar_->setObjectName(QStringLiteral("DataViewerSB"));
  setStatusBar(statusBar_);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  ShowButtons();

  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setInterval(500);
  connect(timer_, &QTimer::timeout, this, &TDataViewerForm::Timer1Timer);
  timer_->start();
}

void TDataViewerForm::SetMode(bool formatted) {
  model_.SetMode(formatted);
  Recaption();
}

void TDataViewerForm::SetStatusPanel(StatusPanel panel, const QString& text) {
  statusBar_->setPanelText(static_cast<int>(panel), text);
}

void TDataViewerForm::Present() {
  show();
  raise();
  activateWindow();
}

void TDataViewerForm::ModeBtnClick() {
  if (!modeButton_->isEnabled()) return;  // its shortcut follows the button
  model_.ToggleMode();
  Recaption();
}

void TDataViewerForm::PageBtnClick() {
  model_.TogglePage();
  Recaption();
}

void TDataViewerForm::Timer1Timer() {
  const ViewerTexts texts = model_.Values(main_.session().values(), separator_);
  for (int k = 0; k < kViewerReadouts; ++k) {
    QLabel* value = values_[static_cast<std::size_t>(k)];
    const QString text = QString::fromStdString(texts[static_cast<std::size_t>(k)]);
    if (value->text() != text) value->setText(text);
  }
}

void TDataViewerForm::Recaption() {
  const EcuSession& session = main_.session();
  model_.Recaption(SensorKinds{std::string(session.airflowKind()),
                               std::string(session.idleAirKind()), std::string(session.egrKind())},
                   session.identityText());
  for (int k = 0; k < kViewerReadouts; ++k) {
    frames_[static_cast<std::size_t>(k)]->setTitle(
        QString::fromStdString(model_.captions()[static_cast<std::size_t>(k)]));
  }
  ShowButtons();
}

void TDataViewerForm::ShowButtons() {
  modeButton_->setText(
      QString::fromUtf8(model_.modeButtonCaption().data(),
                        static_cast<qsizetype>(model_.modeButtonCaption().size())));
  pageButton_->setText(
      QString::fromUtf8(model_.pageButtonCaption().data(),
                        static_cast<qsizetype>(model_.pageButtonCaption().size())));
  modeButton_->setEnabled(model_.modeButtonEnabled());
}

void TDataViewerForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
    PageBtnClick();
  } else if (event->key() == Qt::Key_M && event->modifiers() == Qt::ControlModifier) {
    ModeBtnClick();
  } else {
    QMainWindow::keyPressEvent(event);
  }
}

void TDataViewerForm::closeEvent(QCloseEvent* event) {
  event->accept();
  if (main_.isHidden()) main_.show();
}

}  // namespace rizazovoz
