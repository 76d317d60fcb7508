#pragma once
// A small window with the connected ECU's identity: the four hexadecimal digits every
// ECU-specific table depends on. "0000" until the first ECU names itself.
#include <QLineEdit>
#include <QMainWindow>
#include <string_view>

namespace rizazovoz {

class TECUIDForm final : public QMainWindow {
  Q_OBJECT

 public:
  explicit TECUIDForm(QWidget* parent);

  void SetIdentity(std::string_view identity);
  void Present();

 private:
  QLineEdit* identity_ = nullptr;
};

}  // namespace rizazovoz
