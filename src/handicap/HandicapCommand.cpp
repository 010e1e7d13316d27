#include "HandicapCommand.h"

#include "CommandFolder.h"
#include "CourseBook.h"
#include "CourseFile.h"
#include "HandicapCsv.h"
#include "HandicapRecord.h"
#include "RatingsBook.h"
#include "RatingsFile.h"
#include "RoundBook.h"
#include "RoundFile.h"

namespace larkspin {

ExchangeOutcome RunHandicapExport(const QString& file, CommandFolder& folder, QDate today,
                                  QIODevice& output) {
  if (auto problem = folder.Open()) return {1, {}, std::move(*problem)};

  // The books the window uses, without its history.
  ChangeHistory history;
  RoundBook rounds(folder.FilePath(kRoundFileName), history);
  CourseBook courses(folder.FilePath(kCourseFileName), history);
  RatingsBook ratings(folder.FilePath(kRatingsFileName), history);
  rounds.Load();
  courses.Load();
  ratings.Load();
  for (const DataFileKeeper* read : {&rounds.File(), &courses.File(), &ratings.File()}) {
    if (!read->WhollyRead()) return {1, {}, read->Unread() + " Nothing was exported."};
  }
  const HandicapRecord record =
      ComputeHandicapRecord(rounds.Table(), courses.Table(), ratings.Table(), today);
  return ExportCsv(
      file, folder, [&record](const ByteSink& sink) { return WriteHandicapCsv(record, sink); },
      output);
}

}  // namespace larkspin
