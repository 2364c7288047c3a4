#pragma once
// The program's icon, built into the program in every size the windows use.

#include <QIcon>

namespace lumivane {

QIcon program_icon();

}  // namespace lumivane
