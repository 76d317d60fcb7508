#include "units_sel_form.h"

#include <QGroupBox>

#include "dashboard_form.h"

namespace rizazovoz {
namespace {

QGroupBox* addGroup(QWidget* parent, const char* name, const QString& caption, int x) {
  auto* group = new QGroupBox(caption, parent);
  group->setObjectName(QString::fromLatin1(name));
  group->setGeometry(x, 16, 137, 161);
  // "Select" does nothing: the radio buttons apply their unit themselves.
  auto* select = new QPushButton(QStringLiteral("Select"), group);
  select->setObjectName(QString::fromLatin1(name) + QStringLiteral("SelectBtn"));
  select->setGeometry(32, 112, 75, 27);
  return group;
}

QRadioButton* addRadio(QGroupBox* group, const char* name, const QString& caption, int y) {
  auto* radio = new QRadioButton(caption, group);
  radio->setObjectName(QString::fromLatin1(name));
  radio->setGeometry(24, y, 100, 22);
  return radio;
}

}  // namespace

TUnitsSelForm::TUnitsSelForm(TDashBoardForm& main, QWidget* parent)
    : OptionDialog("UnitsSelForm", QStringLiteral("Units"), 329, 260, parent), main_(main) {
  QGroupBox* temperature = addGroup(this, "TempGroup", QStringLiteral("Temperature"), 16);
  tempF_ = addRadio(temperature, "TempF_RB", QStringLiteral("degs F"), 32);
  tempC_ = addRadio(temperature, "TempC_RB", QStringLiteral("degs C"), 64);
  QGroupBox* speed = addGroup(this, "SpeedGroup", QStringLiteral("Speed"), 176);
  kph_ = addRadio(speed, "KPK_RB", QStringLiteral("KPH"), 32);
  mph_ = addRadio(speed, "MPH_RB", QStringLiteral("MPH"), 64);
  // At start-up, whatever the settings hold.
  tempC_->setChecked(true);
  mph_->setChecked(true);

  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setObjectName(QStringLiteral("UnitsSelectBtn"));
  close->setGeometry(127, 200, 75, 27);
  close->setDefault(true);

  connect(tempF_, &QRadioButton::clicked, this,
          [this] { main_.ApplyTemperatureUnit(QStringLiteral("F")); });
  connect(tempC_, &QRadioButton::clicked, this,
          [this] { main_.ApplyTemperatureUnit(QStringLiteral("C")); });
  connect(kph_, &QRadioButton::clicked, this,
          [this] { main_.ApplySpeedUnit(QStringLiteral("KPH")); });
  connect(mph_, &QRadioButton::clicked, this,
          [this] { main_.ApplySpeedUnit(QStringLiteral("MPH")); });
  connect(close, &QPushButton::clicked, this, &TUnitsSelForm::UnitsSelectBtnClick);
}

void TUnitsSelForm::UnitsSelectBtnClick() {
  main_.ApplyTemperatureUnit(tempF_->isChecked() ? QStringLiteral("F") : QStringLiteral("C"));
  main_.ApplySpeedUnit(mph_->isChecked() ? QStringLiteral("MPH") : QStringLiteral("KPH"));
  hide();
}

}  // namespace rizazovoz
