#pragma once
// A status bar of fixed-width text panels, numbered from 0 on the left.
#include <QLabel>
#include <QStatusBar>
#include <QString>
#include <vector>

namespace rizazovoz {

class PanelStatusBar final : public QStatusBar {
  Q_OBJECT

 public:
  struct Panel {
    int width;
    QString text;
  };

  PanelStatusBar(const std::vector<Panel>& panels, QWidget* parent = nullptr);

  void setPanelText(int index, const QString& text);
  QString panelText(int index) const;
  int panelCount() const { return static_cast<int>(labels_.size()); }

 private:
  std::vector<QLabel*> labels_;
};

}  // namespace rizazovoz
