#pragma once
// The dial control on screen. It owns the dial's model (properties and their rules) and
// composes the picture off-screen whenever the model asks for a repaint; a paint request
// from the window system only copies the finished picture, so the screen is touched once
// per paint and the dial never flickers.
#include <QImage>
#include <QWidget>

#include "gauge/gauge_painter.h"
#include "gauge/kelvo_gauge_model.h"

namespace rizazovoz {

class TKelvoGauge final : public QWidget, private GaugeRepaintListener {
  Q_OBJECT

 public:
  explicit TKelvoGauge(QWidget* parent = nullptr);

  // Property changes go through the model; those that need it recompose the picture at once.
  KelvoGaugeModel& model() { return model_; }
  const GaugeProperties& properties() const { return model_.properties(); }

  // Shorthands for the calls the dashboard makes.
  void SetProgress(int value) { model_.SetProgress(value); }
  void SetGTitle(const QString& title) { model_.SetGTitle(title.toStdString()); }
  void SetnTicks(int ticks) { model_.SetnTicks(ticks); }
  // Refused limits come back as the text for the user's error box.
  std::optional<std::string> SetMaxValue(int value) { return model_.SetMaxValue(value); }

  // The picture as last composed, and how many times it was composed.
  const QImage& picture() const { return picture_; }
  int composeCount() const { return composeCount_; }

  // Draws the dial as it is now into a fresh image (for benchmarks and screenshots).
  QImage render() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void repaintGauge() override;
  GaugeSnapshot snapshot() const;
  void compose();

  KelvoGaugeModel model_;
  QImage picture_;
  int composeCount_ = 0;
};

}  // namespace rizazovoz
