#include "kelvo_gauge.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include "qt_gauge_canvas.h"

namespace rizazovoz {

TKelvoGauge::TKelvoGauge(QWidget* parent) : QWidget(parent), model_(this) {
  // Every pixel is painted from the picture: nothing behind the dial needs erasing.
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(120, 120);
  compose();
}

GaugeSnapshot TKelvoGauge::snapshot() const {
  GaugeSnapshot s;
  s.properties = model_.properties();
  s.width = width();
  s.height = height();
  // The area outside the face follows the parent's background.
  const QColor background = parentWidget() ? parentWidget()->palette().color(backgroundRole())
                                           : palette().color(backgroundRole());
  s.color = GaugeColor{static_cast<std::uint32_t>(background.rgb()) & 0xFFFFFFu};
  return s;
}

QImage TKelvoGauge::render() const {
  QImage image(size(), QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  QtGaugeCanvas canvas(painter);
  paintGauge(snapshot(), canvas);
  return image;
}

void TKelvoGauge::compose() {
  // The picture's buffer is reused from paint to paint while the size stays the same.
  if (picture_.size() != size()) picture_ = QImage(size(), QImage::Format_RGB32);
  picture_.fill(Qt::black);
  QPainter painter(&picture_);
  QtGaugeCanvas canvas(painter);
  paintGauge(snapshot(), canvas);
  ++composeCount_;
}

void TKelvoGauge::repaintGauge() {
  compose();
  update();
}

void TKelvoGauge::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawImage(event->rect().topLeft(), picture_, event->rect());
}

void TKelvoGauge::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (picture_.size() != size()) compose();
}

void TKelvoGauge::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ParentChange || event->type() == QEvent::PaletteChange) compose();
}

}  // namespace rizazovoz
