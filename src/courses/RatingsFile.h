#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "RatingsTable.h"
#include "SkippedContent.h"

namespace larkspin {

inline constexpr char kRatingsFileName[] = "ratings.dat";

struct RatingsFileContents {
  std::vector<RatingRecord> ratings;  // in the order the file holds them
  SkippedContent skipped;             // what the reader passed over
};

// The records of a ratings.dat text (see FindDataFileText): "COURSE=" starts a record, then
// "RATING=", "SLOPE=" and "SI1=" to "SI18=", each value decoded on its own (see DecodeFileValue)
// and kept as it stands, valid or not. A record whose name is empty is left out.
RatingsFileContents ParseRatingsFile(std::string_view text);

// ratings.dat bytes for the table, in its order: the header line "CREATOR=LARKSP 1.0", then each
// record's "COURSE=", "RATING=", "SLOPE=" and "SI1=" to "SI18=" lines, an empty line between
// records, CR LF line ends. No ratings: no bytes at all.
std::string SerializeRatingsFile(const RatingsTable& table);

}  // namespace larkspin
