#pragma once
// A canvas that records every drawing call with the pen, brush and font in force at the time.
// Text is measured by a fixed rule (textExtentRule), so tests can derive text positions.
#include <optional>
#include <string>
#include <vector>

#include "gauge/gauge_canvas.h"

namespace rizazovoz {

struct CanvasOp {
  enum class Kind { FillRect, Ellipse, Pie, RoundRect, Line, Text };
  Kind kind = Kind::FillRect;
  GaugeRect rect{};    // FillRect, Ellipse, Pie, RoundRect
  GaugePoint from{};   // Line start, Pie start, Text top left
  GaugePoint to{};     // Line end, Pie end
  GaugeSize corner{};  // RoundRect corner ellipse
  std::string text;    // Text
  GaugeColor pen{};
  int penWidth = 0;
  GaugeColor brush{};
  GaugeColor fontColor{};
  std::optional<int> fontHeight;
};

class RecordingCanvas : public GaugeCanvas {
 public:
  static constexpr int kDefaultCellHeight = 13;

  // Cell height as set (the default font's when none), width 6 pixels per character at the
  // default height and in proportion to the height otherwise.
  static GaugeSize textExtentRule(const std::string& text, std::optional<int> cellHeight) {
    const int height = cellHeight.value_or(kDefaultCellHeight);
    return {static_cast<int>(text.size()) * 6 * height / kDefaultCellHeight, height};
  }

  void setPen(GaugeColor color, int width) override {
    pen_ = color;
    penWidth_ = width;
  }
  void setBrush(GaugeColor color) override { brush_ = color; }
  void setFont(GaugeColor color, std::optional<int> cellHeight) override {
    fontColor_ = color;
    fontHeight_ = cellHeight;
  }
  void fillRect(const GaugeRect& rect) override { record(CanvasOp::Kind::FillRect).rect = rect; }
  void ellipse(const GaugeRect& box) override { record(CanvasOp::Kind::Ellipse).rect = box; }
  void pie(const GaugeRect& box, GaugePoint start, GaugePoint end) override {
    CanvasOp& op = record(CanvasOp::Kind::Pie);
    op.rect = box;
    op.from = start;
    op.to = end;
  }
  void roundRect(const GaugeRect& rect, int cornerWidth, int cornerHeight) override {
    CanvasOp& op = record(CanvasOp::Kind::RoundRect);
    op.rect = rect;
    op.corner = {cornerWidth, cornerHeight};
  }
  void moveTo(GaugePoint point) override { position_ = point; }
  void lineTo(GaugePoint point) override {
    CanvasOp& op = record(CanvasOp::Kind::Line);
    op.from = position_;
    op.to = point;
    position_ = point;
  }
  void textOut(GaugePoint topLeft, const std::string& text) override {
    CanvasOp& op = record(CanvasOp::Kind::Text);
    op.from = topLeft;
    op.text = text;
  }
  GaugeSize textExtent(const std::string& text) override {
    return textExtentRule(text, fontHeight_);
  }

  const std::vector<CanvasOp>& ops() const { return ops_; }
  std::vector<CanvasOp> opsOf(CanvasOp::Kind kind) const {
    std::vector<CanvasOp> selected;
    for (const CanvasOp& op : ops_) {
      if (op.kind == kind) selected.push_back(op);
    }
    return selected;
  }

 private:
  CanvasOp& record(CanvasOp::Kind kind) {
    ops_.emplace_back();
    ops_.back().kind = kind;
    CanvasOp& op = ops_.back();
    op.pen = pen_;
    op.penWidth = penWidth_;
    op.brush = brush_;
    op.fontColor = fontColor_;
    op.fontHeight = fontHeight_;
    return op;
  }

  std::vector<CanvasOp> ops_;
  GaugeColor pen_{};
  int penWidth_ = 1;
  GaugeColor brush_{};
  GaugeColor fontColor_{};
  std::optional<int> fontHeight_;
  GaugePoint position_{};
};

}  // namespace rizazovoz
