#include "QtServices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <algorithm>

#include "CDateDlg.h"
#include "CRatingsDlg.h"
#include "CWizardDlg.h"
#include "RoundListHeader.h"
#include "RoundListModel.h"
#include "RoundRecord.h"

namespace larkspin {

QString ToDisplayText(std::string_view text) {
  QString shown = QString::fromUtf8(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

namespace {

// The window a box or dialog belongs over: the active one, or else the first one showing (at
// start-up the main window may not be active yet, and without a window manager no window may be).
QWidget* BoxParent() {
  if (QWidget* active = QApplication::activeWindow()) return active;
  const auto windows = QApplication::topLevelWidgets();
  const auto shown = std::find_if(windows.begin(), windows.end(),
                                  [](const QWidget* window) { return window->isVisible(); });
  return shown == windows.end() ? nullptr : *shown;
}

}  // namespace

std::unique_ptr<QMessageBox> MessageBoxPrompter::MakeMessageBox(std::string_view text,
                                                                std::string_view title) {
  return std::make_unique<QMessageBox>(QMessageBox::NoIcon, ToDisplayText(title),
                                       ToDisplayText(text), QMessageBox::Ok, BoxParent());
}

std::unique_ptr<QMessageBox> MessageBoxPrompter::MakeQuestion(std::string_view text,
                                                              std::string_view title,
                                                              bool noByDefault) {
  auto box =
      std::make_unique<QMessageBox>(QMessageBox::Warning, ToDisplayText(title), ToDisplayText(text),
                                    QMessageBox::Yes | QMessageBox::No, BoxParent());
  box->setDefaultButton(noByDefault ? QMessageBox::No : QMessageBox::Yes);
  return box;
}

void MessageBoxPrompter::ShowMessage(std::string_view text, std::string_view title) {
  MakeMessageBox(text, title)->exec();
}

bool MessageBoxPrompter::AskYesNo(std::string_view text, std::string_view title) {
  return MakeQuestion(text, title, false)->exec() == QMessageBox::Yes;
}

bool MessageBoxPrompter::AskYesNoDefaultNo(std::string_view text, std::string_view title) {
  return MakeQuestion(text, title, true)->exec() == QMessageBox::Yes;
}

std::unique_ptr<QMessageBox> MessageBoxPrompter::MakeChoice(
    std::string_view text, std::string_view title, const std::vector<std::string_view>& buttons,
    int defaultButton) {
  auto box = std::make_unique<QMessageBox>(QMessageBox::Question, ToDisplayText(title),
                                           ToDisplayText(text), QMessageBox::NoButton, BoxParent());
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const bool last = i + 1 == buttons.size();
    QPushButton* button = box->addButton(ToDisplayText(buttons[i]),
                                         last ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
    button->setProperty("choice", static_cast<int>(i));
    if (static_cast<int>(i) == defaultButton) box->setDefaultButton(button);
    if (last) box->setEscapeButton(button);
  }
  return box;
}

int MessageBoxPrompter::Choose(std::string_view text, std::string_view title,
                               const std::vector<std::string_view>& buttons, int defaultButton) {
  const auto box = MakeChoice(text, title, buttons, defaultButton);
  box->exec();
  const QAbstractButton* pressed = box->clickedButton();
  return pressed ? pressed->property("choice").toInt() : static_cast<int>(buttons.size()) - 1;
}

QString DialogFileChooser::ChooseFileToOpen(std::string_view title) {
  return Choose(title, false, QString());
}

QString DialogFileChooser::ChooseFileToSave(std::string_view title, const QString& suggestedName) {
  return Choose(title, true, suggestedName);
}

QString DialogFileChooser::ChoosePdfToSave(std::string_view title, const QString& suggestedName) {
  return Choose(title, true, suggestedName, true);
}

QString DialogFileChooser::Choose(std::string_view title, bool save, const QString& suggestedName,
                                  bool pdf) {
  QFileDialog dialog(BoxParent(), ToDisplayText(title),
                     folder_.isEmpty() ? QDir::homePath() : folder_);
  dialog.setNameFilters(
      {pdf ? QStringLiteral("PDF files (*.pdf)") : QStringLiteral("CSV files (*.csv)"),
       QStringLiteral("All files (*)")});
  if (save) {
    // The dialog asks before a file that exists is chosen.
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(pdf ? QStringLiteral("pdf") : QStringLiteral("csv"));
    dialog.selectFile(suggestedName);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  folder_ = dialog.directory().absolutePath();
  return dialog.selectedFiles().constFirst();
}

QDate CalendarDatePicker::PickDate(QDate initial) {
  CDateDlg dialog(BoxParent());
  dialog.SetDate(initial);
  dialog.exec();
  return dialog.Date();
}

DialogWizardWindow::~DialogWizardWindow() {
  delete dialog_.data();
}

WizardClosing DialogWizardWindow::ShowHole(ScoreWizard& wizard) {
  if (!dialog_) dialog_ = new CWizardDlg(BoxParent());
  return dialog_->ShowHole(wizard);
}

std::optional<std::vector<RatingRecord>> DialogRatingsEditor::EditRatings(
    const std::vector<RatingRecord>& rows) {
  CRatingsDlg dialog(rows, prompter_, BoxParent());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Rows();
}

void SystemDesktopOpener::OpenLocalFile(const QString& path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

ViewTextMeasure::ViewTextMeasure(const QWidget& view, const RoundListHeader& header)
    : view_(view), header_(header) {}

int ViewTextMeasure::TextWidth(std::string_view utf8) const {
  // The item delegate pads text by the focus frame margin plus one on each side.
  const int margin = view_.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view_) + 1;
  if (const std::optional<int> width = Figures().Width(utf8)) return *width + 2 * margin + 1;
  const QString text = QString::fromUtf8(utf8);
  return QFontMetrics(view_.font()).horizontalAdvance(text) + 2 * margin + 1;
}

bool ViewTextMeasure::FiguresAlike() const {
  return Figures().Uniform();
}

FigureWidths& ViewTextMeasure::Figures() const {
  if (!figures_ || figures_->Font() != view_.font()) figures_.emplace(view_.font());
  return *figures_;
}

int ViewTextMeasure::HeadingWidth(int column) const {
  if (column < 0 || column >= kRoundColumns) return 0;
  return header_.SectionWidthHint(ListColumn(column));
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
