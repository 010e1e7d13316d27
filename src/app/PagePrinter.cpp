#include "PagePrinter.h"

#include "ChartWindows.h"
#include "Services.h"

namespace larkspin {

void LibraryPagePrinter::Preview(const PrintJob& job, QWidget* parent) {
  QString problem;
  if (const ChartWindowMakers* windows = ChartWindows(&problem)) {
    windows->preview(job, parent);
    return;
  }
  prompter_.ShowMessage(
      QStringLiteral("The print preview could not be opened: %1.").arg(problem).toStdString(),
      appName_);
}

}  // namespace larkspin
