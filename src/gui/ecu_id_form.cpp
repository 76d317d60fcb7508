#include "ecu_id_form.h"

#include <QLabel>

#include "font_cells.h"

namespace rizazovoz {

TECUIDForm::TECUIDForm(QWidget* parent) : QMainWindow(parent, Qt::Window) {
  setObjectName(QStringLiteral("ECUIDForm"));
  setWindowTitle(QStringLiteral("ECU ID"));
  auto* area = new QWidget(this);
  area->setFixedSize(200, 96);
  area->setAutoFillBackground(true);
  QPalette palette = area->palette();
  palette.setColor(QPalette::Window, Qt::black);
  palette.setColor(QPalette::WindowText, Qt::white);
  area->setPalette(palette);
  auto* caption = new QLabel(QStringLiteral("ECU ID"), area);
  caption->setObjectName(QStringLiteral("ECUIDL"));
  caption->setFont(fontWithCellHeight(19));
  caption->setGeometry(16, 12, 168, 24);
  identity_ = new QLineEdit(QStringLiteral("0000"), area);
  identity_->setObjectName(QStringLiteral("IDEB"));
  identity_->setGeometry(16, 48, 168, 28);
  setCentralWidget(area);
}

void TECUIDForm::SetIdentity(std::string_view identity) {
  identity_->setText(QString::fromUtf8(identity.data(), static_cast<qsizetype>(identity.size())));
}

void TECUIDForm::Present() {
  show();
  raise();
  activateWindow();
}

}  // namespace rizazovoz
