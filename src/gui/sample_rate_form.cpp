#include "sample_rate_form.h"

#include <QLabel>
#include <QPushButton>

#include "dashboard_form.h"
#include "font_cells.h"
#include "text/integer_text.h"

namespace rizazovoz {

TSampleRateForm::TSampleRateForm(TDashBoardForm& main, QWidget* parent)
    : OptionDialog("SampleRateForm", QStringLiteral("Sample Rate"), 252, 149, parent), main_(main) {
  // Small enough for the longer line to fit the dialog's width.
  const QFont adviceFont = fontWithCellHeight(13);
  auto* advice1 = new QLabel(QStringLiteral("Increase value to reduce bad data errors"), this);
  advice1->setObjectName(QStringLiteral("Label1"));
  advice1->setFont(adviceFont);
  advice1->setGeometry(8, 8, 240, 18);
  auto* advice2 = new QLabel(QStringLiteral("Reduce value to improve refresh rate"), this);
  advice2->setObjectName(QStringLiteral("Label2"));
  advice2->setFont(adviceFont);
  advice2->setGeometry(8, 28, 240, 18);

  combo_ = new QComboBox(this);
  combo_->setObjectName(QStringLiteral("SampleRateCB"));
  combo_->setEditable(true);
  combo_->addItems({QStringLiteral("50"), QStringLiteral("75"), QStringLiteral("100"),
                    QStringLiteral("150"), QStringLiteral("200"), QStringLiteral("250"),
                    QStringLiteral("500")});
  combo_->setEditText(QStringLiteral("100"));  // whatever the stored interval is
  combo_->setGeometry(56, 56, 97, 26);
  auto* unit = new QLabel(QStringLiteral("(ms)"), this);
  unit->setObjectName(QStringLiteral("Label3"));
  unit->setGeometry(160, 60, 40, 18);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("SampleRateBtn"));
  ok->setGeometry(88, 104, 75, 27);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &TSampleRateForm::SampleRateBtnClick);
}

void TSampleRateForm::SampleRateBtnClick() {
  const QString text = combo_->currentText();
  const std::optional<std::int32_t> milliseconds = parseInteger(text.toStdString());
  if (!milliseconds) return ShowError(NotAnIntegerText(text));
  // The main window raises an interval the poller cannot keep to the shortest it can.
  combo_->setEditText(QString::number(main_.SetSampleInterval(*milliseconds)));
  hide();
}

}  // namespace rizazovoz
