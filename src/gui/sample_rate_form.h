#pragma once
// The sample rate dialog: the time between two requests to the ECU, in milliseconds. OK
// hands a whole number to the main window and hides the dialog; any other text is refused
// with a message and the dialog stays.
#include <QComboBox>

#include "option_dialog.h"

namespace rizazovoz {

class TDashBoardForm;

class TSampleRateForm final : public OptionDialog {
  Q_OBJECT

 public:
  TSampleRateForm(TDashBoardForm& main, QWidget* parent);

  void SampleRateBtnClick();

 private:
  TDashBoardForm& main_;
  QComboBox* combo_ = nullptr;
};

}  // namespace rizazovoz
