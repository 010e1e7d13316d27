#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "CsvImport.h"
#include "CsvReader.h"

namespace larkspin {

// What is exchanged: rounds or courses, for the texts that name them.
enum class ExchangeKind { kRounds, kCourses };

inline constexpr std::string_view kExportRoundsTitle = "Export Rounds";
inline constexpr std::string_view kExportCoursesTitle = "Export Courses";
inline constexpr std::string_view kImportRoundsTitle = "Import Rounds";
inline constexpr std::string_view kImportCoursesTitle = "Import Courses";
inline constexpr std::string_view kImportAllButton = "Import All";
inline constexpr std::string_view kSkipDuplicatesButton = "Skip Duplicates";
inline constexpr std::string_view kCancelButton = "Cancel";
inline constexpr std::string_view kNothingImported = "Nothing was imported.";
inline constexpr std::string_view kDayFirstButton = "Day first";
inline constexpr std::string_view kMonthFirstButton = "Month first";
inline constexpr std::string_view kKeepAsWrittenButton = "Keep as written";

// The question before an import, for example "Import 120 rounds from golf.csv? 3 of them have
// the same course and date as rounds already in the list. Columns not imported: Notes."
std::string ImportQuestion(ExchangeKind kind, const ImportPlan& plan, std::size_t rows,
                           std::string_view fileName);

// What an import of no rows tells instead of asking: "golf.csv holds no rounds to import." and
// the rows and columns left out.
std::string NothingToImport(ExchangeKind kind, const ImportPlan& plan, std::string_view fileName);

// "golf.csv, line 5, column 3 (S1): the cell holds a line break, ..."
std::string DescribeCsvProblem(const CsvProblem& problem, std::string_view file);

// The question for a file whose dates read both ways: "The dates of golf.csv read both day first
// and month first: 05/06/2025 is 2025-06-05 day first, 2025-05-06 month first. How are they
// written?"
std::string DateQuestion(const ImportPlan& plan, std::string_view fileName);

// Where the plan's dates do not read in `order`: the first such date, on its line.
std::optional<CsvProblem> DatesNotRead(const ImportPlan& plan, DateOrder order);

// "120 rounds imported from golf.csv; 3 duplicates skipped." and what was left out.
std::string ImportSummary(ExchangeKind kind, const ImportPlan& plan, std::size_t imported,
                          bool skippedDuplicates, std::string_view fileName);

}  // namespace larkspin
