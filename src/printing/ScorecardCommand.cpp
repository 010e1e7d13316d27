#include "ScorecardCommand.h"

#include "CommandFolder.h"
#include "HandicapBooks.h"
#include "HandicapRecord.h"
#include "ScorecardCard.h"

namespace larkspin {

BlankCard LoadBlankCard(const QString& course, CommandFolder& folder, QDate today,
                        const Allowance& allowance) {
  if (auto problem = folder.Open()) return {std::nullopt, std::move(*problem)};
  HandicapBooks books(folder);
  if (auto unread = books.Load()) return {std::nullopt, *unread + " Nothing was printed."};
  const std::string name = course.toStdString();
  if (books.courses.Table().FindFirst(name) < 0)
    return {std::nullopt, "There is no course \"" + name + "\" in courses.dat."};
  const HandicapRecord record = ComputeHandicapRecord(books.rounds.Table(), books.courses.Table(),
                                                      books.ratings.Table(), today);
  return {LayOutScorecard(CardFor(name, books.courses.Table(), books.ratings.Table(),
                                  record.indexTenths, allowance)),
          {}};
}

}  // namespace larkspin
