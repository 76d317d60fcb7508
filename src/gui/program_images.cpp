#include "program_images.h"

#include <QString>

// Resources compiled into a static library are registered by hand, outside any namespace.
static void RegisterProgramImages() { Q_INIT_RESOURCE(resources); }

namespace rizazovoz {
namespace {

void EnsureRegistered() {
  static const bool registered = (RegisterProgramImages(), true);
  (void)registered;
}

}  // namespace

QPixmap ProgramLogo() {
  EnsureRegistered();
  return QPixmap(QStringLiteral(":/rizazovoz/logo.png"));
}

QIcon ProgramIcon() {
  EnsureRegistered();
  return QIcon(QStringLiteral(":/rizazovoz/icon.png"));
}

}  // namespace rizazovoz
