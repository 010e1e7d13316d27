#include "RecordLayout.h"

#include <algorithm>

#include "HandicapRecord.h"
#include "HandicapRules.h"
#include "HandicapText.h"
#include "Tenths.h"

namespace larkspin {

namespace {

std::string DateText(int yyyymmdd) {
  return QDate(yyyymmdd / 10000, yyyymmdd / 100 % 100, yyyymmdd % 100)
      .toString(Qt::ISODate)
      .toStdString();
}

}  // namespace

RecordLayout LayOutRecord(const HandicapRecord& record, QDate printed) {
  RecordLayout layout;
  layout.title = "Scoring record";
  layout.facts = {{"Handicap Index", IndexText(record.indexTenths)},
                  {"Printed", printed.toString(Qt::ISODate).toStdString()}};
  layout.headings = {"Date",   "Course", "Score",        "Adjusted",
                     "Rating", "Slope",  "Differential", "Used"};
  layout.numeric = {false, false, true, true, true, true, true, false};
  const std::size_t shown =
      std::min(record.counted.size(), static_cast<std::size_t>(kRecentDifferentials));
  for (std::size_t i = 0; i < shown; ++i) {
    const CountedRound& round = record.counted[record.counted.size() - 1 - i];
    layout.rows.push_back({DateText(round.date), std::string(round.course),
                           std::to_string(round.score), std::to_string(round.adjustedGross),
                           TenthsText(round.ratingTenths), std::to_string(round.slope),
                           TenthsText(round.differentialTenths), round.used ? "\u2713" : ""});
  }
  return layout;
}

}  // namespace larkspin
