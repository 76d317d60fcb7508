// Cost of composing one dial picture, without the cost of putting pixels on a screen: the
// 255-pixel dashboard dial drawn onto a canvas that only counts the calls. The figure for a
// real screen backend is measured with that backend.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "gauge/gauge_canvas.h"
#include "gauge/gauge_painter.h"
#include "gauge/kelvo_gauge_model.h"

namespace {

using namespace rizazovoz;

class CountingCanvas : public GaugeCanvas {
 public:
  void setPen(GaugeColor, int) override { ++calls; }
  void setBrush(GaugeColor) override { ++calls; }
  void setFont(GaugeColor, std::optional<int> cellHeight) override {
    ++calls;
    height_ = cellHeight.value_or(13);
  }
  void fillRect(const GaugeRect&) override { ++calls; }
  void ellipse(const GaugeRect&) override { ++calls; }
  void pie(const GaugeRect&, GaugePoint, GaugePoint) override { ++calls; }
  void roundRect(const GaugeRect&, int, int) override { ++calls; }
  void moveTo(GaugePoint) override { ++calls; }
  void lineTo(GaugePoint point) override {
    ++calls;
    coordinates += point.x + point.y;  // keeps the trigonometry from being dropped
  }
  void textOut(GaugePoint, const std::string&) override { ++calls; }
  GaugeSize textExtent(const std::string& text) override {
    return {static_cast<int>(text.size()) * height_ / 2, height_};
  }

  std::uint64_t calls = 0;
  std::int64_t coordinates = 0;

 private:
  int height_ = 13;
};

GaugeSnapshot dashboardDial() {
  GaugeSnapshot s;
  s.width = 255;
  s.height = 255;
  s.color = GaugeColor{0xF0F0F0};
  s.properties.borderStyle = TFormBorderStyle::bsNone;
  s.properties.maxValue = 8000;
  s.properties.nTicks = 9;
  s.properties.title = "RPM";
  return s;
}

// One paint per iteration, the value stepping over the whole range so that every needle
// position and read-out length is drawn.
void BM_Paint270Dial255(benchmark::State& state) {
  GaugeSnapshot snapshot = dashboardDial();
  snapshot.properties.nTicks = static_cast<std::int32_t>(state.range(0));
  CountingCanvas canvas;
  std::int32_t value = 0;
  for (auto _ : state) {
    snapshot.properties.progress = value;
    value = (value + 37) % 8001;
    paintGauge(snapshot, canvas);
  }
  benchmark::DoNotOptimize(canvas.coordinates);
  state.counters["calls/paint"] = static_cast<double>(canvas.calls) / state.iterations();
}
BENCHMARK(BM_Paint270Dial255)->Arg(9)->Arg(11)->Arg(13);

// The call made for every received sample: most samples stay within one percent step and
// cause no repaint, so this is the cost the dashboard pays per sample and dial.
void BM_SetProgressPerSample(benchmark::State& state) {
  KelvoGaugeModel gauge;
  (void)gauge.SetMaxValue(8000);
  std::int32_t value = 0;
  for (auto _ : state) {
    gauge.SetProgress(value);
    value = (value + 7) % 8001;
  }
  benchmark::DoNotOptimize(gauge.properties().progress);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SetProgressPerSample);

}  // namespace

BENCHMARK_MAIN();
