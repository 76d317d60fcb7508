#pragma once
// The folder chooser the logger opens from "Set Path": the mounted volumes above a folder
// tree; OK hands the chosen folder to whoever asked and hides the dialog. It never changes
// the program's working directory.
#include <QComboBox>
#include <QFileSystemModel>
#include <QTreeView>
#include <functional>

#include "option_dialog.h"

namespace rizazovoz {

class TSelDirForm final : public OptionDialog {
  Q_OBJECT

 public:
  explicit TSelDirForm(QWidget* parent);

  // Shows the dialog at `folder`; `chosen` gets the folder confirmed with OK.
  void Choose(const QString& folder, std::function<void(const QString&)> chosen);
  QString CurrentFolder() const;
  void SelDirBtnClick();

 private:
  void ShowDrive(int index);

  QComboBox* drives_ = nullptr;
  QTreeView* folders_ = nullptr;
  QFileSystemModel* model_ = nullptr;
  std::function<void(const QString&)> chosen_;
};

}  // namespace rizazovoz
