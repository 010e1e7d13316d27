#pragma once

#include <QDate>
#include <QString>

#include "ExchangeCommand.h"

class QIODevice;

namespace larkspin {

class CommandFolder;

// `larkspin --next-round COURSE`: what the next round on a rated course must be, as CSV on
// `output` (COURSE,RATING,SLOPE,COURSE_HANDICAP,LOWER,KEEP, see NextRoundTargetsFor), worked out
// as --handicap works out the record: under the folder's lock, refusing while a data file cannot
// be read in full. A course that is not rated is refused.
ExchangeOutcome RunNextRound(const QString& course, CommandFolder& folder, QDate today,
                             QIODevice& output);

}  // namespace larkspin
