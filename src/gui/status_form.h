#pragma once
// The status flag viewer: each switch and output the connected ECU reports, by name, and
// its state in words, refreshed ten times a second from the live status bytes.
#include <QMainWindow>
#include <QTableWidget>
#include <QTimer>
#include <string_view>

#include "livedata/live_values.h"
#include "livedata/status_flag_report.h"

namespace rizazovoz {

class TStatusForm final : public QMainWindow {
  Q_OBJECT

 public:
  TStatusForm(const LiveValues& values, QWidget* parent);

  void SetIdentity(std::string_view identity);
  void Present();
  void StatusTimerTimer();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  const LiveValues& values_;
  StatusFlagReport report_;
  QTableWidget* grid_ = nullptr;
  QTimer* timer_ = nullptr;
};

}  // namespace rizazovoz
