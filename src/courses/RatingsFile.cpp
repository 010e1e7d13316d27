#include "RatingsFile.h"

#include "RecordFile.h"

namespace larkspin {

namespace {

constexpr std::array<std::string_view, kRatingColumns> kRatingsFileKeys = {
    "COURSE", "RATING", "SLOPE", "SI1",  "SI2",  "SI3",  "SI4",  "SI5",  "SI6",  "SI7", "SI8",
    "SI9",    "SI10",   "SI11",  "SI12", "SI13", "SI14", "SI15", "SI16", "SI17", "SI18"};

int RatingsFileKeyCell(std::string_view key) {
  for (int cell = 0; cell < kRatingColumns; ++cell) {
    if (kRatingsFileKeys[cell] == key) return cell;
  }
  return -1;
}

}  // namespace

RatingsFileContents ParseRatingsFile(std::string_view text) {
  RecordFileContents<kRatingColumns> read =
      ParseRecordFile<kRatingColumns>(text, RatingsFileKeyCell);
  return RatingsFileContents{std::move(read.records), read.skipped};
}

std::string SerializeRatingsFile(const RatingsTable& table) {
  return SerializeRecordFile<kRatingColumns>(
      table.RowCount(), [&](int row) -> const RatingRecord& { return table.Row(row); },
      kRatingsFileKeys);
}

}  // namespace larkspin
