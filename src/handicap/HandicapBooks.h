#pragma once

#include <optional>
#include <string>

#include "ChangeHistory.h"
#include "CourseBook.h"
#include "RatingsBook.h"
#include "RoundBook.h"

namespace larkspin {

class CommandFolder;

// The three books a command without a window works the Index out from, read as the window reads
// them, without its history.
struct HandicapBooks {
  explicit HandicapBooks(const CommandFolder& folder);
  // Reads the three files; what could not be read in full, for the user, when one was not.
  std::optional<std::string> Load();

  ChangeHistory history;
  RoundBook rounds;
  CourseBook courses;
  RatingsBook ratings;
};

}  // namespace larkspin
