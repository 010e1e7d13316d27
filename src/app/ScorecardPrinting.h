#pragma once

#include <QString>
#include <array>
#include <string>

#include "FormValues.h"
#include "PageDrawing.h"

namespace larkspin {

class FileChooser;
class Prompter;

// The grid's round and pars, as the printed card takes them.
struct GridRound {
  RoundRecord round{};
  HoleTexts pars{};
};
GridRound GridRoundOf(const FormView& view);

// "Save as PDF…": the job at the local page size to the file chosen, a failure told with the file
// and the reason.
void SaveJobAsPdf(const PrintJob& job, const QString& suggestedName, FileChooser& chooser,
                  Prompter& prompter);

// A file name for a course's card: "Heron Lakes scorecard.pdf", without a folder's separators.
QString ScorecardFileName(const std::string& course);

}  // namespace larkspin
