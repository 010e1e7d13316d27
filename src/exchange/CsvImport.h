#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "CourseTable.h"
#include "CsvDates.h"
#include "CsvReader.h"
#include "PackedRound.h"
#include "RoundTable.h"

class QIODevice;

namespace larkspin {

// What importing a CSV file would do, worked out before anything changes.
struct ImportPlan {
  // Set when the file cannot be imported at all; then nothing else is.
  std::optional<CsvProblem> problem;
  // Columns the file has and the table does not, as the header row names them.
  std::vector<std::string> columnsNotImported;
  // Rows left out because their COURSE cell is empty.
  std::size_t rowsWithoutCourse = 0;
  // For each row to import: whether the table already has one with the same course and date
  // (a course: with the same name).
  std::vector<bool> duplicate;
  std::size_t duplicates = 0;
  // The rows' dates as the file writes them (see CsvDates.h), and how many ConvertDates() wrote
  // in Larkspin's form, read in which order.
  DateSurvey dates;
  std::size_t datesConverted = 0;
  DateOrder datesRead = DateOrder::kAsWritten;
};

// The rows to import in the file's order, which is the order they take above the table's rows.
struct RoundImportPlan : ImportPlan {
  std::vector<PackedRound> rows;
};
struct CourseImportPlan : ImportPlan {
  std::vector<CourseRecord> rows;
};

// Reads CSV (see CsvReader) from `csv` to its end. The first row names the columns, in any order
// and any case (see CsvColumns.h); a COURSE column is needed; columns not known are left out and
// named, columns missing leave their cells empty.
RoundImportPlan PlanRoundImport(QIODevice& csv, const RoundTable& table);
CourseImportPlan PlanCourseImport(QIODevice& csv, const CourseTable& table);

// Writes the rows' dates in Larkspin's form, read in `order`, and marks the rounds that became
// duplicates by it (a course's duplicates go by its name alone).
void ConvertDates(RoundImportPlan& plan, DateOrder order, const RoundTable& table);
void ConvertDates(CourseImportPlan& plan, DateOrder order);

// The plan's rows to put above the table's, all or those that are no duplicates; the plan is
// left without rows.
std::vector<PackedRound> TakeRowsToImport(RoundImportPlan& plan, bool skipDuplicates);
std::vector<CourseRecord> TakeRowsToImport(CourseImportPlan& plan, bool skipDuplicates);

}  // namespace larkspin
