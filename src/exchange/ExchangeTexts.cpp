#include "ExchangeTexts.h"

#include <algorithm>

namespace larkspin {

namespace {

std::string Count(std::size_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + ' ' + std::string(count == 1 ? one : many);
}

std::string_view Rows(ExchangeKind kind, std::size_t count) {
  if (kind == ExchangeKind::kRounds) return count == 1 ? "round" : "rounds";
  return count == 1 ? "course" : "courses";
}

std::string_view OrderName(DateOrder order) {
  return order == DateOrder::kDayFirst ? "day first" : "month first";
}

// "12 dates are read day first and written YYYY-MM-DD (17/05/2025 as 2025-05-17).", or why the
// dates in another form are kept as they are.
std::string DatesRead(const ImportPlan& plan) {
  const DateSurvey& dates = plan.dates;
  if (dates.others == 0) return {};
  const DateCell& example = dates.firstOther;
  if (plan.datesConverted > 0) {
    const bool one = plan.datesConverted == 1;
    std::string text = ' ' + Count(plan.datesConverted, "date", "dates") + (one ? " is" : " are");
    if (ReadingOf(dates) != DateReading::kEither) {
      text += " read " + std::string(OrderName(plan.datesRead)) + " and";
    }
    return text + " written YYYY-MM-DD (" + example.text + " as " +
           IsoDate(example.text, plan.datesRead).value_or("?") + ").";
  }
  std::string text = ' ' + Count(dates.others, "date is", "dates are") + " kept as written";
  if (ReadingOf(dates) != DateReading::kMixed) return text + '.';
  for (const DateCell* cell : {&dates.notDayFirst, &dates.notMonthFirst}) {
    if (!IsoDate(cell->text, DateOrder::kDayFirst) &&
        !IsoDate(cell->text, DateOrder::kMonthFirst)) {
      return text + ": line " + std::to_string(cell->line) + " (" + cell->text +
             ") is a date in no form Larkspin reads.";
    }
  }
  return text + ", as they do not all read one way: line " +
         std::to_string(dates.notMonthFirst.line) + " (" + dates.notMonthFirst.text +
         ") reads only day first, line " + std::to_string(dates.notDayFirst.line) + " (" +
         dates.notDayFirst.text + ") only month first.";
}

// The sentences about what is left out: rows without a course, columns not known; and about the
// dates.
std::string LeftOut(const ImportPlan& plan) {
  std::string text;
  if (plan.rowsWithoutCourse > 0) {
    text += ' ' + Count(plan.rowsWithoutCourse, "row", "rows") + " without a course " +
            (plan.rowsWithoutCourse == 1 ? "is" : "are") + " left out.";
  }
  if (!plan.columnsNotImported.empty()) {
    // A name or ten are read; a thousand would only hide the rest of the message.
    constexpr std::size_t kNamed = 10;
    const std::size_t count = plan.columnsNotImported.size();
    text += " Columns not imported: ";
    for (std::size_t i = 0; i < std::min(count, kNamed); ++i) {
      if (i > 0) text += ", ";
      text += plan.columnsNotImported[i];
    }
    if (count > kNamed) text += " and " + std::to_string(count - kNamed) + " more";
    text += '.';
  }
  return text + DatesRead(plan);
}

}  // namespace

std::string ImportQuestion(ExchangeKind kind, const ImportPlan& plan, std::size_t rows,
                           std::string_view fileName) {
  std::string text = "Import " + std::to_string(rows) + ' ' + std::string(Rows(kind, rows)) +
                     " from " + std::string(fileName) + '?';
  if (plan.duplicates > 0) {
    const bool one = plan.duplicates == 1;
    text += ' ' + std::to_string(plan.duplicates) + " of them " + (one ? "has" : "have");
    if (kind == ExchangeKind::kRounds) {
      text += one ? " the same course and date as a round already in the list."
                  : " the same course and date as rounds already in the list.";
    } else {
      text += one ? " the same name as a course already in the list."
                  : " the same name as courses already in the list.";
    }
  }
  return text + LeftOut(plan);
}

std::string NothingToImport(ExchangeKind kind, const ImportPlan& plan, std::string_view fileName) {
  return std::string(fileName) + " holds no " + std::string(Rows(kind, 0)) + " to import." +
         LeftOut(plan);
}

std::string DescribeCsvProblem(const CsvProblem& problem, std::string_view file) {
  std::string text(file);
  if (problem.line > 0) text += ", line " + std::to_string(problem.line);
  if (problem.column > 0) {
    text += ", column " + std::to_string(problem.column);
    if (!problem.columnName.empty()) text += " (" + problem.columnName + ')';
  }
  return text + ": " + problem.reason + '.';
}

std::string ImportSummary(ExchangeKind kind, const ImportPlan& plan, std::size_t imported,
                          bool skippedDuplicates, std::string_view fileName) {
  std::string text = std::to_string(imported) + ' ' + std::string(Rows(kind, imported)) +
                     " imported from " + std::string(fileName) + '.';
  if (plan.duplicates > 0) {
    text += ' ' + Count(plan.duplicates, "duplicate", "duplicates") +
            (skippedDuplicates ? " skipped." : " added.");
  }
  return text + LeftOut(plan);
}

std::string DateQuestion(const ImportPlan& plan, std::string_view fileName) {
  const DateCell& example = plan.dates.firstAmbiguous;
  return "The dates of " + std::string(fileName) +
         " read both day first and month first: " + example.text + " is " +
         IsoDate(example.text, DateOrder::kDayFirst).value_or("?") + " day first, " +
         IsoDate(example.text, DateOrder::kMonthFirst).value_or("?") +
         " month first. How are they written?";
}

std::optional<CsvProblem> DatesNotRead(const ImportPlan& plan, DateOrder order) {
  const DateCell& cell =
      order == DateOrder::kDayFirst ? plan.dates.notDayFirst : plan.dates.notMonthFirst;
  if (order == DateOrder::kAsWritten || cell.line == 0) return std::nullopt;
  return CsvProblem{cell.line,
                    0,
                    {},
                    "the date " + cell.text + " does not read " + std::string(OrderName(order))};
}

}  // namespace larkspin
