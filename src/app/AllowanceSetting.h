#pragma once

#include "PlayingHandicap.h"

class QSettings;

namespace larkspin {

// The format of play the golfer chose last, kept in the program's settings (never in the data
// folder): individual stroke play until one is chosen, or without settings.
Allowance ReadAllowance(const QSettings* settings);
void WriteAllowance(QSettings* settings, const Allowance& allowance);

}  // namespace larkspin
