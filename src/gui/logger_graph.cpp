#include "logger_graph.h"

#include <QPainter>
#include <QPainterPath>

namespace rizazovoz {
namespace {

QColor Rgb(std::uint32_t rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

}  // namespace

LoggerGraph::LoggerGraph(std::uint32_t traceColour, QWidget* parent)
    : QWidget(parent), colour_(traceColour) {
  setFixedSize(GraphModel::kWidth, GraphModel::kHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void LoggerGraph::Show(const GraphModel& model) {
  picture_.trace = model.Trace(colour_);
  picture_.rows.assign(picture_.trace.size(), 0.0);
  for (std::size_t i = 0; i < picture_.trace.size(); ++i) {
    if (picture_.trace[i]) picture_.rows[i] = model.RowOf(*picture_.trace[i]);
  }
  picture_.gridSize = model.GridSize();
  picture_.gridPhase = model.GridPhase();
  picture_.stepSize = model.StepSize();
  update();
}

void LoggerGraph::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Rgb(kGraphBackColour));
  const Picture& p = picture_;
  if (p.gridSize > 0) {
    painter.setPen(Rgb(kGridColour));
    for (int x = width() - 1 - p.gridPhase; x >= 0; x -= p.gridSize) painter.drawLine(x, 0, x, height());
    for (int y = height() - 1; y >= 0; y -= p.gridSize) painter.drawLine(0, y, width(), y);
  }
  // Newest step at the right edge, each older one a step further left; a gap breaks the line.
  painter.setPen(QPen(Rgb(colour_), kTracePenWidth));
  const std::size_t count = p.trace.size();
  QPainterPath path;
  bool drawing = false;
  for (std::size_t i = 0; i < count; ++i) {
    const double x = width() - 1 - static_cast<double>((count - 1 - i) * p.stepSize);
    if (!p.trace[i]) {
      drawing = false;
      continue;
    }
    const QPointF point(x, p.rows[i]);
    if (drawing) {
      path.lineTo(point);
    } else {
      path.moveTo(point);
      drawing = true;
    }
  }
  painter.setClipRect(rect());
  painter.drawPath(path);
}

}  // namespace rizazovoz
