#include "fault_codes_form.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace rizazovoz {
namespace {

QPlainTextEdit* addList(QWidget* parent, const char* boxName, const char* caption,
                        const char* memoName) {
  auto* box = new QGroupBox(QString::fromLatin1(caption), parent);
  box->setObjectName(QString::fromLatin1(boxName));
  auto* memo = new QPlainTextEdit(box);
  memo->setObjectName(QString::fromLatin1(memoName));
  memo->setReadOnly(true);  // still selectable, so the codes can be copied
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QPalette palette = memo->palette();
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Text, Qt::black);
  memo->setPalette(palette);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(memo);
  parent->layout()->addWidget(box);
  return memo;
}

void ShowText(QPlainTextEdit* memo, const std::string& text) {
  // Set only when it changed, so that a selection or the scroll position survives the
  // refresh.
  const QString shown = QString::fromStdString(text);
  if (memo->toPlainText() != shown) memo->setPlainText(shown);
}

}  // namespace

TFaultCodesForm::TFaultCodesForm(const LiveValues& values, QWidget* parent)
    : QMainWindow(parent, Qt::Window), values_(values) {
  setObjectName(QStringLiteral("FaultCodesForm"));
  setWindowTitle(QStringLiteral("Rizazovoz Fault Code Viewer"));
  resize(640, 420);
  auto* area = new QWidget(this);
  area->setAutoFillBackground(true);
  QPalette palette = area->palette();
  palette.setColor(QPalette::Window, Qt::black);
  palette.setColor(QPalette::WindowText, Qt::white);
  area->setPalette(palette);
  new QHBoxLayout(area);
  current_ = addList(area, "GroupBox1", "Current", "CFMemo");
  stored_ = addList(area, "GroupBox2", "History", "SFMemo");
  setCentralWidget(area);

  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setInterval(100);  // started by the first identity
  connect(timer_, &QTimer::timeout, this, &TFaultCodesForm::Timer1Timer);
}

void TFaultCodesForm::SetIdentity(std::string_view identity) {
  report_.SetIdentity(identity);
  timer_->start();
}

void TFaultCodesForm::Present() {
  show();
  raise();
  activateWindow();
}

void TFaultCodesForm::Timer1Timer() {
  ShowText(current_, report_.CurrentText(values_.faultFlags));
  ShowText(stored_, report_.StoredText(values_.faultFlags));
}

}  // namespace rizazovoz
