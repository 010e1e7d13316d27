#include "CellReading.h"

#include <QDate>

namespace larkspin {

int ReadDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return kNoDate;
  using cell_reading::ReadDigits;
  const int year = ReadDigits(text.substr(0, 4));
  const int month = ReadDigits(text.substr(5, 2));
  const int day = ReadDigits(text.substr(8, 2));
  if (year < 0 || month < 0 || day < 0 || !QDate(year, month, day).isValid()) return kNoDate;
  return year * 10000 + month * 100 + day;
}

}  // namespace larkspin
