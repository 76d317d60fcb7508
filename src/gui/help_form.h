#pragma once
// The help window: where the user manual lies, and a button that opens it in the desktop's
// browser.
#include <QPushButton>
#include <filesystem>
#include <optional>

#include "option_dialog.h"

namespace rizazovoz {

class THelpForm final : public OptionDialog {
  Q_OBJECT

 public:
  // `manual`: the manual's first page, when it was found.
  THelpForm(std::optional<std::filesystem::path> manual, QWidget* parent);

  void OpenManualBtnClick();

 private:
  std::optional<std::filesystem::path> manual_;
};

}  // namespace rizazovoz
