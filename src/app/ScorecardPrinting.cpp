#include "ScorecardPrinting.h"

#include "Services.h"

namespace larkspin {

GridRound GridRoundOf(const FormView& view) {
  GridRound grid;
  grid.round[kCourseColumn] = view.course.Text();
  grid.round[kDateColumn] = view.date;
  for (int hole = 1; hole <= kHoles; ++hole) {
    grid.round[ScoreColumn(hole)] = view.scores[hole - 1];
    grid.round[PuttsColumn(hole)] = view.putts[hole - 1];
  }
  grid.pars = view.pars;
  return grid;
}

void SaveJobAsPdf(const PrintJob& job, const QString& suggestedName, FileChooser& chooser,
                  Prompter& prompter) {
  const QString path = chooser.ChoosePdfToSave("Save as PDF", suggestedName);
  if (path.isEmpty()) return;
  if (const auto failure = WritePdf(job, path, LocalPageSize())) {
    prompter.ShowMessage(("The PDF could not be written.\r\n" + *failure + ".").toStdString(),
                         "Save as PDF");
  }
}

QString ScorecardFileName(const std::string& course) {
  QString name = QString::fromStdString(course);
  name.replace(QLatin1Char('/'), QLatin1Char('-')).replace(QLatin1Char('\\'), QLatin1Char('-'));
  return name + QStringLiteral(" scorecard.pdf");
}

}  // namespace larkspin
