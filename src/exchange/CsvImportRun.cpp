#include "CsvImportRun.h"

#include <QFile>
#include <utility>

#include "CourseBook.h"
#include "CsvImport.h"
#include "DiskFile.h"
#include "RoundBook.h"

namespace larkspin {

namespace {

// How the plan's dates are to be read; none to import nothing (the dialogue was told why).
std::optional<DateOrder> SettleDates(ExchangeKind kind, const ImportPlan& plan,
                                     std::string_view shownName, ImportDialogue& dialogue) {
  if (const auto given = dialogue.DateOrderGiven()) {
    if (const auto problem = DatesNotRead(plan, *given)) {
      dialogue.Refuse(DescribeCsvProblem(*problem, shownName));
      return std::nullopt;
    }
    return given;
  }
  switch (ReadingOf(plan.dates)) {
    case DateReading::kNothing:
    case DateReading::kMixed:
      return DateOrder::kAsWritten;
    case DateReading::kMonthFirst:
      return DateOrder::kMonthFirst;
    case DateReading::kDayFirst:
    case DateReading::kEither:
      return DateOrder::kDayFirst;
    case DateReading::kAmbiguous:
      break;
  }
  return dialogue.ChooseDateOrder(kind, plan);
}

void ConvertDates(RoundImportPlan& plan, DateOrder order, const RoundBook& book) {
  ConvertDates(plan, order, book.Table());
}

void ConvertDates(CourseImportPlan& plan, DateOrder order, const CourseBook& /*book*/) {
  ConvertDates(plan, order);
}

template <typename Plan, typename Book>
bool Import(ExchangeKind kind, Plan plan, std::string_view shownName, Book& book,
            ImportDialogue& dialogue) {
  if (plan.problem) {
    dialogue.Refuse(DescribeCsvProblem(*plan.problem, shownName));
    return false;
  }
  const std::optional<DateOrder> dates = SettleDates(kind, plan, shownName, dialogue);
  if (!dates) return false;
  if (*dates != DateOrder::kAsWritten) ConvertDates(plan, *dates, book);
  if (plan.rows.empty()) {
    dialogue.TellNothing(kind, plan);
    return false;
  }
  const std::optional<bool> skipDuplicates = dialogue.Confirm(kind, plan);
  if (!skipDuplicates) return false;
  auto rows = TakeRowsToImport(plan, *skipDuplicates);
  const std::size_t imported = rows.size();
  // One step of the history: "Undo Import" takes every imported row out again.
  book.Import(std::move(rows));
  dialogue.Imported(kind, plan, imported, *skipDuplicates);
  return imported > 0;
}

}  // namespace

std::optional<std::string> OpenCsvToImport(const QString& path, std::string_view shownName,
                                           QFile& file) {
  QString reason;
  const std::string name(shownName);
  switch (OpenRegularFile(path, file, reason)) {
    case FileReadResult::Outcome::kRead:
      return std::nullopt;
    case FileReadResult::Outcome::kMissing:
      return name + ": no such file.";
    case FileReadResult::Outcome::kNotRegular:
      return name + " is " + reason.toStdString() + ", not a file.";
    case FileReadResult::Outcome::kUnreadable:
      break;
  }
  return name + ": " + reason.toStdString() + '.';
}

bool ImportCsv(QIODevice& csv, std::string_view shownName, RoundBook& book,
               ImportDialogue& dialogue) {
  return Import(ExchangeKind::kRounds, PlanRoundImport(csv, book.Table()), shownName, book,
                dialogue);
}

bool ImportCsv(QIODevice& csv, std::string_view shownName, CourseBook& book,
               ImportDialogue& dialogue) {
  return Import(ExchangeKind::kCourses, PlanCourseImport(csv, book.Table()), shownName, book,
                dialogue);
}

}  // namespace larkspin
