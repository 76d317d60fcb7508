#include "font_cells.h"

#include <QFontMetrics>
#include <QHash>

namespace rizazovoz {

QFont dashboardFont(bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setBold(bold);
  return font;
}

QFont defaultCanvasFont() {
  QFont font = dashboardFont();
  font.setPointSize(8);
  return font;
}

QFont fontWithCellHeight(int cellHeight, bool bold) {
  // The search runs once per height; every dial repaint asks for the same few heights.
  static QHash<int, int> pixelSizes[2];
  QFont font = dashboardFont(bold);
  QHash<int, int>& cache = pixelSizes[bold ? 1 : 0];
  if (auto found = cache.constFind(cellHeight); found != cache.constEnd()) {
    font.setPixelSize(*found);
    return font;
  }
  int size = cellHeight > 1 ? cellHeight : 1;
  for (; size > 1; --size) {
    font.setPixelSize(size);
    if (QFontMetrics(font).height() <= cellHeight) break;
  }
  font.setPixelSize(size);
  cache.insert(cellHeight, size);
  return font;
}

}  // namespace rizazovoz
