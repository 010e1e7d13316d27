#pragma once

#include <string>
#include <string_view>

#include "ReportStatistics.h"

namespace larkspin {

// A report page, built in one growing text: the head and heading, a row per included round, then
// the average, par and total rows, the statistics and the footer. The whole page is one line.
class ReportPage {
 public:
  // "Larkspin Report: <course>".
  static ReportPage ForCourse(std::string_view course);
  // "Larkspin Overall Report".
  static ReportPage Overall();

  // Room for this many round rows, so a long report grows its text once.
  void Reserve(std::size_t rounds);

  // The round's date, its 18 scores as typed and the sum of their numbers.
  void AppendRoundRow(const RoundCells& round);

  // The rest of the page: the average row and the statistics only when a round was included.
  std::string Finish(const ReportStatistics& statistics, const ParTexts& pars) &&;

 private:
  explicit ReportPage(std::string_view escapedHeading);
  // A row whose texts would not fit the buffer AppendRoundRow builds a row in.
  void AppendLongRoundRow(const RoundCells& round);
  static constexpr std::size_t kRowBufferSize = 1024;

  std::string document_;
};

}  // namespace larkspin
