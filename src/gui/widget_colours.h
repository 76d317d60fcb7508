#pragma once
// The program's windows draw their own colours (black backgrounds, silver read-outs), not the
// desktop theme's: a widget's background and text colour, also for edit boxes.
#include <QColor>
#include <QPalette>
#include <QWidget>

namespace rizazovoz {

inline const QColor kSilver(0xC0, 0xC0, 0xC0);

inline void setColours(QWidget* widget, const QColor& background, const QColor& text) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Base, background);
  palette.setColor(QPalette::Text, text);
  widget->setPalette(palette);
}

}  // namespace rizazovoz
