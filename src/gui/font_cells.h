#pragma once
// Fonts sized by their cell height (ascent plus descent, internal leading included), the way
// the dashboard lays its texts out, rather than by em size.
#include <QFont>

namespace rizazovoz {

// The sans-serif face every dashboard text uses.
QFont dashboardFont(bool bold = false);
// The default face and size of drawn texts: an 8-point sans-serif.
QFont defaultCanvasFont();
// The dashboard face with the largest pixel size whose cell is at most `cellHeight` pixels
// high; at least one pixel.
QFont fontWithCellHeight(int cellHeight, bool bold = false);

}  // namespace rizazovoz
