#include "queued_message_boxes.h"

#include <QMessageBox>
#include <QTimer>
#include <utility>

namespace rizazovoz {

QueuedMessageBoxes::QueuedMessageBoxes(QWidget* owner, QString caption)
    : QObject(owner), owner_(owner), caption_(std::move(caption)) {}

void QueuedMessageBoxes::showMessage(const std::string& text) {
  post(QString::fromStdString(text));
}

void QueuedMessageBoxes::post(const QString& text) {
  pending_.push_back(text);
  // One queued call per message: each opens the oldest box still waiting.
  QTimer::singleShot(0, this, &QueuedMessageBoxes::showNext);
}

void QueuedMessageBoxes::showNext() {
  if (pending_.empty()) return;
  const QString text = std::move(pending_.front());
  pending_.pop_front();
  QMessageBox box(QMessageBox::Information, caption_, text, QMessageBox::Ok, owner_);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.exec();
}

}  // namespace rizazovoz
