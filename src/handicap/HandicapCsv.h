#pragma once

#include "DiskFile.h"
#include "HandicapRecord.h"

namespace larkspin {

// Hands the scoring record as CSV to `sink`, in the form of the exports (a UTF-8 byte-order mark,
// RFC 4180, CR LF after every row): the header DATE,COURSE,SCORE,ADJUSTED,RATING,SLOPE,
// DIFFERENTIAL,USED,INDEX, then a row per counted round, oldest first. RATING has one decimal,
// DIFFERENTIAL is the one with its reductions, USED is "Y" for the differentials of the present
// Index, INDEX the Index after the round, empty before the third; numbers are plain ("-1.2").
// False when the sink fails.
bool WriteHandicapCsv(const HandicapRecord& record, const ByteSink& sink);

}  // namespace larkspin
