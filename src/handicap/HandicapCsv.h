#pragma once

#include "DiskFile.h"
#include "HandicapRecord.h"

namespace larkspin {

// Hands the scoring record as CSV to `sink`, in the form of the exports (a UTF-8 byte-order mark,
// RFC 4180, CR LF after every row): the header DATE,COURSE,SCORE,ADJUSTED,RATING,SLOPE,
// DIFFERENTIAL,USED,INDEX,LOW,NOTE, then a row per counted round, oldest first. RATING has one
// decimal, DIFFERENTIAL is the one with its reductions, USED is "Y" for the differentials of the
// present Index, INDEX the Index after the round, empty before the third, LOW the Low Index it was
// held against, empty before the 20th; NOTE is ESR-1.0 or ESR-2.0 on a round whose exceptional
// score took that off, SOFT or HARD when a cap held its Index down, joined by ";" where both
// apply. Numbers are plain ("-1.2"). False when the sink fails.
bool WriteHandicapCsv(const HandicapRecord& record, const ByteSink& sink);

}  // namespace larkspin
