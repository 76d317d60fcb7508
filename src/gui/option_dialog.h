#pragma once
// What the option dialogs share: a fixed-size window, shown without being modal and hidden
// by its own button, that keeps its controls between showings; and the error box for a text
// that cannot be used.
#include <QDialog>
#include <QString>

namespace rizazovoz {

class OptionDialog : public QDialog {
  Q_OBJECT

 public:
  OptionDialog(const char* objectName, const QString& caption, int width, int height,
               QWidget* parent);

  // Shows the dialog, or brings it to the front when it is shown already.
  void Present();

 protected:
  // The application's error box; the dialog stays open.
  void ShowError(const QString& text);
};

// "'abc' is not a valid integer value"
QString NotAnIntegerText(const QString& typed);

}  // namespace rizazovoz
