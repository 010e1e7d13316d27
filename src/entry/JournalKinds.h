#pragma once

// What each record of the session's journal holds, by its kind. A row is its number as decimal
// text; a round is its 74 cells, a course its 20, a rating row its 21, each as it is stored.

#include <cstdint>

namespace larkspin::journal {

enum Kind : std::uint32_t {
  kRoundAdded = 1,        // the round
  kRoundUpdated = 2,      // the row, then the round as it is now
  kRoundRemoved = 3,      // the row
  kRoundsImported = 4,    // the rounds, top row first
  kRoundsSorted = 5,      // one cell: for each row, from the top, the row it went to, 4 bytes
                          // little-endian
  kRoundsReversed = 6,    // nothing: a sort turned the list upside down
  kCourseAdded = 7,       // the course
  kCourseUpdated = 8,     // the course as it is now
  kCourseRemoved = 9,     // the name
  kCoursesImported = 10,  // the courses, top row first
  kRatingsReplaced = 11,  // the rows the "Course Ratings" dialog gave
  kUndo = 12,             // nothing
  kRedo = 13,
  // A journal that begins again in the middle of a session (see SessionJournal::AfterSaving)
  // holds first how many changes came before it, then each table its files do not hold, whole,
  // in place of what the file gives. None is a change of the user's.
  kEarlierChanges = 14,  // the count
  kRoundsAsTheyStand = 15,
  kCoursesAsTheyStand = 16,
  kRatingsAsTheyStand = 17,
};

}  // namespace larkspin::journal
