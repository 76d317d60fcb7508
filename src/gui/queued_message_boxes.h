#pragma once
// Shows the core's messages to the user in modal boxes, each after the timer tick that raised
// it has returned: the message is queued and its box opened from the event loop. A box's own
// event loop keeps the polling timer running, so the conversation with the ECU goes on while
// the user reads; messages raised meanwhile open their boxes on top, in order.
#include <QObject>
#include <QString>
#include <QWidget>
#include <deque>

#include "common/user_messages.h"

namespace rizazovoz {

class QueuedMessageBoxes final : public QObject, public UserMessages {
  Q_OBJECT

 public:
  // Boxes are centred on `owner` and carry `caption`.
  QueuedMessageBoxes(QWidget* owner, QString caption);

  void showMessage(const std::string& text) override;
  // The same for texts raised by the window itself.
  void post(const QString& text);

  int pendingCount() const { return static_cast<int>(pending_.size()); }

 private:
  void showNext();

  QWidget* owner_;
  QString caption_;
  std::deque<QString> pending_;
};

}  // namespace rizazovoz
