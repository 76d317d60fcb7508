#include "sel_dir_form.h"

#include <QDir>
#include <QPushButton>
#include <QStorageInfo>

namespace rizazovoz {

TSelDirForm::TSelDirForm(QWidget* parent)
    : OptionDialog("SelDirForm", QStringLiteral("Select Directory"), 316, 278, parent) {
  drives_ = new QComboBox(this);
  drives_->setObjectName(QStringLiteral("DriveComboBox1"));
  drives_->setGeometry(8, 8, 300, 26);
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) continue;
    const QString name = volume.displayName() == volume.rootPath()
                             ? volume.rootPath()
                             : QStringLiteral("%1  (%2)").arg(volume.rootPath(), volume.displayName());
    drives_->addItem(name, volume.rootPath());
  }

  // The model reads folders on a thread of its own: the dialog never waits on the disk.
  model_ = new QFileSystemModel(this);
  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
  model_->setRootPath(QDir::rootPath());
  folders_ = new QTreeView(this);
  folders_->setObjectName(QStringLiteral("DirectoryListBox1"));
  folders_->setModel(model_);
  for (int column = 1; column < model_->columnCount(); ++column) folders_->hideColumn(column);
  folders_->setHeaderHidden(true);
  folders_->setGeometry(8, 40, 300, 190);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("SelDirBtn"));
  ok->setGeometry(120, 240, 75, 27);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &TSelDirForm::SelDirBtnClick);
  connect(drives_, &QComboBox::activated, this, &TSelDirForm::ShowDrive);
}

void TSelDirForm::Choose(const QString& folder, std::function<void(const QString&)> chosen) {
  chosen_ = std::move(chosen);
  const QModelIndex index = model_->index(QDir(folder).exists() ? folder : QDir::homePath());
  folders_->setCurrentIndex(index);
  folders_->scrollTo(index);
  Present();
}

QString TSelDirForm::CurrentFolder() const {
  const QModelIndex index = folders_->currentIndex();
  return index.isValid() ? model_->filePath(index) : QString();
}

void TSelDirForm::ShowDrive(int index) {
  const QString root = drives_->itemData(index).toString();
  const QModelIndex rootIndex = model_->index(root);
  folders_->setCurrentIndex(rootIndex);
  folders_->scrollTo(rootIndex);
  folders_->expand(rootIndex);
}

void TSelDirForm::SelDirBtnClick() {
  const QString folder = CurrentFolder();
  if (folder.isEmpty()) return;
  if (chosen_) chosen_(folder);
  hide();
}

}  // namespace rizazovoz
