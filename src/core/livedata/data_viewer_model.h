#pragma once
// What the data viewer shows: 25 captioned read-outs on two pages, either the raw byte of
// each of the 50 slots or named engineering values, and the captions of its two buttons.
// The window puts these texts on its controls; everything about them is decided here.
#include <array>
#include <string>
#include <string_view>

#include "livedata/live_values.h"

namespace rizazovoz {

inline constexpr int kViewerReadouts = 25;
using ViewerTexts = std::array<std::string, kViewerReadouts>;

// The connected ECU's sensor kinds, which name some read-outs: air flow "MAP", "VAF" or
// "MAF"; idle air "FLOW", "DC" or "POS"; EGR "FLOW" or "POS".
struct SensorKinds {
  std::string airflow;
  std::string idleAir;
  std::string egr;
};

class DataViewerModel {
 public:
  DataViewerModel();

  bool formatted() const { return formatted_; }
  int page() const { return page_; }  // 1 or 2
  // Both captions name what a click leads to.
  std::string_view modeButtonCaption() const { return formatted_ ? "Raw Data" : "Format Data"; }
  std::string_view pageButtonCaption() const { return page_ == 1 ? "Page2" : "Page1"; }
  bool modeButtonEnabled() const { return modeButtonEnabled_; }
  // The read-outs' captions as of the last re-caption ("0" ... "24" before the first).
  const ViewerTexts& captions() const { return captions_; }

  // Each of these is followed by a re-caption.
  void ToggleMode() { formatted_ = !formatted_; }
  void TogglePage();
  void SetMode(bool formatted) { formatted_ = formatted; }

  // Takes the connected ECU's kinds and captions every read-out for the mode and page. For
  // the identity "0000" the mode button is disabled until the next page click.
  void Recaption(const SensorKinds& kinds, std::string_view identityText);

  // The value texts for the mode and page, in the kinds of the last re-caption.
  ViewerTexts Values(const LiveValues& values, char decimalSeparator) const;

 private:
  bool formatted_ = true;
  int page_ = 1;
  bool modeButtonEnabled_ = true;
  SensorKinds kinds_;
  ViewerTexts captions_;
};

}  // namespace rizazovoz
