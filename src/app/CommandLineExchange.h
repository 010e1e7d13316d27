#pragma once

#include <QString>

#include "ExchangeCommand.h"

namespace larkspin {

// Runs an export or import of the command line (see RunExchange, RunHandicapExport) on standard
// input and output, telling what went wrong on standard error. Needs no display. Returns the exit
// status.
int RunCommandLineExchange(const ExchangeRequest& request, const QString& dataDir);

}  // namespace larkspin
