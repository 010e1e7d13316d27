#pragma once

#include <QString>
#include <cstddef>
#include <optional>

namespace larkspin {

// `--scorecard COURSE FILE.pdf`, with the format of play by its place in kAllowanceFormats or a
// percentage of the golfer's own; neither: the one last chosen in the window.
struct ScorecardRequest {
  QString course;
  QString file;
  std::optional<std::size_t> format;
  std::optional<int> allowancePercent;
};

// `larkspin --scorecard COURSE FILE.pdf`: the blank card of the course (see LoadBlankCard) drawn
// as the window's print preview draws it, at the local paper size, without a display, written
// atomically to the file, never over one of the folder's own. Returns the exit status, telling
// what went wrong on standard error.
int RunCommandLineScorecard(const ScorecardRequest& request, const QString& dataDir);

}  // namespace larkspin
