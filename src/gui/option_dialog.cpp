#include "option_dialog.h"

#include <QApplication>
#include <QMessageBox>

namespace rizazovoz {

OptionDialog::OptionDialog(const char* objectName, const QString& caption, int width, int height,
                           QWidget* parent)
    : QDialog(parent) {
  setObjectName(QString::fromLatin1(objectName));
  setWindowTitle(caption);
  setFixedSize(width, height);
  setModal(false);
}

void OptionDialog::Present() {
  show();
  raise();
  activateWindow();
}

void OptionDialog::ShowError(const QString& text) {
  QMessageBox::critical(this, QApplication::applicationName(), text);
}

QString NotAnIntegerText(const QString& typed) {
  return QStringLiteral("'%1' is not a valid integer value").arg(typed);
}

}  // namespace rizazovoz
