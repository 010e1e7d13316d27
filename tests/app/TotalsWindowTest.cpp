// Out, In and Total beside the grid, and the round list's "Total" and "To par", in the real
// window: what the groups show as the fields change, the sort by a figure, and the files.
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "CScorecardDlg.h"
#include "HoleBox.h"
#include "RoundListModel.h"
#include "RoundListView.h"
#include "TotalsBox.h"
#include "support/FakeServices.h"
#include "support/Files.h"
#include "support/MainWindow.h"

using namespace larkspin;
using larkspin::testing::ReadFile;
using larkspin::testing::ScorecardHarness;

namespace {

// three_rounds.dat, top first: Oak Creek (81 strokes, no course), Château Vert (83 strokes, par
// 5 on every hole: -7), Pine Hills (81 strokes, par 4 on every hole: +9).
QByteArray Courses() {
  QByteArray file = "CREATOR=LARKSP 1.0\r\n";
  for (const auto& [name, par] : {std::pair{"Pine Hills", "4"}, {"Ch\xC3\xA2teau Vert", "5"}}) {
    file += QByteArray("COURSE=") + name + "\r\nDATE=\r\n";
    for (int hole = 1; hole <= kHoles; ++hole)
      file += "S" + QByteArray::number(hole) + "=" + par + "\r\n";
    file += "\r\n";
  }
  return file;
}

// What the groups show: Out, In and Total (par, strokes, putts), then To par.
QStringList Shown(const CScorecardDlg& window) {
  const auto& c = window.Widgets();
  QStringList texts;
  for (const TotalsBox* box : {c.out, c.in, c.total})
    texts << box->par->text() << box->strokes->text() << box->putts->text();
  return texts << c.total->toPar->text();
}

const QStringList kNothing = {"", "", "", "", "", "", "", "", "", ""};
const QStringList kPineHills = {"36", "40", "18", "36", "41", "18", "72", "81", "36", "+9"};
const QStringList kChateauVert = {"45", "41", "18", "45", "42", "18", "90", "83", "36", "-7"};

}  // namespace

class TotalsWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    harness_ = std::make_unique<ScorecardHarness>();
    QVERIFY(testing::WriteFile(harness_->FilePath("lks.dat"), Rounds()));
    QVERIFY(testing::WriteFile(harness_->FilePath("courses.dat"), Courses()));
    window_ = testing::OpenMainWindow(harness_->services);
  }
  void cleanup() {
    window_.reset();
    harness_.reset();
  }

  void groups_followTypingAListClickClearAndUndo() {
    const auto& c = window_->Widgets();
    QCOMPARE(Shown(*window_), kNothing);
    const int pine = c.course->findText(QStringLiteral("Pine Hills"));
    c.course->setCurrentIndex(pine);
    emit c.course->activated(pine);
    QCOMPARE(Shown(*window_), QStringList({"36", "", "", "36", "", "", "72", "", "", ""}));

    QTest::keyClicks(c.holes[0]->strokes, QStringLiteral("5"));
    QTest::keyClicks(c.holes[9]->strokes, QStringLiteral("3"));
    QTest::keyClicks(c.holes[0]->putts, QStringLiteral("2"));
    QCOMPARE(Shown(*window_), QStringList({"36", "5", "2", "36", "3", "", "72", "8", "2", "E"}));
    QTest::keyClick(c.holes[9]->strokes, Qt::Key_Z, Qt::ControlModifier);  // the field's undo
    QCOMPARE(Shown(*window_), QStringList({"36", "5", "2", "36", "", "", "72", "5", "2", "+1"}));

    ClickRow(2);
    QCOMPARE(Shown(*window_), kPineHills);
    QTest::mouseClick(c.clear, Qt::LeftButton);
    QCOMPARE(Shown(*window_), kNothing);

    ClickRow(1);
    QCOMPARE(Shown(*window_), kChateauVert);
    QTest::mouseClick(c.removeScore, Qt::LeftButton);
    QTest::mouseClick(c.clear, Qt::LeftButton);
    window_->MenuBar().undo->trigger();  // the round comes back and is shown
    QCOMPARE(Shown(*window_), kChateauVert);
  }

  void fields_areNamedReadOnlyLevelWithTheHolesAndNeverTakeTheFocus() {
    const auto& c = window_->Widgets();
    const struct {
      QLineEdit* field;
      const char* name;
      QWidget* level;  // the hole's field on the same row
    } fields[] = {
        {c.out->par, "Out par", c.holes[8]->par},
        {c.out->strokes, "Out strokes", c.holes[8]->strokes},
        {c.out->putts, "Out putts", c.holes[8]->putts},
        {c.in->par, "In par", c.holes[17]->par},
        {c.in->strokes, "In strokes", c.holes[17]->strokes},
        {c.in->putts, "In putts", c.holes[17]->putts},
        {c.total->par, "Total par", c.holes[17]->par},
        {c.total->strokes, "Total strokes", c.holes[17]->strokes},
        {c.total->putts, "Total putts", c.holes[17]->putts},
        {c.total->toPar, "To par", c.holes[17]->club},
    };
    const auto top = [this](const QWidget* field) {
      return field->mapTo(window_.get(), QPoint()).y();
    };
    c.holes[0]->strokes->setFocus();
    for (const auto& [field, name, level] : fields) {
      QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(field);
      QVERIFY(accessible);
      QCOMPARE(accessible->text(QAccessible::Name), QString::fromLatin1(name));
      QVERIFY(field->isReadOnly());
      QCOMPARE(top(field), top(level));
      QTest::mouseClick(field, Qt::LeftButton);
      QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(c.holes[0]->strokes));
    }
  }

  void clickTotalOrToPar_sortsKeepingTheSelectedRoundAndTheGrid() {
    const auto& c = window_->Widgets();
    ClickRow(1);  // Château Vert
    const struct {
      RoundFigure figure;
      QStringList courses;  // top first
      int selected;
    } clicks[] = {
        {RoundFigure::kTotal, {"Oak Creek", "Pine Hills", "Château Vert"}, 2},
        {RoundFigure::kTotal, {"Château Vert", "Pine Hills", "Oak Creek"}, 0},
        {RoundFigure::kToPar, {"Oak Creek", "Pine Hills", "Château Vert"}, 2},  // was in order
        {RoundFigure::kToPar, {"Château Vert", "Pine Hills", "Oak Creek"}, 0},
    };
    for (const auto& click : clicks) {
      QHeaderView* header = c.rounds->horizontalHeader();
      const int column = ListColumn(click.figure);
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                        QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
      QStringList courses;
      for (int row = 0; row < c.rounds->model()->rowCount(); ++row)
        courses << c.rounds->model()->index(row, 0).data().toString();
      QCOMPARE(courses, click.courses);
      QCOMPARE(c.rounds->SelectedRow(), click.selected);
      QCOMPARE(window_->Core().Rounds().SelectedRow(), click.selected);
      QCOMPARE(Shown(*window_), kChateauVert);
    }
  }

  void roundList_showsTheFiguresAndTheFilesStayAsTheyWere() {
    const auto& c = window_->Widgets();
    const QAbstractItemModel* model = c.rounds->model();
    QStringList figures;
    for (int row = 0; row < model->rowCount(); ++row) {
      figures << model->index(row, ListColumn(RoundFigure::kTotal)).data().toString()
              << model->index(row, ListColumn(RoundFigure::kToPar)).data().toString();
    }
    QCOMPARE(figures, QStringList({"81", "", "83", "-7", "81", "+9"}));

    ClickRow(2);
    QTest::keyClicks(c.holes[0]->strokes, QStringLiteral("7"));
    harness_->fileChooser.path = harness_->FilePath("rounds.csv");
    window_->MenuBar().exportRounds->trigger();
    QTest::mouseClick(c.quit, Qt::LeftButton);
    QCOMPARE(ReadFile(harness_->FilePath("lks.dat")), Rounds());
    const QByteArray csv = ReadFile(harness_->FilePath("rounds.csv"));
    const QByteArray exported = ReadFile(LARKSPIN_TEST_DATA "/csv/exported_rounds.csv");
    QCOMPARE(csv.left(csv.indexOf('\n')), exported.left(exported.indexOf('\n')));
  }

 private:
  static QByteArray Rounds() { return ReadFile(LARKSPIN_TEST_DATA "/three_rounds.dat"); }

  void ClickRow(int row) {
    const RoundListView* view = window_->Widgets().rounds;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(row, 0)).center());
  }

  std::unique_ptr<ScorecardHarness> harness_;
  std::unique_ptr<CScorecardDlg> window_;
};

QTEST_MAIN(TotalsWindowTest)
#include "TotalsWindowTest.moc"
