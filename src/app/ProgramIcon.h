#pragma once

#include <QIcon>

namespace larkspin {

// The program's icon for its windows and boxes, in every size the desktop asks for.
QIcon ProgramIcon();

}  // namespace larkspin
