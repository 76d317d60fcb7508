#pragma once
// Draws the dial's picture from a copy of its state, so that a paint never reads the live
// properties and the same picture can be drawn on any canvas.
#include "gauge/gauge_canvas.h"
#include "gauge/kelvo_gauge_model.h"

namespace rizazovoz {

struct GaugeSnapshot {
  GaugeProperties properties;
  int width = 120;
  int height = 120;
  GaugeColor color;  // the control's own background (its parent's colour), outside the face
};

// The client area, shrunk by one pixel on every side for bsSingle.
GaugeRect gaugePaintRect(TFormBorderStyle borderStyle, int width, int height);

// Draws the whole control, (0, 0) to (width, height): black, then the kind's picture inside the
// paint rectangle. The backend composes it off-screen and shows it in one copy, so the dial
// does not flicker while it is updated with every sample.
void paintGauge(const GaugeSnapshot& snapshot, GaugeCanvas& canvas);

}  // namespace rizazovoz
