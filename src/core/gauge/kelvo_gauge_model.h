#pragma once
// The dial's properties and the rules that keep them consistent, without any drawing surface:
// the widget owns one, forwards its property setters here and repaints when told to.
#include <cstdint>
#include <optional>
#include <string>

#include "gauge/gauge_types.h"

namespace rizazovoz {

// Values as a new dial has them. Invariant: minValue <= progress <= maxValue.
struct GaugeProperties {
  TKelvoGaugeKind kind = TKelvoGaugeKind::rgk270;
  std::int32_t minValue = 0;
  std::int32_t maxValue = 255;
  std::int32_t progress = 0;
  std::int32_t nTicks = 11;
  std::string title;
  bool showText = true;  // kept and repainted on change; no picture depends on it
  TFormBorderStyle borderStyle = TFormBorderStyle::bsSingle;
  GaugeColor foreColor = gauge_colors::kWhite;
  GaugeColor backColor = gauge_colors::kBlack;
  GaugeColor borderColor = gauge_colors::kGray;
  GaugeColor needleColor1 = gauge_colors::kRed;
  GaugeColor needleColor2 = gauge_colors::kYellow;
  GaugeColor lcdColor = gauge_colors::kSilver;
};

// floor(100 * (progress - min) / (max - min)) in floating point, 0 for an empty range.
std::int32_t gaugePercentDone(std::int32_t minValue, std::int32_t maxValue, std::int32_t progress);

// Told when the dial must be redrawn now; the widget repaints synchronously.
class GaugeRepaintListener {
 public:
  virtual ~GaugeRepaintListener() = default;
  virtual void repaintGauge() = 0;
};

class KelvoGaugeModel {
 public:
  explicit KelvoGaugeModel(GaugeRepaintListener* listener = nullptr) : listener_(listener) {}
  void setRepaintListener(GaugeRepaintListener* listener) { listener_ = listener; }

  const GaugeProperties& properties() const { return properties_; }

  // Each stores the value and repaints only when it differs from the stored one.
  void SetTKelvoGaugeKind(TKelvoGaugeKind kind);
  void SetnTicks(std::int32_t ticks);
  void SetGTitle(const std::string& title);
  void SetShowText(bool showText);
  void SetBorderStyle(TFormBorderStyle style);
  void SetForeColor(GaugeColor color);
  void SetBackColor(GaugeColor color);
  void SetNeedleColor1(GaugeColor color);
  void SetNeedleColor2(GaugeColor color);
  void SetBorderColor(GaugeColor color);
  void SetLCDColor(GaugeColor color);

  // A limit that would cross the other one is refused: nothing changes and the text for the
  // user's error box ("Value must be between ... and ...") is returned; the caller abandons
  // what it was doing and shows it. An accepted limit pulls Progress along and repaints.
  [[nodiscard]] std::optional<std::string> SetMinValue(std::int32_t value);
  // A maximum of 0 is ignored; the current maximum again is accepted and repaints.
  [[nodiscard]] std::optional<std::string> SetMaxValue(std::int32_t value);

  // Clamps into the range; repaints only when the whole percentage changes, so a value that
  // moves within one percent step is stored but the picture is left as it is.
  void SetProgress(std::int32_t value);
  // SetProgress(Progress + delta), then repaints in any case.
  void AddProgress(std::int32_t delta);

  std::int32_t GetPercentDone() const;

 private:
  template <typename T>
  void store(T& field, const T& value);
  void repaint();

  GaugeProperties properties_;
  GaugeRepaintListener* listener_;
};

}  // namespace rizazovoz
