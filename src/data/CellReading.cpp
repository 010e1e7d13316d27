#include "CellReading.h"

#include <QDate>

namespace larkspin {

namespace {

constexpr int kBeyond = 1'000'000;

// The number a text of digits alone reads, held at kBeyond for longer numbers; -1 for an empty
// text or one with anything but digits.
int ReadDigits(std::string_view text) {
  if (text.empty()) return -1;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value < kBeyond ? value * 10 + (c - '0') : kBeyond;
  }
  return value < kBeyond ? value : kBeyond;
}

int ReadInRange(std::string_view text, int lowest, int highest, int none) {
  const int value = ReadDigits(text);
  return value >= lowest && value <= highest ? value : none;
}

}  // namespace

int ReadStrokes(std::string_view text) {
  return ReadInRange(text, 1, 30, 0);
}

int ReadPar(std::string_view text) {
  return ReadInRange(text, 3, 6, 0);
}

int ReadPutts(std::string_view text) {
  return ReadInRange(text, 0, 10, -1);
}

int ReadDrive(std::string_view text) {
  return ReadInRange(text, 1, 999, 0);
}

int ReadDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return kNoDate;
  const int year = ReadDigits(text.substr(0, 4));
  const int month = ReadDigits(text.substr(5, 2));
  const int day = ReadDigits(text.substr(8, 2));
  if (year < 0 || month < 0 || day < 0 || !QDate(year, month, day).isValid()) return kNoDate;
  return year * 10000 + month * 100 + day;
}

}  // namespace larkspin
