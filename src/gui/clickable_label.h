#pragma once
// A label that reports a left click, for the dashboard's logo and check-engine lamp.
#include <QLabel>
#include <QMouseEvent>

namespace rizazovoz {

class ClickableLabel final : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
      emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
  }
};

}  // namespace rizazovoz
