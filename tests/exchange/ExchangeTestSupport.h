#pragma once

// Planning imports from CSV bytes held in memory.

#include <QBuffer>
#include <QByteArray>
#include <string>
#include <string_view>
#include <vector>

#include "CsvImport.h"
#include "CsvWriter.h"
#include "support/Rounds.h"

namespace larkspin::testing {

inline RoundImportPlan PlanRounds(std::string_view csv, const RoundTable& table) {
  QByteArray bytes(csv.data(), static_cast<qsizetype>(csv.size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  return PlanRoundImport(buffer, table);
}

inline CourseImportPlan PlanCourses(std::string_view csv, const CourseTable& table) {
  QByteArray bytes(csv.data(), static_cast<qsizetype>(csv.size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  return PlanCourseImport(buffer, table);
}

// The rows a plan would put on top of an empty table, described as DescribeRows does.
inline std::vector<std::string> DescribePlannedRounds(RoundImportPlan plan) {
  RoundTable table;
  table.InsertRowsAtTop(TakeRowsToImport(plan, false));
  return DescribeRows(table);
}

// Rounds as a table, the first on top.
inline void FillTable(RoundTable& table, const std::vector<RoundRecord>& rounds) {
  for (auto round = rounds.rbegin(); round != rounds.rend(); ++round)
    table.InsertRow(0, *round);
}

inline std::string RoundsCsv(const RoundTable& table) {
  std::string csv;
  WriteRoundsCsv(table, [&csv](std::string_view piece) {
    csv.append(piece);
    return true;
  });
  return csv;
}

inline std::string CoursesCsv(const CourseTable& table) {
  std::string csv;
  WriteCoursesCsv(table, [&csv](std::string_view piece) {
    csv.append(piece);
    return true;
  });
  return csv;
}

}  // namespace larkspin::testing
