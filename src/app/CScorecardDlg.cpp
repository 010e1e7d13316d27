#include "CScorecardDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#ifdef Q_OS_WIN
#define NOMINMAX
#include <windows.h>
#endif

#include "AllowanceSetting.h"
#include "CAboutDlg.h"
#include "CWizardDlg.h"
#include "ChartWindows.h"
#include "CoursePars.h"
#include "EditableDropDown.h"
#include "GridTotals.h"
#include "HoleBox.h"
#include "MenuItemName.h"
#include "PagePrinter.h"
#include "RoundListModel.h"
#include "RoundListView.h"
#include "ScorecardCard.h"
#include "ScorecardPrinting.h"
#include "StrayKeyFilter.h"
#include "TotalsBox.h"
#include "WidgetMirror.h"
#include "WindowPlacement.h"

namespace larkspin {

namespace {

#ifdef Q_OS_WIN
// The id of the About entry the window adds to its system menu.
constexpr unsigned kAboutCommand = 16;
#endif

constexpr int kJournalPreparationDelayMs = 500;
// The course box's least width, in characters: a long course name.
constexpr int kCourseBoxCharacters = 24;

// The widest text a figure of the round list can take: its most digits, and a sign for "To par".
int WidestPossibleFigure(const TextMeasure& measure, RoundFigure figure) {
  RoundTotals even;
  even.toPar = 0;
  int widest = measure.TextWidth(FigureText(even, figure));
  for (char digit = '0'; digit <= '9'; ++digit) {
    const std::string digits(kMostFigureDigits, digit);
    widest = std::max(
        widest, figure == RoundFigure::kTotal
                    ? measure.TextWidth(digits)
                    : std::max(measure.TextWidth('+' + digits), measure.TextWidth('-' + digits)));
  }
  return widest;
}

QPushButton* MakeButton(const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
  return button;
}

}  // namespace

CScorecardDlg::CScorecardDlg(ScorecardServices services, QSettings* placement, QWidget* parent)
    : QDialog(parent), services_(services), placement_(placement) {
  setWindowTitle(tr("Larkspin"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  setSizeGripEnabled(true);
  ownPrinter_ = std::make_unique<LibraryPagePrinter>(services_.prompter, services_.appName);
  printer_ = ownPrinter_.get();

  BuildControls();
  BuildMenus();
  LayOut();
  SetTabOrder();

  measure_ = std::make_unique<ViewTextMeasure>(*controls_.rounds, *controls_.rounds->Header());
  core_ = std::make_unique<Scorecard>(std::move(services), [this] { ShowFields(); });
  widths_ = std::make_unique<ColumnWidthTracker>(core_->Rounds().Table(), *measure_);
  model_ = new RoundListModel(core_->Rounds().Table(), core_->Courses().Table(), this);
  controls_.rounds->setModel(model_);

  Connect();
  AddAboutToSystemMenu();
  // A key held down in a dialog over the window does not go on in the window once the dialog has
  // closed.
  qApp->installEventFilter(new StrayKeyFilter(this));
  // Room for a dozen rounds in the list, as far as the screen allows.
  QSize size = sizeHint();
  size.rheight() += 12 * controls_.rounds->verticalHeader()->defaultSectionSize();
  if (screen()) size = size.boundedTo(screen()->availableGeometry().size() * 9 / 10);
  resize(size.expandedTo(minimumSizeHint()));
  RestorePlacement(*this, placement_);
  Run([this] { core_->OnInitDialog(); });
  // What could not be read is told over the window, once it shows.
  QTimer::singleShot(0, this, [this] {
    core_->TellUnreadFiles();
    core_->TellJournalAtStart();
  });
}

CScorecardDlg::~CScorecardDlg() {
  // A window torn down without being closed (the session ending) still keeps its rounds.
  SaveBeforeExit();
  // The trends window, the list and its model read the core's tables: they go first. The list
  // goes before its model, which so has no view to tell of its end.
  delete trends_;
  delete handicap_;
  delete std::exchange(controls_.rounds, nullptr);
  delete model_;
}

void CScorecardDlg::BuildControls() {
  auto& c = controls_;
  c.course = MakeEditableDropDown(this, tr("Course"));
  // The box takes the row's room; its list fits the names when it opens. Sized by every name it
  // holds, it would measure them all at each start, for a width the row gives it anyway.
  c.course->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  c.course->setMinimumContentsLength(kCourseBoxCharacters);
  c.course->setIconSize(QSize(0, 0));  // its entries have none
  c.addCourse = MakeButton(tr("Add"), this);
  c.updateCourse = MakeButton(tr("Update"), this);
  c.removeCourse = MakeButton(tr("Remove"), this);
  c.date = MakeButton(tr("Date:"), this);
  c.dateField = new QLineEdit(this);
  HoldAnyLength(c.dateField);
  c.dateField->setReadOnly(true);
  c.dateField->setFocusPolicy(Qt::ClickFocus);
  c.dateField->setAccessibleName(tr("Date"));
  c.dateField->setFixedWidth(
      c.dateField->fontMetrics().horizontalAdvance(QStringLiteral("8888-88-888")) + 12);

  for (int hole = 1; hole <= kHoles; ++hole)
    c.holes[hole - 1] = new HoleBox(hole, this);
  c.out = new TotalsBox(tr("Out"), false, *c.holes[0], this);
  c.in = new TotalsBox(tr("In"), false, *c.holes[0], this);
  c.total = new TotalsBox(tr("Total"), true, *c.holes[0], this);

  c.rounds = new RoundListView(this);
  c.rounds->setAccessibleName(tr("Rounds"));

  c.addScore = MakeButton(tr("Add Score"), this);
  c.removeScore = MakeButton(tr("Remove Score"), this);
  c.updateScore = MakeButton(tr("Update Score"), this);
  c.clear = MakeButton(tr("Clear"), this);
  c.wizard = MakeButton(tr("Wizard"), this);
  c.roundCount = new QLineEdit(this);
  c.roundCount->setReadOnly(true);
  c.roundCount->setAccessibleName(tr("Round count"));
  c.roundCount->setAlignment(Qt::AlignRight);
  c.roundCount->setFixedWidth(
      c.roundCount->fontMetrics().horizontalAdvance(QStringLiteral("88888888")) + 12);

  c.period = MakeEditableDropDown(this, tr("Period"));
  c.period->setMinimumContentsLength(9);
  c.courseReport = MakeButton(tr("Course Report"), this);
  c.overallReport = MakeButton(tr("Overall Report"), this);
  c.trends = MakeButton(tr("Trends"), this);
  c.handicap = MakeButton(tr("Handicap"), this);
  c.help = MakeButton(tr("Help"), this);
  c.quit = MakeButton(tr("Quit"), this);
  c.quit->setDefault(true);
}

void CScorecardDlg::BuildMenus() {
  auto& m = menus_;
  m.bar = new QMenuBar(this);
  m.bar->setAccessibleName(tr("Menu bar"));
  m.file = m.bar->addMenu(tr("&File"));
  m.edit = m.bar->addMenu(tr("&Edit"));
  m.view = m.bar->addMenu(tr("&View"));
  m.help = m.bar->addMenu(tr("&Help"));
  m.exportRounds = m.file->addAction(tr("&Export Rounds…"));
  m.exportCourses = m.file->addAction(tr("Export &Courses…"));
  m.importRounds = m.file->addAction(tr("&Import Rounds…"));
  m.importCourses = m.file->addAction(tr("I&mport Courses…"));
  NameMenuItem(m.file, m.exportRounds, tr("Export Rounds"));
  NameMenuItem(m.file, m.exportCourses, tr("Export Courses"));
  NameMenuItem(m.file, m.importRounds, tr("Import Rounds"));
  NameMenuItem(m.file, m.importCourses, tr("Import Courses"));
  m.file->addSeparator();
  m.printScorecard = m.file->addAction(tr("&Print Scorecard\u2026"));
  m.printScorecard->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  m.saveScorecardPdf = m.file->addAction(tr("Save as P&DF\u2026"));
  NameMenuItem(m.file, m.printScorecard, tr("Print Scorecard"));
  NameMenuItem(m.file, m.saveScorecardPdf, tr("Save as PDF"));
  m.file->addSeparator();
  m.quit = m.file->addAction(tr("&Quit"));
  m.quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  m.undo = m.edit->addAction(tr("&Undo"));
  m.undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  m.redo = m.edit->addAction(tr("&Redo"));
  m.redo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  m.edit->addSeparator();
  m.courseRatings = m.edit->addAction(tr("&Course Ratings\u2026"));
  NameMenuItem(m.edit, m.courseRatings, tr("Course Ratings"));
  m.trends = m.view->addAction(tr("&Trends\u2026"));
  m.trends->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  m.handicap = m.view->addAction(tr("&Handicap\u2026"));
  m.handicap->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
  NameMenuItem(m.view, m.handicap, tr("Handicap"));
  m.userGuide = m.help->addAction(tr("&User Guide"));
  m.userGuide->setShortcut(QKeySequence(Qt::Key_F1));
  m.about = m.help->addAction(tr("&About LKS..."));
  // The button that shows the menus a narrow window has no room for.
  for (auto* more : m.bar->findChildren<QToolButton*>())
    more->setAccessibleName(tr("More menus"));
}

void CScorecardDlg::LayOut() {
  auto& c = controls_;
  auto* top = new QHBoxLayout;
  auto* courseLabel = new QLabel(tr("Course:"), this);
  courseLabel->setBuddy(c.course);
  top->addWidget(courseLabel);
  top->addWidget(c.course, 1);
  top->addWidget(c.addCourse);
  top->addWidget(c.updateCourse);
  top->addWidget(c.removeCourse);
  top->addSpacing(12);
  top->addWidget(c.date);
  top->addWidget(c.dateField);

  auto* grid = new QGridLayout;
  grid->setSpacing(4);
  for (int i = 0; i < kHoles; ++i)
    grid->addWidget(c.holes[i], i / 9, i % 9);
  grid->addWidget(c.out, 0, 9);
  grid->addWidget(c.in, 1, 9);
  grid->addWidget(c.total, 1, 10);

  auto* scoreButtons = new QHBoxLayout;
  scoreButtons->addWidget(c.addScore);
  scoreButtons->addWidget(c.removeScore);
  scoreButtons->addWidget(c.updateScore);
  scoreButtons->addSpacing(12);
  scoreButtons->addWidget(c.clear);
  scoreButtons->addWidget(c.wizard);
  scoreButtons->addStretch();
  scoreButtons->addWidget(c.roundCount);

  auto* reportButtons = new QHBoxLayout;
  reportButtons->addWidget(c.period);
  reportButtons->addWidget(c.courseReport);
  reportButtons->addWidget(c.overallReport);
  reportButtons->addWidget(c.trends);
  reportButtons->addWidget(c.handicap);
  reportButtons->addStretch();
  reportButtons->addWidget(c.help);
  reportButtons->addWidget(c.quit);

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(menus_.bar);
  layout->addLayout(top);
  layout->addLayout(grid);
  layout->addWidget(c.rounds, 1);
  layout->addLayout(scoreButtons);
  layout->addLayout(reportButtons);
}

void CScorecardDlg::SetTabOrder() {
  const auto& c = controls_;
  std::vector<QWidget*> order = {c.course, c.addCourse, c.updateCourse, c.removeCourse, c.date};
  for (const HoleBox* hole : c.holes) {
    order.insert(order.end(), {hole->strokes, hole->drive, hole->club, hole->putts});
  }
  order.insert(order.end(), {c.rounds, c.addScore, c.removeScore, c.updateScore, c.period,
                             c.courseReport, c.overallReport, c.trends, c.handicap, c.clear,
                             c.wizard, c.roundCount, c.help, c.quit});
  for (std::size_t i = 1; i < order.size(); ++i)
    setTabOrder(order[i - 1], order[i]);
}

void CScorecardDlg::Connect() {
  const auto& c = controls_;
  const auto command = [this](QPushButton* button, void (Scorecard::*handler)()) {
    connect(button, &QPushButton::clicked, this,
            [this, handler] { Run([this, handler] { ((*core_).*handler)(); }); });
  };
  command(c.addCourse, &Scorecard::AddCourse);
  command(c.updateCourse, &Scorecard::UpdateCourse);
  command(c.removeCourse, &Scorecard::RemoveCourse);
  command(c.date, &Scorecard::OnDateButton);
  command(c.addScore, &Scorecard::AddScore);
  command(c.removeScore, &Scorecard::RemoveScore);
  command(c.updateScore, &Scorecard::UpdateScore);
  command(c.clear, &Scorecard::ClearGrid);
  command(c.wizard, &Scorecard::RunWizard);
  command(c.courseReport, &Scorecard::OnCourseReport);
  command(c.overallReport, &Scorecard::OnOverallReport);
  command(c.help, &Scorecard::OnHelpButton);
  connect(c.quit, &QPushButton::clicked, this, &QDialog::accept);
  const auto menuCommand = [this](QAction* action, void (Scorecard::*handler)()) {
    connect(action, &QAction::triggered, this,
            [this, handler] { Run([this, handler] { ((*core_).*handler)(); }); });
  };
  menuCommand(menus_.exportRounds, &Scorecard::ExportRounds);
  menuCommand(menus_.exportCourses, &Scorecard::ExportCourses);
  menuCommand(menus_.importRounds, &Scorecard::ImportRounds);
  menuCommand(menus_.importCourses, &Scorecard::ImportCourses);
  connect(menus_.quit, &QAction::triggered, this, &QDialog::accept);
  connect(menus_.printScorecard, &QAction::triggered, this,
          [this] { Run([this] { PrintScorecard(false); }); });
  connect(menus_.saveScorecardPdf, &QAction::triggered, this,
          [this] { Run([this] { PrintScorecard(true); }); });
  connect(menus_.undo, &QAction::triggered, this, [this] { Run([this] { core_->Undo(); }); });
  connect(menus_.redo, &QAction::triggered, this, [this] { Run([this] { core_->Redo(); }); });
  // A field's own typing is undone first; once it has nothing left to undo, the keys undo the
  // tables.
  ShareHistoryKeys(this);
  connect(menus_.userGuide, &QAction::triggered, this,
          [this] { Run([this] { core_->OnHelpButton(); }); });
  connect(menus_.about, &QAction::triggered, this, &CScorecardDlg::ShowAbout);
  connect(c.trends, &QPushButton::clicked, this, &CScorecardDlg::OpenTrends);
  connect(menus_.trends, &QAction::triggered, this, &CScorecardDlg::OpenTrends);
  menuCommand(menus_.courseRatings, &Scorecard::OnCourseRatings);
  connect(c.handicap, &QPushButton::clicked, this, &CScorecardDlg::OpenHandicap);
  connect(menus_.handicap, &QAction::triggered, this, &CScorecardDlg::OpenHandicap);

  connect(c.course, &QComboBox::activated, this,
          [this] { Run([this] { core_->OnSelchangeCourse(); }); });
  connect(c.rounds, &RoundListView::mouseClicked, this,
          [this] { Run([this] { core_->OnClickRoundList(); }); });
  connect(c.rounds->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
    Run([this, column] {
      if (const auto figure = ListFigure(column)) {
        core_->OnFigureClickRounds(*figure);
      } else {
        core_->OnColumnClickRounds(TableColumn(column));
      }
    });
  });
  // The sums follow every change of a field they add up, typed or shown.
  for (const HoleBox* hole : c.holes) {
    for (QLineEdit* field : {hole->par, hole->strokes, hole->putts}) {
      connect(field, &QLineEdit::textChanged, this, [this] {
        if (!showingFields_) ShowTotals();
      });
    }
  }
  // Only what the user selects reaches the core. While a command runs, the core decides the
  // selection and the list shows it when the command ends.
  connect(c.rounds->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (commandsRunning_ == 0) core_->SelectRow(controls_.rounds->SelectedRow());
  });
}

void CScorecardDlg::ShareHistoryKeys(QWidget* window) {
  if (window != this) window->addActions({menus_.undo, menus_.redo});
  for (auto* field : window->findChildren<QLineEdit*>())
    field->installEventFilter(this);
  for (auto* box : window->findChildren<QComboBox*>())
    box->installEventFilter(this);
}

bool CScorecardDlg::Covered() const {
  const QWidget* modal = QApplication::activeModalWidget();
  return modal && modal != this;
}

template <typename Command>
void CScorecardDlg::Run(Command command) {
  if (Covered()) return;
  const auto revisions = Revisions();
  ++commandsRunning_;
  ReadFields();
  command();
  if (!closed_) ShowFields();
  core_->TellJournalFailure();
  --commandsRunning_;
  if (revisions != Revisions()) {
    if (revisions[1] != Revisions()[1]) model_->CoursesChanged();
    emit TablesChanged();
  }
  // The program is ending and what was open over the window has been closed: the window closes
  // now that the command which opened it has ended.
  if (ending_ && commandsRunning_ == 0 && !destroyed_ && !closing_) accept();
}

std::array<std::uint64_t, 3> CScorecardDlg::Revisions() const {
  return {core_->Rounds().Table().Revision(), core_->Courses().Table().Revision(),
          core_->Ratings().Table().Revision()};
}

void CScorecardDlg::ReadFields() {
  FormView& view = core_->View();
  ReadDropDown(controls_.course, view.course);
  for (int i = 0; i < kHoles; ++i) {
    const HoleBox* hole = controls_.holes[i];
    view.scores[i] = FieldText(hole->strokes);
    view.drives[i] = FieldText(hole->drive);
    ReadDropDown(hole->club, view.clubs[i]);
    view.putts[i] = FieldText(hole->putts);
  }
  ReadDropDown(controls_.period, view.period);
}

void CScorecardDlg::ShowFields() {
  const FormView& view = core_->View();
  showingFields_ = true;
  ShowDropDown(view.course, controls_.course);
  SetFieldText(controls_.dateField, view.date);
  for (int i = 0; i < kHoles; ++i) {
    HoleBox* hole = controls_.holes[i];
    SetFieldText(hole->par, view.pars[i]);
    SetFieldText(hole->strokes, view.scores[i]);
    SetFieldText(hole->drive, view.drives[i]);
    ShowDropDown(view.clubs[i], hole->club);
    SetFieldText(hole->putts, view.putts[i]);
  }
  ShowDropDown(view.period, controls_.period);
  SetFieldText(controls_.roundCount, std::to_string(view.roundCount));
  showingFields_ = false;
  ShowTotals();

  controls_.rounds->SetSelectedRow(core_->Rounds().SelectedRow());
  ShowHistory();
  FitRoundListColumns();
}

void CScorecardDlg::FitRoundListColumns() {
  // A change of the courses may change a round's "To par".
  const auto revision = Revisions();
  if (fittedRevision_ == revision) return;
  fittedRevision_ = revision;
  // Only widths the fit changes: a column the user widened by hand keeps its width until then.
  RoundListHeader* header = controls_.rounds->Header();
  for (int column = 0; column < kRoundColumns; ++column) {
    const int width = widths_->FittedWidth(column);
    if (width > 0 && width != shownWidths_[column]) {
      header->resizeSection(ListColumn(column), width);
    }
    shownWidths_[column] = width;
  }
  // A figure's column as wide as its widest text or its heading, like the others. Its heading is
  // wider than any text a figure can take in the usual fonts: then no figure needs working out.
  for (const RoundFigure figure : {RoundFigure::kTotal, RoundFigure::kToPar}) {
    const int column = ListColumn(figure);
    int width = header->SectionWidthHint(column);
    if (WidestPossibleFigure(*measure_, figure) > width) {
      for (const std::string& text :
           FigureTexts(core_->Rounds().Table(), core_->Courses().Table(), figure))
        width = std::max(width, measure_->TextWidth(text));
    }
    int& shown = shownFigureWidths_[static_cast<int>(figure)];
    if (width != shown) header->resizeSection(column, width);
    shown = width;
  }
}

void CScorecardDlg::ShowTotals() {
  HoleTexts pars;
  HoleTexts strokes;
  HoleTexts putts;
  for (int i = 0; i < kHoles; ++i) {
    pars[i] = FieldText(controls_.holes[i]->par);
    strokes[i] = FieldText(controls_.holes[i]->strokes);
    putts[i] = FieldText(controls_.holes[i]->putts);
  }
  const RoundTotals totals = SumGrid(pars, strokes, putts);
  controls_.out->Show(totals.out);
  controls_.in->Show(totals.in);
  controls_.total->Show(totals.total);
  controls_.total->ShowToPar(ToParText(totals.toPar));
}

void CScorecardDlg::ShowHistory() {
  const ChangeHistory& history = core_->History();
  // The accelerator goes on the first word, which is always "Undo" or "Redo".
  menus_.undo->setText(QLatin1Char('&') + QString::fromStdString(history.UndoText()));
  menus_.undo->setEnabled(history.CanUndo());
  menus_.redo->setText(QLatin1Char('&') + QString::fromStdString(history.RedoText()));
  menus_.redo->setEnabled(history.CanRedo());
}

bool CScorecardDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    const auto* field = qobject_cast<QLineEdit*>(watched);
    // An editable drop-down takes the keys for its editor without the editor's filters seeing
    // them.
    if (const auto* box = qobject_cast<QComboBox*>(watched)) field = box->lineEdit();
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool undo = key->matches(QKeySequence::Undo);
    const bool redo = key->matches(QKeySequence::Redo) ||
                      key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y);
    if (field && ((undo && !field->isUndoAvailable()) || (redo && !field->isRedoAvailable()))) {
      event->ignore();  // not the field's: the window's shortcut takes it
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CScorecardDlg::done(int result) {
  // The question of a closing under way is still open, or a dialog is: only CloseAsQuit() ends
  // what is open over the window before closing it.
  if (closing_ || Covered()) return;
  if (!destroyed_) {
    bool mayClose = false;
    closing_ = true;
    // Signals, logout and a lost display save and end without asking. A close of the user's own
    // asks first when the grid holds a round not yet added, which nothing else would keep.
    Run([this, &mayClose] {
      mayClose = (ending_ || core_->ConfirmClose()) && core_->OnDestroy();
      closed_ = mayClose;
    });
    closing_ = false;
    if (!mayClose) return;
    destroyed_ = true;
    if (placement_) SavePlacement(*this, *placement_);
  }
  QDialog::done(result);
}

void CScorecardDlg::CloseAsQuit() {
  ending_ = true;
  // A box or dialog over the window would hold the closing until answered. Each ends as Cancel
  // ends it, never as OK or Save: a file chooser chooses nothing, a question hears No or Cancel,
  // the wizard ends its run where it is, the date dialog takes its day, as it does however it
  // closes.
  for (int i = 0; i < 16; ++i) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == this) break;
    if (auto* wizard = qobject_cast<CWizardDlg*>(modal)) {
      wizard->done(CWizardDlg::kEnding);
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    } else {
      modal->close();
    }
  }
  // A command whose dialog was closed ends first; Run() then closes the window.
  if (commandsRunning_ == 0) accept();
}

std::vector<std::string> CScorecardDlg::SaveBeforeExit() {
  if (destroyed_) return {};
  destroyed_ = true;
  std::vector<std::string> failures = core_->SaveWithoutAsking();
  for (const auto& failure : failures)
    std::fprintf(stderr, "Error Writing File: %s\n", failure.c_str());
  return failures;
}

bool CScorecardDlg::OnEndSession(const std::function<bool()>& mayAsk) {
  return destroyed_ || core_->OnEndSession(mayAsk);
}

void CScorecardDlg::ShowAbout() {
  if (Covered()) return;
  CAboutDlg about(this);
  about.exec();
}

void CScorecardDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  // Now that the window manager has put its frame around the window, the title bar is known.
  QTimer::singleShot(0, this, [this] { KeepOnScreen(*this); });
  // Reading the data files again for the journal would slow the opening; by the time the user
  // has made a change, they have long been read.
  QTimer::singleShot(kJournalPreparationDelayMs, this, [this] { core_->PrepareJournal(); });
}

void CScorecardDlg::OpenTrends() {
  if (!trends_) {
    const ChartWindowMakers* charts = OpenChartWindows(tr("Trends"));
    if (!charts) return;
    trends_ = charts->trends({.rounds = core_->Rounds().Table(),
                              .courses = core_->Courses().Table(),
                              .courseEntries = [this] { return core_->View().course.Entries(); },
                              .clock = services_.clock,
                              .prompter = services_.prompter,
                              .folder = services_.workDir},
                             this);
    Follow(trends_, charts);
  }
  ChartWindows(nullptr)->showInFront(trends_);
}

void CScorecardDlg::OpenHandicap() {
  if (!handicap_) {
    const ChartWindowMakers* charts = OpenChartWindows(tr("Handicap"));
    if (!charts) return;
    handicap_ = charts->handicap({.rounds = core_->Rounds().Table(),
                                  .courses = core_->Courses().Table(),
                                  .ratings = core_->Ratings().Table(),
                                  .clock = services_.clock,
                                  .printer = *printer_,
                                  .grid =
                                      [this] {
                                        ReadFields();
                                        return GridRoundOf(core_->View());
                                      },
                                  .settings = placement_},
                                 this);
    Follow(handicap_, charts);
  }
  ChartWindows(nullptr)->showInFront(handicap_);
}

void CScorecardDlg::PrintScorecard(bool pdf) {
  const GridRound grid = GridRoundOf(core_->View());
  const std::string& course = grid.round[kCourseColumn];
  if (course.empty()) {
    services_.prompter.ShowMessage("Choose a course in the grid to print its scorecard.",
                                   services_.appName);
    return;
  }
  const PrintJob job = ScorecardJob(LayOutScorecard(
      PrintedCard(course, grid.round, grid.pars, core_->Rounds().Table(), core_->Courses().Table(),
                  core_->Ratings().Table(), services_.clock.Today(), ReadAllowance(placement_))));
  if (pdf) {
    SaveJobAsPdf(job, ScorecardFileName(course), services_.fileChooser, services_.prompter);
  } else {
    printer_->Preview(job, this);
  }
}

const ChartWindowMakers* CScorecardDlg::OpenChartWindows(const QString& title) {
  QString problem;
  const ChartWindowMakers* charts = ChartWindows(&problem);
  if (!charts) {
    services_.prompter.ShowMessage(
        QStringLiteral("The %1 window could not be opened: %2.").arg(title, problem).toStdString(),
        services_.appName);
  }
  return charts;
}

void CScorecardDlg::Follow(QDialog* window, const ChartWindowMakers* charts) {
  const auto tablesChanged = charts->tablesChanged;
  connect(this, &CScorecardDlg::TablesChanged, window,
          [window, tablesChanged] { tablesChanged(window); });
  ShareHistoryKeys(window);
}

void CScorecardDlg::contextMenuEvent(QContextMenuEvent* event) {
  // The window manager owns the title bar's menu here, so About lives in the window's own one.
  QMenu menu(this);
  menu.addAction(tr("&About LKS..."), this, &CScorecardDlg::ShowAbout);
  menu.exec(event->globalPos());
}

#ifdef Q_OS_WIN
void CScorecardDlg::AddAboutToSystemMenu() {
  HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE);
  if (!menu) return;
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kAboutCommand, L"&About LKS...");
}

bool CScorecardDlg::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
  const auto* msg = static_cast<const MSG*>(message);
  if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == kAboutCommand) {
    ShowAbout();
    *result = 0;
    return true;
  }
  return QDialog::nativeEvent(eventType, message, result);
}
#else
void CScorecardDlg::AddAboutToSystemMenu() {}
#endif

}  // namespace larkspin
