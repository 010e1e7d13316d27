#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace larkspin {

// Dates in the files of other programs: a spreadsheet writes 17/05/2025, 17.05.2025, 5/17/2025
// or 2025/05/17 where Larkspin writes 2025-05-17, and a date in another form counts under no
// period, trend or handicap. These forms are read, with the year in four digits and the day and
// month in one or two:
// - year first, with "/", "." or "-": 2025/05/17, 2025.5.17, 2025-5-17;
// - year last with "/" or "-": the day first (17/05/2025) or the month first (5/17/2025);
// - year last with ".": the day first (17.05.2025), as everywhere dots are written.
// YYYY-MM-DD with two-digit month and day is Larkspin's own form, and is left as it is.

// How the dates of a file are read.
enum class DateOrder { kDayFirst, kMonthFirst, kAsWritten };

// `date` written YYYY-MM-DD, read in `order`; none when it is empty or in Larkspin's own form,
// when `order` keeps it as written, or when it does not read that way (no form above, or no day
// of the calendar).
std::optional<std::string> IsoDate(std::string_view date, DateOrder order);

// A date cell of a file, and where it stands.
struct DateCell {
  long long line = 0;  // 0: none
  std::string text;
};

// What the date cells of a file say about how they are written, one cell at a time.
struct DateSurvey {
  std::size_t others = 0;     // cells neither empty nor in Larkspin's own form
  std::size_t ambiguous = 0;  // of them, those that give two days, read day or month first
  DateCell firstOther;
  DateCell firstAmbiguous;
  DateCell notDayFirst;    // the first that does not read day first
  DateCell notMonthFirst;  // the first that does not read month first

  void Add(std::string_view date, long long line);
};

// What the survey decides. The dates of a file are converted only when all of them read one way:
// day first or month first, as a day above 12 (or a dot) in any of them shows; when nothing shows
// which, the user is asked.
enum class DateReading {
  kNothing,     // no date in another form
  kDayFirst,    // some read only day first, all read so
  kMonthFirst,  // some read only month first, all read so
  kEither,      // all give the same day whichever way they are read (2025/05/17, 05/05/2025)
  kAmbiguous,   // all read both ways, and some give two days: ask
  kMixed,       // they do not all read one way: kept as written
};
DateReading ReadingOf(const DateSurvey& survey);

}  // namespace larkspin
