#include "status_form.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QStatusBar>

namespace rizazovoz {
namespace {

constexpr int kRows = 40;

}  // namespace

TStatusForm::TStatusForm(const LiveValues& values, QWidget* parent)
    : QMainWindow(parent, Qt::Window), values_(values) {
  setObjectName(QStringLiteral("StatusForm"));
  setWindowTitle(QStringLiteral("RizazOvoz Status Flag Viewer"));
  auto* box = new QGroupBox(QStringLiteral("Current Status"), this);
  box->setObjectName(QStringLiteral("StatusGB"));
  box->setAutoFillBackground(true);
  QPalette palette = box->palette();
  palette.setColor(QPalette::Window, Qt::black);
  palette.setColor(QPalette::WindowText, Qt::white);
  box->setPalette(palette);
  grid_ = new QTableWidget(kRows, 2, box);
  grid_->setObjectName(QStringLiteral("StatusSG"));
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->setColumnWidth(0, 300);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < 2; ++column) grid_->setItem(row, column, new QTableWidgetItem);
  }
  setCentralWidget(box);
  auto* bar = new QStatusBar(this);
  bar->setObjectName(QStringLiteral("StatusBar1"));
  setStatusBar(bar);
  resize(460, 420);

  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("StatusTimer"));
  timer_->setInterval(100);  // started by the first identity
  connect(timer_, &QTimer::timeout, this, &TStatusForm::StatusTimerTimer);
}

void TStatusForm::SetIdentity(std::string_view identity) {
  report_.SetIdentity(identity);
  timer_->start();
}

void TStatusForm::Present() {
  show();
  raise();
  activateWindow();
}

void TStatusForm::StatusTimerTimer() {
  // Rows below the last one are left as an earlier ECU wrote them: the grid is never
  // cleared.
  int row = 0;
  for (const StatusRow& flag : report_.Rows(values_.statusFlags)) {
    if (row >= kRows) break;
    grid_->item(row, 0)->setText(QString::fromStdString(flag.name));
    grid_->item(row, 1)->setText(QString::fromStdString(flag.state));
    ++row;
  }
}

void TStatusForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  const QSize client = centralWidget()->size();
  grid_->setGeometry(8, 20, std::max(0, client.width() - 15), std::max(0, client.height() - 45));
}

}  // namespace rizazovoz
