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

}  // namespace

bool WriteHandicapCsv(const HandicapRecord& record, const ByteSink& sink) {
  constexpr std::size_t kPieceSize = 1 << 20;
  std::string out(kUtf8ByteOrderMark);
  out += "DATE,COURSE,SCORE,ADJUSTED,RATING,SLOPE,DIFFERENTIAL,USED,INDEX\r\n";
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
    out.append("\r\n");
    if (out.size() >= kPieceSize) {
      if (!sink(out)) return false;
      out.clear();
    }
  }
  return sink(out);
}

}  // namespace larkspin
