#pragma once

#include <QDate>
#include <string>
#include <vector>

#include "ScorecardLayout.h"

namespace larkspin {

struct HandicapRecord;

// The scoring record as a printed page: the Index and the day it was printed above the most
// recent 20 counted rounds, newest first, in the Handicap window's columns.
struct RecordLayout {
  std::string title;
  std::vector<CardFact> facts;
  std::vector<std::string> headings;
  std::vector<std::vector<std::string>> rows;
  std::vector<bool> numeric;  // by column: figures stand to the right
};

RecordLayout LayOutRecord(const HandicapRecord& record, QDate printed);

}  // namespace larkspin
