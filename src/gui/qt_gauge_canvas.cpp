#include "qt_gauge_canvas.h"

#include <QFontMetrics>
#include <QRectF>
#include <QString>

#include "font_cells.h"

namespace rizazovoz {
namespace {

QRect toQRect(const GaugeRect& r) {
  return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// Outlined shapes keep their whole outline inside the box, so a rim drawn on the control's
// edge is not cut in half by the control's bounds.
QRectF outlineBox(const GaugeRect& r, int penWidth) {
  const double inset = penWidth / 2.0;
  return QRectF(r.left + inset, r.top + inset, (r.right - r.left) - penWidth,
                (r.bottom - r.top) - penWidth);
}

QString toQString(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

QColor toQColor(GaugeColor color) { return QColor::fromRgb(color.rgb & 0xFFFFFFu); }

QtGaugeCanvas::QtGaugeCanvas(QPainter& painter)
    : painter_(painter),
      pen_(Qt::black, 1),
      brushColor_(Qt::white),
      fontColor_(Qt::black),
      font_(defaultCanvasFont()) {
  painter_.setRenderHint(QPainter::Antialiasing);
  painter_.setRenderHint(QPainter::TextAntialiasing);
  pen_.setCapStyle(Qt::RoundCap);
}

void QtGaugeCanvas::setPen(GaugeColor color, int width) {
  pen_.setColor(toQColor(color));
  pen_.setWidth(width < 1 ? 1 : width);
}

void QtGaugeCanvas::setBrush(GaugeColor color) { brushColor_ = toQColor(color); }

void QtGaugeCanvas::setFont(GaugeColor color, std::optional<int> cellHeight) {
  fontColor_ = toQColor(color);
  // A dial too small for legible digits gets a one-pixel font: the text is lost, not the paint.
  font_ = cellHeight ? fontWithCellHeight(*cellHeight) : defaultCanvasFont();
}

void QtGaugeCanvas::applyShapeTools() {
  painter_.setPen(pen_);
  painter_.setBrush(QBrush(brushColor_));
}

void QtGaugeCanvas::fillRect(const GaugeRect& rect) {
  painter_.fillRect(toQRect(rect), brushColor_);
}

void QtGaugeCanvas::ellipse(const GaugeRect& box) {
  applyShapeTools();
  painter_.drawEllipse(outlineBox(box, pen_.width()));
}

void QtGaugeCanvas::pie(const GaugeRect& box, GaugePoint start, GaugePoint end) {
  applyShapeTools();
  const PieSweep sweep = pieSweep(box, start, end);
  const QRectF bounds = outlineBox(box, pen_.width());
  if (sweep.spanDegrees >= 360.0) {
    painter_.drawEllipse(bounds);
    return;
  }
  painter_.drawPie(bounds, static_cast<int>(sweep.startDegrees * 16),
                   static_cast<int>(sweep.spanDegrees * 16));
}

void QtGaugeCanvas::roundRect(const GaugeRect& rect, int cornerWidth, int cornerHeight) {
  applyShapeTools();
  painter_.drawRoundedRect(outlineBox(rect, pen_.width()), cornerWidth / 2.0, cornerHeight / 2.0,
                           Qt::AbsoluteSize);
}

void QtGaugeCanvas::moveTo(GaugePoint point) { position_ = QPoint(point.x, point.y); }

void QtGaugeCanvas::lineTo(GaugePoint point) {
  const QPoint to(point.x, point.y);
  painter_.setPen(pen_);
  painter_.drawLine(position_, to);
  position_ = to;
}

void QtGaugeCanvas::textOut(GaugePoint topLeft, const std::string& text) {
  if (text.empty()) return;
  const QString qtext = toQString(text);
  const QFontMetrics metrics(font_);
  const QRect cell(topLeft.x, topLeft.y, metrics.horizontalAdvance(qtext), metrics.height());
  painter_.fillRect(cell, brushColor_);
  painter_.setFont(font_);
  painter_.setPen(fontColor_);
  painter_.drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, qtext);
}

GaugeSize QtGaugeCanvas::textExtent(const std::string& text) {
  const QFontMetrics metrics(font_);
  return {metrics.horizontalAdvance(toQString(text)), metrics.height()};
}

}  // namespace rizazovoz
