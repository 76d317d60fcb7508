#pragma once
// The units dialog: degrees Fahrenheit or Celsius, KPH or MPH. A click on a unit applies it
// at once; Close applies what the buttons show and hides the dialog.
#include <QPushButton>
#include <QRadioButton>

#include "option_dialog.h"

namespace rizazovoz {

class TDashBoardForm;

class TUnitsSelForm final : public OptionDialog {
  Q_OBJECT

 public:
  TUnitsSelForm(TDashBoardForm& main, QWidget* parent);

  void UnitsSelectBtnClick();

 private:
  TDashBoardForm& main_;
  QRadioButton* tempF_ = nullptr;
  QRadioButton* tempC_ = nullptr;
  QRadioButton* kph_ = nullptr;
  QRadioButton* mph_ = nullptr;
};

}  // namespace rizazovoz
