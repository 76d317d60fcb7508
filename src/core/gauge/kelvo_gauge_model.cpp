#include "gauge/kelvo_gauge_model.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "text/number_format.h"

namespace rizazovoz {
namespace {

// The bounds are worked out in 64 bits so that a range at the ends of the 32-bit values
// cannot overflow the message.
std::string rangeMessage(long long low, long long high) {
  return "Value must be between " + formatInteger(low) + " and " + formatInteger(high);
}

}  // namespace

std::int32_t gaugePercentDone(std::int32_t minValue, std::int32_t maxValue, std::int32_t progress) {
  if (maxValue == minValue) return 0;
  // Differences of 32-bit values are exact in a double, and 100 * d / r keeps whole results
  // whole (29 of 100 is 29, where (29 / 100) * 100 would floor to 28).
  const double done = static_cast<double>(progress) - minValue;
  const double range = static_cast<double>(maxValue) - minValue;
  return static_cast<std::int32_t>(std::floor(100.0 * done / range));
}

template <typename T>
void KelvoGaugeModel::store(T& field, const T& value) {
  if (field == value) return;
  field = value;
  repaint();
}

void KelvoGaugeModel::repaint() {
  if (listener_ != nullptr) listener_->repaintGauge();
}

void KelvoGaugeModel::SetTKelvoGaugeKind(TKelvoGaugeKind kind) { store(properties_.kind, kind); }
void KelvoGaugeModel::SetnTicks(std::int32_t ticks) { store(properties_.nTicks, ticks); }
void KelvoGaugeModel::SetGTitle(const std::string& title) { store(properties_.title, title); }
void KelvoGaugeModel::SetShowText(bool showText) { store(properties_.showText, showText); }
void KelvoGaugeModel::SetBorderStyle(TFormBorderStyle style) {
  store(properties_.borderStyle, style);
}
void KelvoGaugeModel::SetForeColor(GaugeColor color) { store(properties_.foreColor, color); }
void KelvoGaugeModel::SetBackColor(GaugeColor color) { store(properties_.backColor, color); }
void KelvoGaugeModel::SetNeedleColor1(GaugeColor color) { store(properties_.needleColor1, color); }
void KelvoGaugeModel::SetNeedleColor2(GaugeColor color) { store(properties_.needleColor2, color); }
void KelvoGaugeModel::SetBorderColor(GaugeColor color) { store(properties_.borderColor, color); }
void KelvoGaugeModel::SetLCDColor(GaugeColor color) { store(properties_.lcdColor, color); }

std::optional<std::string> KelvoGaugeModel::SetMinValue(std::int32_t value) {
  if (value == properties_.minValue) return std::nullopt;
  if (value > properties_.maxValue) {
    return rangeMessage(-static_cast<long long>(INT32_MAX), properties_.maxValue - 1LL);
  }
  properties_.minValue = value;
  properties_.progress = std::max(properties_.progress, value);
  repaint();
  return std::nullopt;
}

std::optional<std::string> KelvoGaugeModel::SetMaxValue(std::int32_t value) {
  if (value == 0) return std::nullopt;
  if (value < properties_.minValue) {
    return rangeMessage(properties_.minValue + 1LL, INT32_MAX);
  }
  properties_.maxValue = value;
  properties_.progress = std::min(properties_.progress, value);
  repaint();
  return std::nullopt;
}

void KelvoGaugeModel::SetProgress(std::int32_t value) {
  const std::int32_t percentBefore = GetPercentDone();
  value = std::clamp(value, properties_.minValue, properties_.maxValue);
  if (value == properties_.progress) return;
  properties_.progress = value;
  if (GetPercentDone() != percentBefore) repaint();
}

void KelvoGaugeModel::AddProgress(std::int32_t delta) {
  // Summed in 64 bits and clamped, so that a step past the end of the 32-bit values stops at
  // the limit instead of wrapping round to the other end.
  const long long sum = static_cast<long long>(properties_.progress) + delta;
  SetProgress(static_cast<std::int32_t>(std::clamp<long long>(sum, INT32_MIN, INT32_MAX)));
  repaint();
}

std::int32_t KelvoGaugeModel::GetPercentDone() const {
  return gaugePercentDone(properties_.minValue, properties_.maxValue, properties_.progress);
}

}  // namespace rizazovoz
