#pragma once
// The comms dialog: the baud rate, from a list or typed. Every change of the text is handed
// to the main window at once (the open device switches); OK hands it over once more and
// hides the dialog, or says why the text cannot be used and stays.
#include <QComboBox>
#include <QPushButton>

#include "option_dialog.h"

namespace rizazovoz {

class TDashBoardForm;

class TCommsForm final : public OptionDialog {
  Q_OBJECT

 public:
  TCommsForm(TDashBoardForm& main, QWidget* parent);

  void CommsBaudComboChange(const QString& text);
  void ComsSelBtnClick();

 private:
  TDashBoardForm& main_;
  QComboBox* combo_ = nullptr;
};

}  // namespace rizazovoz
