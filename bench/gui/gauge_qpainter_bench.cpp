// Cost of one paint of the 255-pixel dashboard dial on the screen backend: the picture
// composed with QPainter (antialiased) into the off-screen image, as the dial does on every
// repaint, and the copy of that image onto a window-sized surface.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "gauge/gauge_painter.h"
#include "kelvo_gauge.h"
#include "qt_gauge_canvas.h"

namespace {

using namespace rizazovoz;

GaugeSnapshot RevCounter(std::int32_t progress) {
  GaugeSnapshot s;
  s.width = 255;
  s.height = 255;
  s.properties.borderStyle = TFormBorderStyle::bsNone;
  s.properties.maxValue = 8000;
  s.properties.nTicks = 9;
  s.properties.title = "RPM";
  s.properties.needleColor1 = gauge_colors::kYellow;
  s.properties.needleColor2 = gauge_colors::kRed;
  s.properties.progress = progress;
  return s;
}

// The drawing alone, into a reused image.
void BM_QPainterCompose255(benchmark::State& state) {
  QImage image(255, 255, QImage::Format_RGB32);
  std::int32_t value = 0;
  for (auto _ : state) {
    image.fill(Qt::black);
    QPainter painter(&image);
    QtGaugeCanvas canvas(painter);
    paintGauge(RevCounter(value), canvas);
    value = (value + 83) % 8001;
  }
  benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_QPainterCompose255)->Unit(benchmark::kMicrosecond);

// The widget's own path for a value that moves the needle a percent step: the model's
// repaint rule, the snapshot and the composition.
void BM_DialWidgetRepaint255(benchmark::State& state) {
  TKelvoGauge gauge;
  gauge.resize(255, 255);
  gauge.model().SetBorderStyle(TFormBorderStyle::bsNone);
  (void)gauge.SetMaxValue(8000);
  std::int32_t value = 0;
  for (auto _ : state) {
    value = (value + 83) % 8001;
    gauge.SetProgress(value);
  }
  state.counters["composed"] = gauge.composeCount();
}
BENCHMARK(BM_DialWidgetRepaint255)->Unit(benchmark::kMicrosecond);

// Copying the composed picture to the screen-side surface in one operation.
void BM_BlitPicture255(benchmark::State& state) {
  TKelvoGauge gauge;
  gauge.resize(255, 255);
  QImage surface(767, 492, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter painter(&surface);
    painter.drawImage(20, 10, gauge.picture());
  }
  benchmark::DoNotOptimize(surface.constBits());
}
BENCHMARK(BM_BlitPicture255)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
