#include "help_form.h"

#include <QDesktopServices>
#include <QLabel>
#include <QUrl>

#include "font_cells.h"
#include "program_images.h"

namespace rizazovoz {
namespace {

QLabel* addText(QWidget* parent, const char* name, const QString& text, int x, int y,
                int cellHeight, const char* color) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(fontWithCellHeight(cellHeight));
  label->setStyleSheet(QStringLiteral("color: %1;").arg(QString::fromLatin1(color)));
  label->move(x, y);
  label->adjustSize();
  return label;
}

}  // namespace

THelpForm::THelpForm(std::optional<std::filesystem::path> manual, QWidget* parent)
    : OptionDialog("HelpForm", QStringLiteral("Help"), 405, 334, parent),
      manual_(std::move(manual)) {
  setAutoFillBackground(true);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);

  addText(this, "TitleLabel", QStringLiteral("Ostrand Engine Management"), 16, 24, 24, "red");
  auto* logo = new QLabel(this);
  logo->setObjectName(QStringLiteral("LogoImage"));
  logo->setPixmap(ProgramLogo());
  logo->setScaledContents(true);
  logo->setGeometry(128, 64, 105, 57);
  addText(this, "Label1", QStringLiteral("The Help file for RizazOvoz can be located "), 16, 144,
          19, "white");
  addText(this, "Label2", QStringLiteral("in the folder 'RizazOvoz/help'"), 16, 168, 19, "white");
  addText(this, "VersionLabel", QStringLiteral("RizazOvoz v1.4"), 120, 200, 16, "red");

  auto* open = new QPushButton(QStringLiteral("&Open Manual"), this);
  open->setObjectName(QStringLiteral("OpenManualBtn"));
  open->setGeometry(16, 256, 110, 27);
  if (manual_) {
    open->setToolTip(QString::fromStdString(manual_->string()));
  } else {
    open->setEnabled(false);
    open->setToolTip(QStringLiteral("The manual is not installed beside the program"));
  }
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setObjectName(QStringLiteral("CloseBtn"));
  close->setGeometry(144, 256, 75, 27);
  close->setDefault(true);

  connect(open, &QPushButton::clicked, this, &THelpForm::OpenManualBtnClick);
  connect(close, &QPushButton::clicked, this, &QWidget::hide);
}

void THelpForm::OpenManualBtnClick() {
  if (!manual_) return;
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(manual_->string())))) {
    ShowError(QStringLiteral("No program to open %1 was found; open it in a web browser.")
                  .arg(QString::fromStdString(manual_->string())));
  }
}

}  // namespace rizazovoz
