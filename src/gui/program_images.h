#pragma once
// The program's own pictures, compiled in: the logo on the dashboard and the window icon.
#include <QIcon>
#include <QPixmap>

namespace rizazovoz {

QPixmap ProgramLogo();  // 89 x 49
QIcon ProgramIcon();

}  // namespace rizazovoz
