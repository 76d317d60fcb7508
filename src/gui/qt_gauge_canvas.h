#pragma once
// The dial's drawing surface on a QPainter, antialiased. Used on an off-screen image; the
// widget copies the finished image to the screen in one go.
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QPoint>

#include "gauge/gauge_canvas.h"

namespace rizazovoz {

QColor toQColor(GaugeColor color);

class QtGaugeCanvas final : public GaugeCanvas {
 public:
  // The painter must be active and outlive the canvas.
  explicit QtGaugeCanvas(QPainter& painter);

  void setPen(GaugeColor color, int width) override;
  void setBrush(GaugeColor color) override;
  void setFont(GaugeColor color, std::optional<int> cellHeight) override;
  void fillRect(const GaugeRect& rect) override;
  void ellipse(const GaugeRect& box) override;
  void pie(const GaugeRect& box, GaugePoint start, GaugePoint end) override;
  void roundRect(const GaugeRect& rect, int cornerWidth, int cornerHeight) override;
  void moveTo(GaugePoint point) override;
  void lineTo(GaugePoint point) override;
  void textOut(GaugePoint topLeft, const std::string& text) override;
  GaugeSize textExtent(const std::string& text) override;

 private:
  void applyShapeTools();

  QPainter& painter_;
  QPen pen_;
  QColor brushColor_;
  QColor fontColor_;
  QFont font_;
  QPoint position_;
};

}  // namespace rizazovoz
