#include "comms_form.h"

#include <QGroupBox>

#include "dashboard_form.h"

namespace rizazovoz {

TCommsForm::TCommsForm(TDashBoardForm& main, QWidget* parent)
    : OptionDialog("CommsForm", QStringLiteral("Comms"), 237, 172, parent), main_(main) {
  auto* group = new QGroupBox(QStringLiteral("Baud Rate"), this);
  group->setObjectName(QStringLiteral("BaudRateGroup"));
  group->setGeometry(24, 16, 185, 81);
  combo_ = new QComboBox(group);
  combo_->setObjectName(QStringLiteral("CommsBaudCombo"));
  combo_->setEditable(true);
  combo_->addItems({QStringLiteral("7812"), QStringLiteral("15625")});
  combo_->setGeometry(24, 32, 137, 26);
  combo_->setEditText(main_.BaudRateText());

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("ComsSelBtn"));
  ok->setGeometry(80, 120, 75, 27);
  ok->setDefault(true);

  connect(combo_, &QComboBox::editTextChanged, this, &TCommsForm::CommsBaudComboChange);
  connect(ok, &QPushButton::clicked, this, &TCommsForm::ComsSelBtnClick);
}

// While the user types, a text that is not (yet) a rate is simply not applied.
void TCommsForm::CommsBaudComboChange(const QString& text) { main_.SetBaudRate(text); }

void TCommsForm::ComsSelBtnClick() {
  const QString text = combo_->currentText();
  switch (main_.SetBaudRate(text)) {
    case BaudRateChange::kApplied:
      hide();
      return;
    case BaudRateChange::kNotAWholeNumber:
      return ShowError(NotAnIntegerText(text));
    case BaudRateChange::kNotABaudRate:
      return ShowError(QStringLiteral("'%1' is not a baud rate the interface can use").arg(text));
    case BaudRateChange::kRefused:
      return ShowError(QStringLiteral("The interface refused %1 baud; it stays at %2 baud")
                           .arg(text.trimmed(), main_.BaudRateText()));
  }
}

}  // namespace rizazovoz
