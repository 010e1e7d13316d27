#include "ChartWindows.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace larkspin {

namespace {

const ChartWindowMakers*& Registered() {
  static const ChartWindowMakers* makers = nullptr;
  return makers;
}

}  // namespace

void RegisterChartWindows(const ChartWindowMakers* makers) {
  Registered() = makers;
}

const ChartWindowMakers* ChartWindows(QString* problem) {
  if (Registered()) return Registered();
#ifdef LARKSPIN_CHART_WINDOWS_LIBRARY
  // Where the install puts it, seen from the program's folder; the build tree keeps the same
  // layout.
  QLibrary library(QDir(QCoreApplication::applicationDirPath())
                       .filePath(QStringLiteral(LARKSPIN_CHART_WINDOWS_LIBRARY)));
  using Entry = const ChartWindowMakers* (*)();
  if (const auto entry = reinterpret_cast<Entry>(library.resolve(kChartWindowsEntry))) {
    Registered() = entry();  // the library stays loaded for as long as the program runs
    return Registered();
  }
  if (problem) *problem = library.errorString();
#else
  if (problem) *problem = QStringLiteral("the program was built without its chart windows");
#endif
  return nullptr;
}

}  // namespace larkspin
