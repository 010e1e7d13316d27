#include "HandicapCsv.h"

#include "CsvWriter.h"
#include "Tenths.h"

namespace larkspin {

namespace {

void AppendDate(std::string& out, int date) {
  const auto two = [&out](int number) {
    out.push_back(static_cast<char>('0' + number / 10));
    out.push_back(static_cast<char>('0' + number % 10));
  };
  two(date / 1000000);
  two(date / 10000 % 100);
  out.push_back('-');
  two(date / 100 % 100);
  out.push_back('-');
  two(date % 100);
}

// What the rules did to a round: ESR-1.0 or ESR-2.0 for its exceptional score, SOFT or HARD for a
// cap on the Index after it, both joined by ";".
void AppendNote(std::string& out, const CountedRound& round) {
  if (round.exceptionalTenths > 0) out.append("ESR-").append(TenthsText(round.exceptionalTenths));
  if (round.cap == IndexCap::kNone) return;
  if (round.exceptionalTenths > 0) out.push_back(';');
  out.append(round.cap == IndexCap::kSoft ? "SOFT" : "HARD");
}

}  // namespace

bool WriteHandicapCsv(const HandicapRecord& record, const ByteSink& sink) {
  constexpr std::size_t kPieceSize = 1 << 20;
  std::string out(kUtf8ByteOrderMark);
  out += "DATE,COURSE,SCORE,ADJUSTED,RATING,SLOPE,DIFFERENTIAL,USED,INDEX,LOW,NOTE\r\n";
  for (const CountedRound& round : record.counted) {
    AppendDate(out, round.date);
    out.push_back(',');
    AppendCsvField(out, round.course);
    out.append(",").append(std::to_string(round.score));
    out.append(",").append(std::to_string(round.adjustedGross));
    out.append(",").append(TenthsText(round.ratingTenths));
    out.append(",").append(std::to_string(round.slope));
    out.append(",").append(TenthsText(round.differentialTenths));
    out.append(round.used ? ",Y," : ",,");
    if (round.indexTenths) out.append(TenthsText(*round.indexTenths));
    out.push_back(',');
    if (round.lowIndexTenths) out.append(TenthsText(*round.lowIndexTenths));
    out.push_back(',');
    AppendNote(out, round);
    out.append("\r\n");
    if (out.size() >= kPieceSize) {
      if (!sink(out)) return false;
      out.clear();
    }
  }
  return sink(out);
}

}  // namespace larkspin
