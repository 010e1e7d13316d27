#include "NextRoundCommand.h"

#include "CommandFolder.h"
#include "CourseStrokes.h"
#include "CsvWriter.h"
#include "HandicapBooks.h"
#include "HandicapCourse.h"
#include "NextRound.h"
#include "Tenths.h"

namespace larkspin {

namespace {

std::string Number(std::optional<int> number) {
  return number ? std::to_string(*number) : std::string();
}

}  // namespace

ExchangeOutcome RunNextRound(const QString& course, CommandFolder& folder, QDate today,
                             QIODevice& output) {
  if (auto problem = folder.Open()) return {1, {}, std::move(*problem)};
  HandicapBooks books(folder);
  if (auto unread = books.Load()) return {1, {}, *unread + " Nothing was worked out."};
  const std::string name = course.toStdString();
  const HandicapCourse found =
      LookUpHandicapCourse(name, books.courses.Table(), books.ratings.Table());
  if (!found.hasPars || !found.rating) {
    return {1,
            {},
            "\"" + name +
                "\" is not a rated course: it needs its 18 pars in courses.dat "
                "and its ratings in ratings.dat."};
  }
  const NextRoundTargets targets = NextRoundTargetsFor(
      name, books.rounds.Table(), books.courses.Table(), books.ratings.Table(), today);
  const auto strokes =
      CourseStrokesFor(name, books.courses.Table(), books.ratings.Table(), targets.indexTenths);
  std::string csv(kUtf8ByteOrderMark);
  csv += "COURSE,RATING,SLOPE,COURSE_HANDICAP,LOWER,KEEP\r\n";
  AppendCsvField(csv, name);
  csv.append(",").append(TenthsText(found.rating->ratingTenths));
  csv.append(",").append(std::to_string(found.rating->slope));
  csv.append(",").append(strokes ? std::to_string(strokes->courseHandicap) : std::string());
  csv.append(",").append(Number(targets.lower));
  csv.append(",").append(Number(targets.keep)).append("\r\n");
  return ExportCsv(
      QStringLiteral("-"), folder, [&csv](const ByteSink& sink) { return sink(csv); }, output);
}

}  // namespace larkspin
