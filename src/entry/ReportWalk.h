#pragma once

#include <string>
#include <string_view>

#include "CourseTable.h"
#include "FormValues.h"
#include "ReportPeriod.h"
#include "ReportStatistics.h"
#include "RoundTable.h"
#include "Services.h"

namespace larkspin {

// "Course Report" and "Overall Report": a walk over the round table that loads rounds into the
// form, counts those in the report period, writes "report.htm" and opens it.
//
// The walk runs on the form's values and the window shows the form once, at the end, so that a
// table of many thousands of rounds costs no widget update per round. What the window shows
// afterwards, down to the entry each drop-down box has selected, is what showing every round in
// turn leaves: the last round loaded, with its course as the selector resolves it.
class ReportWalk {
 public:
  ReportWalk(FormValues& values, FormView& view, const RoundTable& rounds,
             const CourseTable& courses, const ScorecardServices& services);

  void OnCourseReport();
  void OnOverallReport();

 private:
  // The period box's text once showing the form has turned it into an entry.
  std::string ResolvedPeriod() const;
  bool IsInPeriod(std::string_view dateText, ReportPeriod period) const;
  // The pars of the newest course of exactly this name; empty texts when there is none.
  ParTexts ParsOf(std::string_view course) const;
  // Each club box as showing these rows one after another leaves its selection: on the entry
  // its last recognised club text picked. `loaded` tells which rows were shown.
  template <typename Loaded>
  void ReplayClubSelections(int lastRow, Loaded loaded);
  // Writes the page and hands it to the desktop; tells the user when it cannot be written.
  void WriteReport(const std::string& document);

  FormValues& values_;
  FormView& view_;
  const RoundTable& rounds_;
  const CourseTable& courses_;
  const ScorecardServices& services_;
};

inline constexpr char kReportFileName[] = "report.htm";
inline constexpr std::string_view kNoReportCourseMessage =
    "Please select a course before generating a report.";
inline constexpr std::string_view kReportFailedMessage = "Save Report";
inline constexpr std::string_view kReportFailedTitle = "Error Saving File.";

}  // namespace larkspin
