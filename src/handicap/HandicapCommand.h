#pragma once

#include <QDate>
#include <QString>

#include "ExchangeCommand.h"

class QIODevice;

namespace larkspin {

// `larkspin --handicap FILE`: the scoring record as CSV (see WriteHandicapCsv), worked out from
// lks.dat, courses.dat and ratings.dat in `dataDir` with `today` from the clock, as an export
// runs (see RunExchange): under the folder's lock, refusing while a data file cannot be read in
// full, written atomically to `file` or to `output` for "-".
ExchangeOutcome RunHandicapExport(const QString& file, const QString& dataDir, QDate today,
                                  QIODevice& output);

}  // namespace larkspin
