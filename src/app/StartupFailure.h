#pragma once

#include <QString>

namespace larkspin {

// A start that cannot go on (an unusable data folder): `message` goes to standard error and, for
// the window's start (`inBox`) when the program can show windows, into a box too, since a program
// started from the desktop menu has nobody reading its standard error. The status the program
// ends with: 1, as for every file or folder that cannot be used (2 is for command-line mistakes).
int TellStartupFailure(int& argc, char** argv, const QString& message, bool inBox);

}  // namespace larkspin
