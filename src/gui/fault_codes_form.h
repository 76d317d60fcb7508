#pragma once
// The fault code viewer: current faults on the left, stored ones on the right, in the
// connected ECU's own words, refreshed ten times a second from the live fault bytes. The
// lists can be selected and copied into a job sheet.
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTimer>
#include <string_view>

#include "livedata/fault_code_report.h"
#include "livedata/live_values.h"

namespace rizazovoz {

class TFaultCodesForm final : public QMainWindow {
  Q_OBJECT

 public:
  // `values` are the main window's live values.
  TFaultCodesForm(const LiveValues& values, QWidget* parent);

  // From the identity handling: the ECU's texts, and the refresh starts.
  void SetIdentity(std::string_view identity);
  void Present();
  void Timer1Timer();

 private:
  const LiveValues& values_;
  FaultCodeReport report_;
  QPlainTextEdit* current_ = nullptr;
  QPlainTextEdit* stored_ = nullptr;
  QTimer* timer_ = nullptr;
};

}  // namespace rizazovoz
