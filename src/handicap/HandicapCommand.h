#pragma once

#include <QDate>
#include <QString>

#include "ExchangeCommand.h"

class QIODevice;

namespace larkspin {

class CommandFolder;

// `larkspin --handicap FILE`: the scoring record as CSV (see WriteHandicapCsv), worked out from
// lks.dat, courses.dat and ratings.dat in `folder` with `today` from the clock, as an export
// runs (see RunExchange): under the folder's lock, refusing while a data file cannot be read in
// full, written atomically to `file` or to `output` for "-", never over the folder's own files.
ExchangeOutcome RunHandicapExport(const QString& file, CommandFolder& folder, QDate today,
                                  QIODevice& output);

}  // namespace larkspin
