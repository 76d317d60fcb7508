#include "data_logger_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <ctime>

#include "dashboard_form.h"
#include "font_cells.h"
#include "logger/date_time_text.h"
#include "widget_colours.h"

namespace rizazovoz {
namespace {

constexpr int kRowPitch = 120;
constexpr int kGraphX = 144;
constexpr int kClientWidth = 967;
constexpr int kClientHeight = 575;  // the status bar adds its 20 rows below

// A label repaints on every setText, changed or not: at 25 samples a second that adds up.
void ShowText(QLabel* label, const std::string& text) {
  const QString shown = QString::fromStdString(text);
  if (label->text() != shown) label->setText(shown);
}

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry,
                 Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  label->setAlignment(alignment);
  return label;
}

}  // namespace

TDataLoggerForm::TDataLoggerForm(TDashBoardForm& main, std::filesystem::path settingsPath,
                                 char decimalSeparator, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      main_(main),
      settingsPath_(std::move(settingsPath)),
      separator_(decimalSeparator) {
  setObjectName(QStringLiteral("DataLoggerForm"));
  setWindowTitle(QStringLiteral("RizazOvoz DataLogger"));
  auto* area = new QWidget(this);
  area->setObjectName(QStringLiteral("DataLoggerArea"));
  area->setFixedSize(kClientWidth, kClientHeight);
  area->setAutoFillBackground(true);
  setColours(area, Qt::black, Qt::white);
  for (std::size_t channel = 0; channel < kLoggerChannels; ++channel) BuildRow(area, channel);

  const int y = 8 + 4 * kRowPitch;
  auto* caption =
      addLabel(area, QStringLiteral("TDivLabel"), QStringLiteral("T/Div (secs)"), {8, y, 120, 18});
  setColours(caption, Qt::black, Qt::red);
  timeBase_ = new QComboBox(area);
  timeBase_->setObjectName(QStringLiteral("GrT_Sel_T_Combo"));
  timeBase_->setEditable(true);
  timeBase_->setInsertPolicy(QComboBox::NoInsert);
  timeBase_->setGeometry(8, y + 20, 100, 26);
  start_ = new QPushButton(QStringLiteral("Start"), area);
  start_->setObjectName(QStringLiteral("DL_Start_Button"));
  start_->setGeometry(kGraphX + 200, y + 20, 75, 27);
  stop_ = new QPushButton(QStringLiteral("Stop"), area);
  stop_->setObjectName(QStringLiteral("DL_Stop_Button"));
  stop_->setGeometry(kGraphX + 300, y + 20, 75, 27);
  saveToFile_ = new QCheckBox(QStringLiteral("Save To File"), area);
  saveToFile_->setObjectName(QStringLiteral("SaveDataCB"));
  saveToFile_->setGeometry(kGraphX + 420, y + 20, 140, 27);
  saveToFile_->setChecked(true);
  setColours(saveToFile_, Qt::black, Qt::white);
  setCentralWidget(area);

  QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
  file->setObjectName(QStringLiteral("File1"));
  QAction* setPath = file->addAction(QStringLiteral("Set &Path"));
  setPath->setObjectName(QStringLiteral("SetPath1"));
  QAction* exit = file->addAction(QStringLiteral("Exit"));
  exit->setObjectName(QStringLiteral("Exit1"));
  connect(setPath, &QAction::triggered, this, &TDataLoggerForm::SetPathClick);
  connect(exit, &QAction::triggered, &main_, &QWidget::close);

  statusBar_ = new PanelStatusBar(
      {{150, QString()}, {250, QString()}, {300, QString()}, {50, QString()}}, this);
  statusBar_->setObjectName(QStringLiteral("DataLoggerSB"));
  setStatusBar(statusBar_);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  messages_ = new QueuedMessageBoxes(this, QStringLiteral("RizazOvoz V1.2"));
  folderChooser_ = new TSelDirForm(this);

  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("LogTimer1"));
  connect(timer_, &QTimer::timeout, this, &TDataLoggerForm::LogTimer1Timer);

  // The settings: position, output folder, channels and time base.
  const LoggerSettings settings = readLoggerSettings(settingsPath_);
  logger_.ApplySettings(settings);
  move(settings.left, settings.top);
  if (settings.initMax) setWindowState(windowState() | Qt::WindowMaximized);
  for (std::size_t channel = 0; channel < kLoggerChannels; ++channel) {
    rows_[channel].selector->setEditText(
        QString::fromStdString(logger_.ChannelSelection()[channel]));
  }
  statusBar_->setPanelText(1, QString::fromStdString(logger_.OutputFilePanel()));
  statusBar_->findChild<QLabel*>(QStringLiteral("Panel2"))
      ->setToolTip(QString::fromStdString(logger_.OutputFilePath().string()));
  FillSelectors();
  timeBase_->setEditText(QString::fromStdString(logger_.TimeBase()));
  ShowSampleInterval();
  RecoverCrashedRecordings();

  connect(timeBase_, &QComboBox::activated, this, [this] { TimeBasePicked(); });
  connect(start_, &QPushButton::clicked, this, &TDataLoggerForm::DL_Start_ButtonClick);
  connect(stop_, &QPushButton::clicked, this, &TDataLoggerForm::DL_Stop_ButtonClick);
}

void TDataLoggerForm::BuildRow(QWidget* area, std::size_t channel) {
  Row& row = rows_[channel];
  const int n = static_cast<int>(channel) + 1;
  const int y = 8 + static_cast<int>(channel) * kRowPitch;
  auto* caption = addLabel(area, QStringLiteral("Ch%1Label").arg(n),
                           QStringLiteral("Channel %1").arg(n), {8, y, 120, 18});
  setColours(caption, Qt::black, Qt::red);
  row.selector = new QComboBox(area);
  row.selector->setObjectName(QStringLiteral("Ch%1_Sel_Combo").arg(n));
  row.selector->setEditable(true);
  row.selector->setInsertPolicy(QComboBox::NoInsert);
  row.selector->setGeometry(8, y + 20, 124, 26);
  row.selector->setMaxVisibleItems(20);
  connect(row.selector, &QComboBox::activated, this, [this, channel] { ChannelPicked(channel); });
  row.value = addLabel(area, QStringLiteral("Ch%1ValueLbl").arg(n), QStringLiteral("0"),
                       {8, y + 52, 124, 36});
  row.value->setFont(fontWithCellHeight(30));
  setColours(row.value, Qt::black, Qt::red);
  row.graph = new LoggerGraph(kChannelColours[channel], area);
  row.graph->setObjectName(QStringLiteral("PGraph%1").arg(n));
  row.graph->move(kGraphX, y);
  row.max = addLabel(area, QStringLiteral("MaxScaleLbl%1").arg(n), QStringLiteral("Max"),
                     {kGraphX - 44, y - 2, 40, 16}, Qt::AlignRight | Qt::AlignTop);
  row.min = addLabel(area, QStringLiteral("MinScaleLbl%1").arg(n), QStringLiteral("0"),
                     {kGraphX - 44, y + 86, 40, 16}, Qt::AlignRight | Qt::AlignBottom);
  // T4 at the graph's left edge ... T0 at its right edge.
  for (int k = 0; k < 5; ++k) {
    const int x = kGraphX + GraphModel::kWidth - k * (GraphModel::kWidth / 4);
    QLabel* label =
        addLabel(area, QStringLiteral("T%1Lbl%2").arg(k).arg(n), QStringLiteral("T%1").arg(k),
                 {x - 40, y + 101, 80, 16}, Qt::AlignHCenter | Qt::AlignTop);
    row.times[static_cast<std::size_t>(k)] = label;
  }
}

void TDataLoggerForm::FillSelectors() {
  const QStringList timeBases = {"1", "2", "5", "10", "15", "30", "60"};
  const QString shownTimeBase = timeBase_->currentText();
  timeBase_->clear();
  timeBase_->addItems(timeBases);
  timeBase_->setEditText(shownTimeBase);
  QStringList channels;
  for (const std::string& name : logger_.ChannelList()) channels << QString::fromStdString(name);
  for (Row& row : rows_) {
    const QString shown = row.selector->currentText();  // loading keeps the text shown
    row.selector->clear();
    row.selector->addItems(channels);
    row.selector->setEditText(shown);
  }
}

void TDataLoggerForm::SetChannelMode(bool named) {
  logger_.SetChannelMode(named);
  FillSelectors();
}

void TDataLoggerForm::ChannelPicked(std::size_t channel) {
  logger_.SetChannel(channel, rows_[channel].selector->currentText().toStdString());
}

void TDataLoggerForm::TimeBasePicked() {
  const QString typed = timeBase_->currentText();
  if (!logger_.ApplyTimeBase(typed.toStdString())) {
    timeBase_->setEditText(QString::fromStdString(logger_.TimeBase()));
    messages_->post(
        QStringLiteral("'%1' is not a time base: a whole number of seconds from 1 to 3600")
            .arg(typed));
    return;
  }
  ShowSampleInterval();
}

void TDataLoggerForm::ShowSampleInterval() {
  timer_->setInterval(logger_.SampleInterval());
  statusBar_->setPanelText(0, QString::fromStdString(logger_.SampleIntervalPanel()));
}

void TDataLoggerForm::EnableChoices(bool enabled) {
  for (Row& row : rows_) row.selector->setEnabled(enabled);
  timeBase_->setEnabled(enabled);
  saveToFile_->setEnabled(enabled);
}

void TDataLoggerForm::DL_Start_ButtonClick() {
  if (logger_.Logging()) return;
  logger_.SetSaveToFile(saveToFile_->isChecked());
  const StartOutcome outcome = logger_.Start(LocalDateTimeText(std::time(nullptr)));
  if (!outcome.started) return;
  timer_->start(logger_.SampleInterval());
  EnableChoices(false);
  for (const std::string& message : outcome.messages) {
    messages_->post(QString::fromStdString(message));
  }
}

void TDataLoggerForm::DL_Stop_ButtonClick() {
  timer_->stop();
  const bool wasLogging = logger_.Logging();
  if (wasLogging && logger_.SaveToFile()) statusBar_->setPanelText(2, Text(kSavingText));
  ShowStop(logger_.Stop());
  EnableChoices(true);
}

void TDataLoggerForm::ShowStop(const StopOutcome& outcome) {
  if (outcome.panelText) statusBar_->setPanelText(2, QString::fromStdString(*outcome.panelText));
  if (!outcome.file.empty()) {
    statusBar_->findChild<QLabel*>(QStringLiteral("Panel2"))
        ->setToolTip(QString::fromStdString(outcome.file.string()));
  }
  if (outcome.error) messages_->post(QString::fromStdString(*outcome.error));
}

void TDataLoggerForm::LogTimer1Timer() {
  const std::optional<TickTexts> texts =
      logger_.Tick(main_.session().values(), std::chrono::steady_clock::now(), separator_);
  if (!texts) return;
  for (std::size_t channel = 0; channel < kLoggerChannels; ++channel) {
    Row& row = rows_[channel];
    const ChannelLabels& labels = texts->channels[channel];
    ShowText(row.value, labels.value);
    ShowText(row.max, labels.max);
    ShowText(row.min, labels.min);
    for (std::size_t k = 0; k < row.times.size(); ++k) ShowText(row.times[k], texts->times[k]);
    row.graph->Show(logger_.Graph(channel));
  }
  statusBar_->setPanelText(2, QString::fromStdString(texts->fileSize));
  if (texts->message) messages_->post(QString::fromStdString(*texts->message));
}

void TDataLoggerForm::SetPathClick() {
  folderChooser_->Choose(QString::fromStdString(logger_.OutputFilePath().parent_path().string()),
                         [this](const QString& folder) { SetLogPath(folder); });
}

void TDataLoggerForm::SetLogPath(const QString& folder) {
  logger_.SetLogPath(folder.toStdString());
  statusBar_->findChild<QLabel*>(QStringLiteral("Panel2"))
      ->setToolTip(QString::fromStdString(logger_.OutputFilePath().string()));
}

void TDataLoggerForm::Present() {
  show();
  raise();
  activateWindow();
}

void TDataLoggerForm::RecoverCrashedRecordings() {
  const RecoveredJournals recovered = logger_.RecoverJournals();
  for (const std::filesystem::path& file : recovered.files) {
    messages_->post(
        QStringLiteral("A recording that was not saved when the program last ended has been "
                       "recovered to %1")
            .arg(QString::fromStdString(file.string())));
  }
  for (const std::string& error : recovered.errors) messages_->post(QString::fromStdString(error));
}

void TDataLoggerForm::WriteSettings() {
  LoggerSettings settings = logger_.CurrentSettings();
  settings.top = y();
  settings.left = x();
  settings.initMax = isMaximized();
  if (const std::optional<std::string> error = writeLoggerSettings(settings, settingsPath_)) {
    QMessageBox::warning(this, QApplication::applicationName(),
                         QStringLiteral("The logger's settings could not be saved.\n%1")
                             .arg(QString::fromStdString(*error)));
  }
}

void TDataLoggerForm::closeEvent(QCloseEvent* event) {
  // Closing only hides the window: logging goes on.
  WriteSettings();
  event->accept();
}

void TDataLoggerForm::CloseWithProgram() {
  // Also a recording an earlier Stop could not write gets its last chance here.
  timer_->stop();
  const StopOutcome outcome = logger_.Close();
  if (outcome.error) {
    QMessageBox::warning(this, QApplication::applicationName(),
                         QString::fromStdString(*outcome.error));
  }
  WriteSettings();
}

}  // namespace rizazovoz
