// The main window as a user drives it, offscreen; message boxes and dialogs are answered by fakes.
#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QtTest>

#include "CAboutDlg.h"
#include "CScorecardDlg.h"
#include "HoleBox.h"
#include "RoundListModel.h"
#include "RoundListView.h"
#include "support/FakeServices.h"
#include "support/Files.h"
#include "support/MainWindow.h"
#include "support/TabOrder.h"

using namespace larkspin;
using larkspin::testing::ReadFile;
using larkspin::testing::ScorecardHarness;
using larkspin::testing::WriteFile;

namespace {

QByteArray RoundFile(std::initializer_list<std::pair<const char*, const char*>> rounds) {
  QByteArray file = "CREATOR=LARKSP 1.0";
  bool first = true;
  for (const auto& [course, date] : rounds) {
    if (!first) file += "\r\n";
    first = false;
    file += QByteArray("\r\nCOURSE=") + course + "\r\nDATE=" + date + "\r\nS1=4\r\nC1=7I";
  }
  return file + "\r\n";
}

QPoint RowCenter(const RoundListView* view, int row) {
  return view->visualRect(view->model()->index(row, 0)).center();
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    harness_ = std::make_unique<ScorecardHarness>();
    QVERIFY(WriteFile(
        harness_->FilePath("lks.dat"),
        RoundFile({{"Pine", "2003-09-01"}, {"Oak", "2003-09-02"}, {"Elm", "2003-09-03"}})));
    QVERIFY(WriteFile(harness_->FilePath("courses.dat"),
                      "COURSE=Oak Hills\r\nDATE=\r\nS1=3\r\nS2=5\r\n"));
  }

  void cleanup() {
    window_.reset();
    harness_.reset();
  }

  void opening_showsRoundsCoursesAndEmptyGrid() {
    auto& w = Open();
    QCOMPARE(w.Widgets().rounds->model()->rowCount(), 3);
    QCOMPARE(w.Widgets().roundCount->text(), QStringLiteral("3"));
    QCOMPARE(w.Widgets().course->count(), 1);
    QCOMPARE(w.Widgets().course->currentText(), QString());
    QCOMPARE(w.Widgets().period->count(), 4);
    QCOMPARE(w.Widgets().holes[0]->club->count(), 17);
    QCOMPARE(w.Widgets().holes[0]->club->itemText(14), QStringLiteral("D"));
  }

  void clickOnRow_loadsItAndThePrefixMatchedCourse() {
    auto& w = Open();
    auto* view = w.Widgets().rounds;
    // Row 1 is the round at "Oak"; the selector holds "Oak Hills", which begins with it.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, RowCenter(view, 1));
    QCOMPARE(w.Widgets().course->currentText(), QStringLiteral("Oak Hills"));
    QCOMPARE(w.Widgets().dateField->text(), QStringLiteral("2003-09-02"));
    QCOMPARE(w.Widgets().holes[0]->strokes->text(), QStringLiteral("4"));
    QCOMPARE(w.Widgets().holes[0]->club->currentText(), QStringLiteral("7I"));
    QCOMPARE(w.Widgets().holes[0]->par->text(), QStringLiteral("3"));
    QCOMPARE(w.Widgets().holes[1]->par->text(), QStringLiteral("5"));
  }

  // A line edit keeps 32,767 characters unless told otherwise: every field of a cell takes more.
  void longCells_goIntoTheGridAndBackWhole() {
    RoundRecord round;
    QByteArray file = "CREATOR=LARKSP 1.0";
    for (int column = 0; column < kRoundColumns; ++column) {
      round[column] = std::string(40000, static_cast<char>('a' + column % 26));
      std::string key(RoundColumnHeading(column));
      if (column == kCourseColumn) key = "COURSE";
      if (column == kDateColumn) key = "DATE";
      if (column >= ScoreColumn(1) && column <= ScoreColumn(kHoles)) key = "S" + key;
      file += QByteArray("\r\n") + key.c_str() + "=" + round[column].c_str();
    }
    QVERIFY(WriteFile(harness_->FilePath("lks.dat"), file + "\r\n"));
    auto& w = Open();
    auto* view = w.Widgets().rounds;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, RowCenter(view, 0));
    QTest::mouseClick(w.Widgets().updateScore, Qt::LeftButton);
    for (int column = 0; column < kRoundColumns; ++column) {
      QVERIFY2(w.Core().Rounds().Table().Cell(0, column) == round[column],
               RoundColumnHeading(column).data());
    }
  }

  void keyboardMove_selectsWithoutLoading() {
    auto& w = Open();
    auto* view = w.Widgets().rounds;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, RowCenter(view, 0));
    QCOMPARE(w.Widgets().course->currentText(), QStringLiteral("Elm"));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Down);
    QCOMPARE(w.Core().Rounds().SelectedRow(), 1);
    QCOMPARE(w.Widgets().course->currentText(), QStringLiteral("Elm"));
    QCOMPARE(w.Widgets().dateField->text(), QStringLiteral("2003-09-03"));
  }

  void clear_emptiesGridButKeepsPeriodCountAndSelection() {
    auto& w = Open();
    auto* view = w.Widgets().rounds;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, RowCenter(view, 2));
    w.Widgets().period->setEditText(QStringLiteral("Year"));
    QTest::mouseClick(w.Widgets().clear, Qt::LeftButton);
    QCOMPARE(w.Widgets().course->currentText(), QString());
    QCOMPARE(w.Widgets().dateField->text(), QString());
    QCOMPARE(w.Widgets().holes[0]->strokes->text(), QString());
    QCOMPARE(w.Widgets().holes[0]->club->currentText(), QString());
    QCOMPARE(w.Widgets().period->currentText(), QStringLiteral("Year"));
    QCOMPARE(w.Widgets().roundCount->text(), QStringLiteral("3"));
    QCOMPARE(view->SelectedRow(), 2);
  }

  void typedCourseName_staysAsTypedUntilACommandShowsIt() {
    auto& w = Open();
    QLineEdit* edit = w.Widgets().course->lineEdit();
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("oak"));
    w.Widgets().holes[0]->strokes->setFocus();  // leaving the box picks nothing
    QCOMPARE(w.Widgets().course->currentText(), QStringLiteral("oak"));
    QCOMPARE(w.Widgets().holes[0]->par->text(), QString());
    // Any command shows the form: the first entry beginning with the text, whatever its case.
    QTest::mouseClick(w.Widgets().updateScore, Qt::LeftButton);
    QCOMPARE(w.Widgets().course->currentText(), QStringLiteral("Oak Hills"));
  }

  void pickingACourse_fillsThePars() {
    auto& w = Open();
    w.Widgets().course->setCurrentIndex(0);
    emit w.Widgets().course->activated(0);
    QCOMPARE(w.Widgets().holes[0]->par->text(), QStringLiteral("3"));
    QCOMPARE(w.Widgets().holes[2]->par->text(), QString());
  }

  void headingClick_sortsAndSelectionFollowsItsRound() {
    auto& w = Open();
    auto* view = w.Widgets().rounds;
    // Rows stand Elm, Oak, Pine with the latest date on top.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, RowCenter(view, 0));
    QHeaderView* header = view->horizontalHeader();
    const QPoint dateHeading(header->sectionViewportPosition(1) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, dateHeading);
    QCOMPARE(view->model()->index(0, 0).data().toString(), QStringLiteral("Pine"));
    QCOMPARE(view->model()->index(2, 0).data().toString(), QStringLiteral("Elm"));
    QCOMPARE(view->SelectedRow(), 2);
    QCOMPARE(w.Core().Rounds().SelectedRow(), 2);
    QCOMPARE(w.Widgets().course->currentText(), QStringLiteral("Elm"));  // grid unchanged
  }

  void removeScore_leavesNoRowSelectedSoASecondPressRemovesNothing() {
    auto& w = Open();
    auto* view = w.Widgets().rounds;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, RowCenter(view, 1));
    QTest::mouseClick(w.Widgets().removeScore, Qt::LeftButton);
    QCOMPARE(w.Widgets().roundCount->text(), QStringLiteral("2"));
    QCOMPARE(view->SelectedRow(), -1);
    QCOMPARE(w.Core().Rounds().SelectedRow(), -1);
    QVERIFY(view->selectionModel()->selectedIndexes().isEmpty());

    QTest::mouseClick(w.Widgets().removeScore, Qt::LeftButton);
    w.Widgets().course->setEditText(QStringLiteral("Birch"));
    QTest::mouseClick(w.Widgets().updateScore, Qt::LeftButton);
    QCOMPARE(w.Widgets().roundCount->text(), QStringLiteral("2"));
    QCOMPARE(view->model()->index(0, 0).data().toString(), QStringLiteral("Elm"));
    QCOMPARE(view->model()->index(1, 0).data().toString(), QStringLiteral("Pine"));
  }

  void roundList_removingTheSelectedRowSelectsNoNeighbour() {
    RoundTable table;
    for (const char* course : {"Elm", "Oak", "Pine"})
      table.InsertRow(0, RoundRecord{course});
    const CourseTable courses;
    RoundListModel model(table, courses);
    RoundListView view;
    view.setModel(&model);
    view.show();
    view.SetSelectedRow(1);
    view.setCurrentIndex(model.index(1, 0));
    table.RemoveRow(1);
    QCOMPARE(view.SelectedRow(), -1);
    QVERIFY(view.selectionModel()->selectedIndexes().isEmpty());
  }

  void removeScoreOfLastRow_selectsNoNeighbourEither() {
    auto& w = Open();
    auto* view = w.Widgets().rounds;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, RowCenter(view, 2));
    QTest::mouseClick(w.Widgets().removeScore, Qt::LeftButton);
    QCOMPARE(view->SelectedRow(), -1);
    QCOMPARE(w.Core().Rounds().SelectedRow(), -1);
    // The keyboard still starts from where the user was.
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Up);
    QCOMPARE(w.Core().Rounds().SelectedRow(), view->SelectedRow());
    QVERIFY(view->SelectedRow() >= 0);
  }

  void blankCourseOnAddScore_isReportedAndAddsNothing() {
    auto& w = Open();
    QTest::mouseClick(w.Widgets().addScore, Qt::LeftButton);
    QCOMPARE(harness_->prompter.messages.size(), std::size_t{1});
    QCOMPARE(harness_->prompter.messages[0].title, std::string("Error"));
    QCOMPARE(w.Widgets().roundCount->text(), QStringLiteral("3"));
  }

  void dateButton_writesThePickedDay() {
    auto& w = Open();
    harness_->datePicker.pick = QDate(2003, 10, 1);
    QTest::mouseClick(w.Widgets().date, Qt::LeftButton);
    QCOMPARE(w.Widgets().dateField->text(), QStringLiteral("2003-10-01"));
    QCOMPARE(harness_->datePicker.opened.back(), harness_->clock.today);
  }

  void helpButton_opensTheHelpPage() {
    auto& w = Open();
    QTest::mouseClick(w.Widgets().help, Qt::LeftButton);
    QCOMPARE(harness_->opener.opened.size(), std::size_t{1});
  }

  void closing_savesBothFiles_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Esc") << int(Qt::Key_Escape);
    QTest::newRow("Enter in a grid field") << int(Qt::Key_Return);
  }
  void closing_savesBothFiles() {
    QFETCH(int, key);
    auto& w = Open();
    w.Widgets().course->setEditText(QStringLiteral("Birch"));
    QTest::mouseClick(w.Widgets().addCourse, Qt::LeftButton);
    QLineEdit* strokes = w.Widgets().holes[3]->strokes;
    strokes->setFocus();
    harness_->prompter.defaultChoice = 0;  // the course's name in the grid: close without adding
    QTest::keyClick(strokes, static_cast<Qt::Key>(key));
    QVERIFY(!w.isVisible());
    QVERIFY(ReadFile(harness_->FilePath("courses.dat")).contains("COURSE=Birch"));
    // Written anew: the loaded file had only S1 and C1 for each round.
    const QByteArray rounds = ReadFile(harness_->FilePath("lks.dat"));
    QCOMPARE(rounds.count("COURSE="), 3);
    QCOMPARE(rounds.count("\r\nP18=\r\n"), 3);
  }

  // A round typed into the grid and not added: every way of closing asks first; Cancel keeps the
  // window and the typing, "Close Without Adding" closes. Without one the window closes at once.
  void typedRound_closingAsksFirst_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("Quit") << 0;
    QTest::newRow("Enter") << 1;
    QTest::newRow("Escape") << 2;
    QTest::newRow("close box") << 3;
  }
  void typedRound_closingAsksFirst() {
    QFETCH(int, way);
    auto& w = Open();
    QLineEdit* strokes = w.Widgets().holes[4]->strokes;
    const auto close = [&] {
      switch (way) {
        case 0:
          QTest::mouseClick(w.Widgets().quit, Qt::LeftButton);
          break;
        case 1:
        case 2:
          strokes->setFocus();
          QTest::keyClick(strokes, way == 1 ? Qt::Key_Return : Qt::Key_Escape);
          break;
        default:
          w.close();
      }
    };
    QTest::keyClicks(strokes, QStringLiteral("5"));
    close();
    QVERIFY(w.isVisible());
    const auto& messages = harness_->prompter.messages;
    QCOMPARE(messages.size(), std::size_t{1});
    QCOMPARE(messages[0].title, std::string("Larkspin"));
    QCOMPARE(messages[0].text, std::string("The round in the grid has not been added."));
    QCOMPARE(messages[0].buttons, (std::vector<std::string>{"Close Without Adding", "Cancel"}));
    QCOMPARE(strokes->text(), QStringLiteral("5"));

    harness_->prompter.choices = {0};
    close();
    QVERIFY(!w.isVisible());
    QCOMPARE(messages.size(), std::size_t{2});
  }

  void noTypedRound_afterAClickOnTheListOrClear_closesWithoutAsking() {
    auto& w = Open();
    auto* view = w.Widgets().rounds;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, RowCenter(view, 1));
    QTest::mouseClick(w.Widgets().quit, Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QVERIFY(harness_->prompter.messages.empty());
  }

  void failedSaveAtClose_asksAndNoKeepsWindowOpenWithEveryEdit() {
    auto& w = Open();
    QVERIFY(QFile::remove(harness_->FilePath("lks.dat")));
    QVERIFY(QDir(harness_->dir.path()).mkdir(QStringLiteral("lks.dat")));
    w.Widgets().course->setEditText(QStringLiteral("Birch"));
    w.Widgets().holes[2]->strokes->setText(QStringLiteral("5"));
    w.Widgets().holes[2]->club->setEditText(QStringLiteral("PW"));
    harness_->prompter.defaultChoice = 0;  // "Close Without Adding"

    QTest::mouseClick(w.Widgets().quit, Qt::LeftButton);
    QVERIFY(!w.close());  // the close box too
    QVERIFY(w.isVisible());
    const auto& messages = harness_->prompter.messages;
    QCOMPARE(messages.size(), std::size_t{6});
    QCOMPARE(messages[1].title, std::string("Error Writing File"));
    QVERIFY(messages[2].question && messages[2].noByDefault);
    QCOMPARE(w.Widgets().course->currentText(), QStringLiteral("Birch"));
    QCOMPARE(w.Widgets().holes[2]->strokes->text(), QStringLiteral("5"));
    QCOMPARE(w.Widgets().holes[2]->club->currentText(), QStringLiteral("PW"));
    QCOMPARE(w.Widgets().roundCount->text(), QStringLiteral("3"));

    QVERIFY(QDir(harness_->dir.path()).rmdir(QStringLiteral("lks.dat")));
    QTest::mouseClick(w.Widgets().quit, Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QCOMPARE(messages.size(), std::size_t{7});
    QCOMPARE(ReadFile(harness_->FilePath("lks.dat")).count("COURSE="), 3);
  }

  void unreadFile_isToldOnceOverTheOpenWindowAndLeftAsItWas() {
    const QByteArray garbage(100 * 1024, '\0');
    QVERIFY(WriteFile(harness_->FilePath("lks.dat"), garbage));
    auto& w = Open();
    QTRY_COMPARE(harness_->prompter.messages.size(), std::size_t{1});
    QCOMPARE(harness_->prompter.messages[0].title, std::string("Error Reading File"));
    QCOMPARE(w.Widgets().roundCount->text(), QStringLiteral("0"));
    QTest::mouseClick(w.Widgets().quit, Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QCOMPARE(harness_->prompter.messages.size(), std::size_t{1});
    QVERIFY(ReadFile(harness_->FilePath("lks.dat")) == garbage);
  }

  void tabOrder_followsTheLayout() {
    auto& w = Open();
    const auto& c = w.Widgets();
    QList<QWidget*> expected = {c.course, c.addCourse, c.updateCourse, c.removeCourse, c.date};
    for (const HoleBox* hole : c.holes)
      expected << hole->strokes << hole->drive << hole->club << hole->putts;
    expected << c.rounds << c.addScore << c.removeScore << c.updateScore << c.period
             << c.courseReport << c.overallReport << c.trends << c.handicap << c.clear << c.wizard
             << c.roundCount << c.help << c.quit << c.course;
    c.course->setFocus();
    larkspin::testing::VerifyTabOrder(expected);
  }

  // At every size the window can take, each row of a hole's box has its mark, visible whole and
  // beside its field: S, D, C and P, but no P on holes 4, 5, 13 and 14.
  void gridMarks_standWholeBesideTheirFields_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("as it opens") << QSize();
    QTest::newRow("smallest") << QSize(1, 1);
    QTest::newRow("1600 by 1000") << QSize(1600, 1000);
  }
  void gridMarks_standWholeBesideTheirFields() {
    QFETCH(QSize, size);
    auto& w = Open();
    if (size.isValid()) {
      w.resize(size);
      QTRY_COMPARE(w.size(), size.expandedTo(w.minimumSize()));
    }
    for (int hole = 1; hole <= kHoles; ++hole) {
      const HoleBox* box = w.Widgets().holes[hole - 1];
      QCOMPARE(box->visibleRegion(), QRegion(box->rect()));
      QStringList marks;
      for (const QLabel* label : box->findChildren<QLabel*>()) {
        marks << label->text();
        QCOMPARE(label->visibleRegion(), QRegion(label->rect()));  // shown, and not cut off
        QCOMPARE(label->size().expandedTo(label->sizeHint()), label->size());
        const QWidget* field = label->buddy();
        QVERIFY(field && field->parentWidget() == box);
        const QRect mark = label->geometry();
        QVERIFY2(mark.right() < field->x() && field->x() - mark.right() <= 12,
                 qPrintable(label->text()));
        QVERIFY(std::abs(mark.center().y() - field->geometry().center().y()) <= 2);
      }
      const bool putts = hole != 4 && hole != 5 && hole != 13 && hole != 14;
      QCOMPARE(marks.join(QString()), QString::fromLatin1(putts ? "SDCP" : "SDC"));
    }
  }

  void everyControl_hasAUniqueAccessibleName() {
    auto& w = Open();
    QSet<QString> names;
    const auto controls = w.findChildren<QWidget*>();
    for (QWidget* control : controls) {
      const bool isControl =
          qobject_cast<QAbstractButton*>(control) || qobject_cast<QComboBox*>(control) ||
          qobject_cast<QAbstractItemView*>(control) ||
          (qobject_cast<QLineEdit*>(control) && !qobject_cast<QComboBox*>(control->parentWidget()));
      if (!isControl || qobject_cast<QAbstractItemView*>(control->parentWidget())) continue;
      if (control->window() != &w) continue;  // drop-down popups
      QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
      QVERIFY(accessible);
      const QString name = accessible->text(QAccessible::Name);
      QVERIFY2(!name.isEmpty(), qPrintable(control->metaObject()->className()));
      QVERIFY2(!names.contains(name), qPrintable(name));
      names.insert(name);
    }
    QVERIFY(names.contains(QStringLiteral("Hole 18 club")));
    QVERIFY(names.contains(QStringLiteral("Course")));
    QVERIFY(names.contains(QStringLiteral("Period")));
    QVERIFY(names.contains(QStringLiteral("Add Score")));
  }

  void courseAndScoreButtons_eachRunTheirCommand() {
    auto& w = Open();
    const auto& c = w.Widgets();
    // "Update" (course): the grid's strokes become the pars of the course of that name.
    c.course->setEditText(QStringLiteral("Oak Hills"));
    c.holes[0]->strokes->setText(QStringLiteral("9"));
    QTest::mouseClick(c.updateCourse, Qt::LeftButton);
    QCOMPARE(w.Core().Courses().Table().Row(0)[ParCell(1)], std::string("9"));
    // "Update Score": the grid over the clicked row.
    auto* view = c.rounds;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, RowCenter(view, 1));
    c.holes[4]->strokes->setText(QStringLiteral("8"));
    QTest::mouseClick(c.updateScore, Qt::LeftButton);
    QCOMPARE(view->model()->index(1, ListColumn(ScoreColumn(5))).data().toString(),
             QStringLiteral("8"));
    QCOMPARE(view->model()->index(0, ListColumn(ScoreColumn(5))).data().toString(), QString());
    // "Remove" (course): the course the selector shows.
    QTest::mouseClick(c.removeCourse, Qt::LeftButton);
    QCOMPARE(c.course->count(), 0);
    QCOMPARE(w.Core().Courses().Table().RowCount(), 0);
  }

  void fieldsTheUserMayNotType_areReadOnly() {
    auto& w = Open();
    const auto& c = w.Widgets();
    QVERIFY(c.dateField->isReadOnly());
    QVERIFY(c.roundCount->isReadOnly());
    for (const HoleBox* hole : c.holes) {
      QVERIFY(hole->par->isReadOnly());
      QVERIFY(!hole->strokes->isReadOnly() && !hole->drive->isReadOnly() &&
              !hole->putts->isReadOnly());
    }
  }

  void clubBoxes_areReadWithTheGrid() {
    auto& w = Open();
    const auto& c = w.Widgets();
    c.course->setEditText(QStringLiteral("Birch"));
    c.holes[4]->club->setEditText(QStringLiteral("3w"));  // typed, not picked
    c.holes[17]->club->setCurrentIndex(16);               // picked: "SW"
    QTest::mouseClick(c.addScore, Qt::LeftButton);
    QCOMPARE(c.rounds->model()->index(0, ListColumn(ClubColumn(5))).data().toString(),
             QStringLiteral("3w"));
    QCOMPARE(c.rounds->model()->index(0, ListColumn(ClubColumn(18))).data().toString(),
             QStringLiteral("SW"));
    QCOMPARE(c.holes[4]->club->currentText(), QStringLiteral("3W"));  // shown: the entry
  }

  // The boxes' lists are built when first opened: each opens with its entries, the entry under
  // the mouse is the one Enter picks, and the course's pick fills the pars.
  void dropDownLists_openWithTheirEntriesAndTheOnePointedAtIsPicked() {
    auto& w = Open();
    const auto& c = w.Widgets();
    const struct {
      QComboBox* box;
      int row;
      QString picked;
    } cases[] = {{c.course, 0, QStringLiteral("Oak Hills")},
                 {c.holes[2]->club, 3, QStringLiteral("4I")},
                 {c.period, 2, QStringLiteral("Year")}};
    for (const auto& [box, row, picked] : cases) {
      box->showPopup();
      QAbstractItemView* list = box->view();
      QTRY_VERIFY(list->isVisible());
      QCOMPARE(list->model()->rowCount(), box->count());
      const QPoint entry = list->visualRect(list->model()->index(row, 0)).center();
      QTest::mouseMove(list->viewport(), entry);
      QTest::keyClick(list, Qt::Key_Return);
      QTRY_VERIFY(!list->isVisible());
      QCOMPARE(box->currentText(), picked);
    }
    QCOMPARE(c.holes[1]->par->text(), QStringLiteral("5"));
  }

  void commands_readWhatWasTypedBeforeTheyAct() {
    auto& w = Open();
    const auto& c = w.Widgets();
    c.holes[2]->strokes->setText(QStringLiteral("7"));
    QTest::mouseClick(c.date, Qt::LeftButton);
    QCOMPARE(c.holes[2]->strokes->text(), QStringLiteral("7"));

    c.holes[1]->drive->setText(QStringLiteral("250"));
    QHeaderView* header = c.rounds->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
    QCOMPARE(c.holes[1]->drive->text(), QStringLiteral("250"));

    c.holes[0]->putts->setText(QStringLiteral("2"));
    c.course->setCurrentIndex(0);
    emit c.course->activated(0);
    QCOMPARE(c.holes[0]->par->text(), QStringLiteral("3"));
    QCOMPARE(c.holes[0]->putts->text(), QStringLiteral("2"));
    QCOMPARE(c.holes[2]->strokes->text(), QStringLiteral("7"));
    QCOMPARE(c.holes[1]->drive->text(), QStringLiteral("250"));
  }

  void courseSelector_pickingTheFirstEntryByKeyboardAndAddingKeepsIt() {
    auto& w = Open();
    const auto& c = w.Widgets();
    c.course->setEditText(QStringLiteral("Zeta"));
    QTest::mouseClick(c.addCourse, Qt::LeftButton);
    c.course->setFocus();
    c.course->setCurrentIndex(1);
    QTest::keyClick(c.course->lineEdit(), Qt::Key_Up);  // a pick of the first entry
    QCOMPARE(c.course->currentIndex(), 0);
    QCOMPARE(c.course->currentText(), QStringLiteral("Oak Hills"));
    QCOMPARE(c.holes[1]->par->text(), QStringLiteral("5"));
    c.course->setEditText(QStringLiteral("Aspen"));
    QTest::mouseClick(c.addCourse, Qt::LeftButton);
    QCOMPARE(c.course->count(), 3);
    QCOMPARE(c.course->itemText(0), QStringLiteral("Aspen"));
  }

  void roundList_isFittedWhenTheWindowOpens() {
    QVERIFY(QFile::remove(harness_->FilePath("lks.dat")));
    auto& w = Open();
    QHeaderView* header = w.Widgets().rounds->horizontalHeader();
    for (const int column : {0, 1, 2, 73}) {
      QVERIFY(header->sectionSizeHint(column) > 0);
      QCOMPARE(header->sectionSize(column), header->sectionSizeHint(column));
    }
  }

  void roundList_hasTheHeadingsOfItsColumns() {
    auto& w = Open();
    const QAbstractItemModel* model = w.Widgets().rounds->model();
    QCOMPARE(model->columnCount(), 76);
    const std::pair<int, const char*> headings[] = {
        {0, "Course"}, {1, "Date"}, {2, "Total"}, {3, "To par"}, {4, "1"},   {21, "18"},
        {22, "D1"},    {39, "D18"}, {40, "C1"},   {57, "C18"},   {58, "P1"}, {75, "P18"}};
    for (const auto& [column, heading] : headings) {
      QCOMPARE(model->headerData(column, Qt::Horizontal).toString(), QString::fromLatin1(heading));
    }
  }

  void rightClick_offersAboutWhichOpensTheAboutBox() {
    auto& w = Open();
    QString entry;
    QString aboutTitle;
    // The menu and the About box are modal: looked into and closed from the event loop.
    QTimer::singleShot(100, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menu || menu->actions().isEmpty()) return;
      entry = menu->actions().front()->text();
      QTimer::singleShot(100, [&] {
        if (auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget())) {
          aboutTitle = about->windowTitle();
          about->accept();
        }
      });
      menu->actions().front()->trigger();
      menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), w.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&w, &event);
    QTRY_COMPARE(aboutTitle, QStringLiteral("About LKS"));
    QCOMPARE(entry, QStringLiteral("&About LKS..."));
    QVERIFY(w.isVisible());
  }

  void aboutBox_showsNameVersionAndLicence() {
    CAboutDlg about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About LKS"));
    const auto labels = about.findChildren<QLabel*>();
    for (const QString& text :
         {QStringLiteral("Larkspin Version 1.0"),
          QStringLiteral(
              "Free software under the GNU General Public License, version 3 or later")}) {
      QVERIFY2(std::any_of(labels.begin(), labels.end(),
                           [&](const QLabel* label) { return label->text() == text; }),
               qPrintable(text));
    }
  }

 private:
  CScorecardDlg& Open() {
    window_ = larkspin::testing::OpenMainWindow(harness_->services);
    return *window_;
  }

  std::unique_ptr<ScorecardHarness> harness_;
  std::unique_ptr<CScorecardDlg> window_;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
