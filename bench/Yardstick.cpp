// larkspin_yardstick: the main window's widget tree and nothing else: the same menus, fields,
// boxes, sums, buttons and an empty 76-column table, laid out alike, with no data, no files, no
// model of our own and no handlers, linking Qt Widgets alone. What a start costs Qt itself, for
// larkspin_launch_bench to hold the real program's start against.

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <limits>
#include <utility>

namespace {

QComboBox* DropDown(QWidget* parent, const QStringList& entries) {
  auto* box = new QComboBox(parent);
  box->setEditable(true);
  box->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);
  box->addItems(entries);
  box->setCurrentIndex(-1);  // the window's boxes show no entry until a round does
  return box;
}

QLineEdit* Field(QWidget* parent, bool readOnly) {
  auto* field = new QLineEdit(parent);
  field->setMaxLength(std::numeric_limits<int>::max());
  field->setReadOnly(readOnly);
  field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("8888")) + 8);
  field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("888888")) + 8);
  return field;
}

QGroupBox* HoleBox(int hole, QWidget* parent, const QStringList& clubs) {
  auto* box = new QGroupBox(QStringLiteral("Hole %1:").arg(hole), parent);
  auto* layout = new QGridLayout(box);
  layout->setContentsMargins(4, 2, 4, 4);
  layout->setHorizontalSpacing(3);
  layout->setVerticalSpacing(2);
  layout->addWidget(Field(box, true), 0, 1);
  auto* club = DropDown(box, clubs);
  club->setMinimumContentsLength(3);
  club->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  club->setIconSize(QSize(0, 0));
  QWidget* const fields[] = {Field(box, false), Field(box, false), club, Field(box, false)};
  // Holes 4, 5, 13 and 14 have no "P" beside their putts.
  const bool marksPutts = hole != 4 && hole != 5 && hole != 13 && hole != 14;
  const char* const marks[] = {"S", "D", "C", marksPutts ? "P" : nullptr};
  for (int row = 0; row < 4; ++row) {
    if (marks[row]) {
      auto* label = new QLabel(QString::fromLatin1(marks[row]), box);
      label->setBuddy(fields[row]);
      layout->addWidget(label, row + 1, 0);
    }
    layout->addWidget(fields[row], row + 1, 1);
  }
  return box;
}

QLineEdit* SumField(QWidget* parent) {
  QLineEdit* field = Field(parent, true);
  field->setFocusPolicy(Qt::NoFocus);
  field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("+888")) + 8);
  return field;
}

// The sums beside the holes: par, strokes and putts, with the drive and club rows left empty but
// as high as a hole's; "Total" shows the score to par there.
QGroupBox* SumsBox(const QString& title, bool toPar, const QGroupBox& hole, QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  auto* layout = new QGridLayout(box);
  layout->setContentsMargins(4, 2, 4, 4);
  layout->setHorizontalSpacing(3);
  layout->setVerticalSpacing(2);
  layout->addWidget(SumField(box), 0, 1);
  for (const auto& [row, mark] : {std::pair{1, "S"}, std::pair{4, "P"}}) {
    QLineEdit* field = SumField(box);
    auto* label = new QLabel(QString::fromLatin1(mark), box);
    label->setBuddy(field);
    layout->addWidget(label, row, 0);
    layout->addWidget(field, row, 1);
  }
  layout->setRowMinimumHeight(2, hole.findChild<QLineEdit*>()->sizeHint().height());
  layout->setRowMinimumHeight(3, hole.findChild<QComboBox*>()->sizeHint().height());
  if (toPar) {
    QLineEdit* field = SumField(box);
    auto* label = new QLabel(QStringLiteral("To par"), box);
    label->setBuddy(field);
    layout->addWidget(label, 2, 0, 1, 2, Qt::AlignLeft | Qt::AlignBottom);
    layout->addWidget(field, 3, 1, Qt::AlignVCenter);
  }
  return box;
}

QStringList Headings() {
  QStringList headings = {QStringLiteral("Course"), QStringLiteral("Date"), QStringLiteral("Total"),
                          QStringLiteral("To par")};
  for (const char* prefix : {"", "D", "C", "P"}) {
    for (int hole = 1; hole <= 18; ++hole)
      headings.append(QString::fromLatin1(prefix) + QString::number(hole));
  }
  return headings;
}

void BuildMenus(QMenuBar* bar) {
  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
  QMenu* view = bar->addMenu(QStringLiteral("&View"));
  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  file->addAction(QStringLiteral("&Export Rounds…"));
  file->addAction(QStringLiteral("Export &Courses…"));
  file->addAction(QStringLiteral("&Import Rounds…"));
  file->addAction(QStringLiteral("I&mport Courses…"));
  file->addSeparator();
  file->addAction(QStringLiteral("&Quit"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  edit->addAction(QStringLiteral("&Undo"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  edit->addAction(QStringLiteral("&Redo"))
      ->setShortcuts(
          {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  edit->addSeparator();
  edit->addAction(QStringLiteral("Course &Ratings\u2026"));
  view->addAction(QStringLiteral("&Trends\u2026"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  view->addAction(QStringLiteral("&Handicap\u2026"))
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
  help->addAction(QStringLiteral("&User Guide"))->setShortcut(QKeySequence(Qt::Key_F1));
  help->addAction(QStringLiteral("&About LKS..."));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QDialog window;
  window.setWindowTitle(QStringLiteral("Larkspin"));
  window.setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  window.setSizeGripEnabled(true);
  const QStringList clubs = {"1I", "2I", "3I", "4I", "5I", "6I", "7I", "8I", "9I",
                             "1W", "2W", "3W", "4W", "5W", "D",  "PW", "SW"};

  auto* bar = new QMenuBar(&window);
  BuildMenus(bar);

  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(QStringLiteral("Course:"), &window));
  top->addWidget(DropDown(&window, {}), 1);
  for (const char* caption : {"Add", "Update", "Remove"})
    top->addWidget(new QPushButton(QString::fromLatin1(caption), &window));
  top->addSpacing(12);
  top->addWidget(new QPushButton(QStringLiteral("Date:"), &window));
  auto* dateField = new QLineEdit(&window);
  dateField->setReadOnly(true);
  dateField->setFixedWidth(
      dateField->fontMetrics().horizontalAdvance(QStringLiteral("8888-88-888")) + 12);
  top->addWidget(dateField);

  auto* grid = new QGridLayout;
  grid->setSpacing(4);
  QGroupBox* hole = nullptr;
  for (int i = 0; i < 18; ++i)
    grid->addWidget(hole = HoleBox(i + 1, &window, clubs), i / 9, i % 9);
  grid->addWidget(SumsBox(QStringLiteral("Out"), false, *hole, &window), 0, 9);
  grid->addWidget(SumsBox(QStringLiteral("In"), false, *hole, &window), 1, 9);
  grid->addWidget(SumsBox(QStringLiteral("Total"), true, *hole, &window), 1, 10);

  auto* table = new QTableView(&window);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setWordWrap(false);
  table->setTextElideMode(Qt::ElideNone);
  table->setShowGrid(false);
  table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  table->verticalHeader()->hide();
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
  table->horizontalHeader()->setHighlightSections(false);
  table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  auto* model = new QStandardItemModel(0, 76, &window);
  model->setHorizontalHeaderLabels(Headings());
  table->setModel(model);

  auto* scoreButtons = new QHBoxLayout;
  for (const char* caption : {"Add Score", "Remove Score", "Update Score"})
    scoreButtons->addWidget(new QPushButton(QString::fromLatin1(caption), &window));
  scoreButtons->addSpacing(12);
  for (const char* caption : {"Clear", "Wizard"})
    scoreButtons->addWidget(new QPushButton(QString::fromLatin1(caption), &window));
  scoreButtons->addStretch();
  auto* roundCount = new QLineEdit(QStringLiteral("0"), &window);
  roundCount->setReadOnly(true);
  roundCount->setAlignment(Qt::AlignRight);
  roundCount->setFixedWidth(
      roundCount->fontMetrics().horizontalAdvance(QStringLiteral("88888888")) + 12);
  scoreButtons->addWidget(roundCount);

  auto* reportButtons = new QHBoxLayout;
  QComboBox* period = DropDown(&window, {"Month", "6 Months", "Year", "Eternity"});
  period->setMinimumContentsLength(9);
  reportButtons->addWidget(period);
  for (const char* caption : {"Course Report", "Overall Report", "Trends", "Handicap"})
    reportButtons->addWidget(new QPushButton(QString::fromLatin1(caption), &window));
  reportButtons->addStretch();
  reportButtons->addWidget(new QPushButton(QStringLiteral("Help"), &window));
  auto* quit = new QPushButton(QStringLiteral("Quit"), &window);
  quit->setDefault(true);
  reportButtons->addWidget(quit);

  auto* layout = new QVBoxLayout(&window);
  layout->setMenuBar(bar);
  layout->addLayout(top);
  layout->addLayout(grid);
  layout->addWidget(table, 1);
  layout->addLayout(scoreButtons);
  layout->addLayout(reportButtons);

  QSize size = window.sizeHint();
  size.rheight() += 12 * table->verticalHeader()->defaultSectionSize();
  if (window.screen()) size = size.boundedTo(window.screen()->availableGeometry().size() * 9 / 10);
  window.resize(size.expandedTo(window.minimumSizeHint()));
  return window.exec();
}
