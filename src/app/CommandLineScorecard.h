#pragma once

#include <QString>

#include "ExchangeCommand.h"

namespace larkspin {

// `larkspin --scorecard COURSE FILE.pdf`: the blank card of the course (see LoadBlankCard) drawn
// as the window's print preview draws it, at the local paper size, without a display, written
// atomically to the file, never over one of the folder's own. Returns the exit status, telling
// what went wrong on standard error.
int RunCommandLineScorecard(const ExchangeRequest& request, const QString& dataDir);

}  // namespace larkspin
