#pragma once
// One of the logger's four scrolling graphs: 800 × 100 pixels, white, a silver grid and the
// channel's trace, pen width 2. It paints the picture last handed to it from the graph
// model, never the model itself.
#include <QColor>
#include <QWidget>
#include <optional>
#include <vector>

#include "logger/graph_model.h"

namespace rizazovoz {

class LoggerGraph final : public QWidget {
  Q_OBJECT

 public:
  LoggerGraph(std::uint32_t traceColour, QWidget* parent);

  // Takes the model's picture as it is now and repaints.
  void Show(const GraphModel& model);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Picture {
    std::vector<std::optional<std::int32_t>> trace;
    std::vector<double> rows;  // the pixel row of each point of the trace
    std::int32_t gridSize = 20;
    std::int32_t gridPhase = 0;
    std::int32_t stepSize = 3;
  };

  const std::uint32_t colour_;
  Picture picture_;
};

}  // namespace rizazovoz
