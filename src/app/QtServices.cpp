#include "app/QtServices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMessageBox>
#include <QStyle>
#include <QUrl>

#include "app/CDateDlg.h"
#include "app/CWizardDlg.h"
#include "data/RoundRecord.h"

namespace larkspin {

QString ToDisplayText(std::string_view text) {
  QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

void MessageBoxPrompter::ShowMessage(std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::NoIcon, ToDisplayText(title), ToDisplayText(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

bool MessageBoxPrompter::AskYesNo(std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::Warning, ToDisplayText(title), ToDisplayText(text),
                  QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
  return box.exec() == QMessageBox::Yes;
}

QDate CalendarDatePicker::PickDate(QDate initial) {
  CDateDlg dialog(QApplication::activeWindow());
  dialog.SetDate(initial);
  dialog.exec();
  return dialog.Date();
}

DialogWizardWindow::~DialogWizardWindow() {
  delete dialog_.data();
}

WizardClosing DialogWizardWindow::ShowHole(ScoreWizard& wizard) {
  if (!dialog_) dialog_ = new CWizardDlg(QApplication::activeWindow());
  return dialog_->ShowHole(wizard);
}

void SystemDesktopOpener::OpenLocalFile(const QString& path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

ViewTextMeasure::ViewTextMeasure(const QWidget& view, const QHeaderView& header)
    : view_(view), header_(header) {}

int ViewTextMeasure::TextWidth(std::string_view utf8) const {
  // The item delegate pads text by the focus frame margin plus one on each side.
  const int margin = view_.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view_) + 1;
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  return QFontMetrics(view_.font()).horizontalAdvance(text) + 2 * margin + 1;
}

int ViewTextMeasure::HeadingWidth(int column) const {
  if (column < 0 || column >= kRoundColumns) return 0;
  return header_.sectionSizeHint(column);
}

QString FindHelpPage(const QString& executableDir) {
  const QDir dir(executableDir);
  // LARKSPIN_INSTALLED_HELP is where the install puts the help, seen from the program's folder.
  for (const QString& candidate :
       {QStringLiteral("help/index.html"), QStringLiteral(LARKSPIN_INSTALLED_HELP "/index.html"),
        QStringLiteral("../Resources/help/index.html")}) {
    const QFileInfo page(dir.filePath(candidate));
    if (page.isFile()) return page.canonicalFilePath();
  }
  return {};
}

}  // namespace larkspin
