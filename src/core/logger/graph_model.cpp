#include "logger/graph_model.h"

#include <algorithm>

namespace rizazovoz {

GraphModel::GraphModel(std::int32_t gridSize) : gridSize_(gridSize) {
  steps_.reserve(kRememberedSteps);
}

std::int32_t GraphModel::GridPhase() const {
  if (gridSize_ <= 0) return 0;
  return static_cast<std::int32_t>((updates_ * kStepSize) % static_cast<std::uint64_t>(gridSize_));
}

void GraphModel::DataPoint(std::uint32_t colour, std::int32_t value) {
  filling_.push_back({colour, value});
}

void GraphModel::Update() {
  ++updates_;
  if (steps_.size() < kRememberedSteps) {
    steps_.push_back(std::move(filling_));
  } else {
    steps_[oldest_].swap(filling_);  // the forgotten step's storage is filled next
    oldest_ = (oldest_ + 1) % kRememberedSteps;
  }
  filling_.clear();

  std::int64_t largest = 0;
  for (const Step& step : steps_) {
    for (const Point& point : step) largest = std::max<std::int64_t>(largest, point.value);
  }
  scale_ = (largest + kGradient - 1) / kGradient * kGradient;
}

std::vector<std::optional<std::int32_t>> GraphModel::Trace(std::uint32_t colour) const {
  std::vector<std::optional<std::int32_t>> trace;
  trace.reserve(steps_.size());
  for (std::size_t i = 0; i < steps_.size(); ++i) {
    const Step& step = steps_[(oldest_ + i) % steps_.size()];
    std::optional<std::int32_t> value;
    for (const Point& point : step) {
      if (point.colour == colour) value = point.value;
    }
    trace.push_back(value);
  }
  return trace;
}

double GraphModel::RowOf(std::int32_t value) const {
  const double scale = scale_ > 0 ? static_cast<double>(scale_) : 1.0;
  return kHeight - static_cast<double>(value) * kHeight / scale;
}

}  // namespace rizazovoz
