#include "HandicapCommand.h"

#include <QDir>

#include "CourseBook.h"
#include "CourseFile.h"
#include "DataFolderLock.h"
#include "HandicapCsv.h"
#include "HandicapRecord.h"
#include "RatingsBook.h"
#include "RatingsFile.h"
#include "RoundBook.h"
#include "RoundFile.h"

namespace larkspin {

ExchangeOutcome RunHandicapExport(const QString& file, const QString& dataDir, QDate today,
                                  QIODevice& output) {
  DataFolderLock lock(dataDir);
  if (auto refused = LockDataFolder(lock, dataDir)) return *refused;

  // The books the window uses, without its history.
  ChangeHistory history;
  const QDir folder(dataDir);
  RoundBook rounds(folder.filePath(QLatin1String(kRoundFileName)), history);
  CourseBook courses(folder.filePath(QLatin1String(kCourseFileName)), history);
  RatingsBook ratings(folder.filePath(QLatin1String(kRatingsFileName)), history);
  rounds.Load();
  courses.Load();
  ratings.Load();
  for (const DataFileKeeper* read : {&rounds.File(), &courses.File(), &ratings.File()}) {
    if (!read->WhollyRead()) return {1, {}, read->Unread() + " Nothing was exported."};
  }
  const HandicapRecord record =
      ComputeHandicapRecord(rounds.Table(), courses.Table(), ratings.Table(), today);
  return ExportCsv(
      file, [&record](const ByteSink& sink) { return WriteHandicapCsv(record, sink); }, output);
}

}  // namespace larkspin
