#include "HandicapBooks.h"

#include "CommandFolder.h"
#include "CourseFile.h"
#include "RatingsFile.h"
#include "RoundFile.h"

namespace larkspin {

HandicapBooks::HandicapBooks(const CommandFolder& folder)
    : rounds(folder.FilePath(kRoundFileName), history),
      courses(folder.FilePath(kCourseFileName), history),
      ratings(folder.FilePath(kRatingsFileName), history) {}

std::optional<std::string> HandicapBooks::Load() {
  rounds.Load();
  courses.Load();
  ratings.Load();
  for (const DataFileKeeper* read : {&rounds.File(), &courses.File(), &ratings.File()}) {
    if (!read->WhollyRead()) return read->Unread();
  }
  return std::nullopt;
}

}  // namespace larkspin
