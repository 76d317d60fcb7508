#include "panel_status_bar.h"

namespace rizazovoz {

PanelStatusBar::PanelStatusBar(const std::vector<Panel>& panels, QWidget* parent)
    : QStatusBar(parent) {
  setSizeGripEnabled(false);
  for (std::size_t i = 0; i < panels.size(); ++i) {
    auto* label = new QLabel(panels[i].text, this);
    label->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
    label->setFixedWidth(panels[i].width);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setIndent(2);
    addWidget(label);
    labels_.push_back(label);
  }
}

void PanelStatusBar::setPanelText(int index, const QString& text) {
  if (index < 0 || index >= panelCount()) return;
  if (labels_[index]->text() != text) labels_[index]->setText(text);
}

QString PanelStatusBar::panelText(int index) const {
  if (index < 0 || index >= panelCount()) return {};
  return labels_[index]->text();
}

}  // namespace rizazovoz
