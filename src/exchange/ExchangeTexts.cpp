#include "ExchangeTexts.h"

namespace larkspin {

namespace {

std::string Count(std::size_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + ' ' + std::string(count == 1 ? one : many);
}

std::string_view Rows(ExchangeKind kind, std::size_t count) {
  if (kind == ExchangeKind::kRounds) return count == 1 ? "round" : "rounds";
  return count == 1 ? "course" : "courses";
}

// The sentences about what is left out: rows without a course, columns not known.
std::string LeftOut(const ImportPlan& plan) {
  std::string text;
  if (plan.rowsWithoutCourse > 0) {
    text += ' ' + Count(plan.rowsWithoutCourse, "row", "rows") + " without a course " +
            (plan.rowsWithoutCourse == 1 ? "is" : "are") + " left out.";
  }
  if (!plan.columnsNotImported.empty()) {
    text += " Columns not imported: ";
    for (std::size_t i = 0; i < plan.columnsNotImported.size(); ++i) {
      if (i > 0) text += ", ";
      text += plan.columnsNotImported[i];
    }
    text += '.';
  }
  return text;
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

}  // namespace larkspin
