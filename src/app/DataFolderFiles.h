#pragma once

#include <QStringList>

#include "CourseFile.h"
#include "JournalFormat.h"
#include "RatingsFile.h"
#include "ReportWalk.h"
#include "RoundFile.h"

namespace larkspin {

// Every file a save writes in the data folder, the journal among them (it is begun whole). Whatever
// takes the folder's lock, the window or a command, removes the temporary files that saves of them
// left when they never ended.
inline QStringList DataFolderSavedFiles() {
  return {QString::fromLatin1(kRoundFileName), QString::fromLatin1(kCourseFileName),
          QString::fromLatin1(kRatingsFileName), QString::fromLatin1(kReportFileName),
          QString::fromLatin1(kJournalFileName)};
}

}  // namespace larkspin
