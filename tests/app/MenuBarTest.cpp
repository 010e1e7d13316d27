// The menu bar over the main window: its items and keys, Undo and Redo as the user presses them,
// and where the window opens.
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QSettings>
#include <QtTest>

#include "CScorecardDlg.h"
#include "DiskFile.h"
#include "HoleBox.h"
#include "RoundListView.h"
#include "TrendsWindow.h"
#include "support/FakeServices.h"
#include "support/MainWindow.h"

using namespace larkspin;
using larkspin::testing::ScorecardHarness;

namespace {

QStringList Texts(const QMenu* menu) {
  QStringList texts;
  for (const QAction* action : menu->actions()) {
    if (!action->isSeparator()) texts << action->text();
  }
  return texts;
}

QString ParsShown(const CScorecardDlg& w) {
  QStringList pars;
  for (const HoleBox* hole : w.Widgets().holes)
    pars << hole->par->text();
  return pars.join(QLatin1Char(','));
}

QString EighteenTimes(const QString& text) {
  return QStringList(kHoles, text).join(QLatin1Char(','));
}

QString RoundsShown(const CScorecardDlg& w) {
  QStringList courses;
  const auto* model = w.Widgets().rounds->model();
  for (int row = 0; row < model->rowCount(); ++row)
    courses << model->index(row, 0).data().toString();
  return courses.join(QLatin1Char(','));
}

}  // namespace

class MenuBarTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    harness_ = std::make_unique<ScorecardHarness>();
    QVERIFY(WriteFileAtomically(harness_->FilePath("lks.dat"),
                                "COURSE=Pine\r\nDATE=2003-09-01\r\n\r\nCOURSE=Oak\r\nS1=4\r\n"));
  }
  void cleanup() {
    window_.reset();
    harness_.reset();
  }

  void menus_holdTheirItemsWithTheUsualKeys() {
    auto& w = Open();
    const auto& m = w.MenuBar();
    QCOMPARE(Texts(m.file),
             (QStringList{"&Export Rounds…", "Export &Courses…", "&Import Rounds…",
                          "I&mport Courses…", "&Print Scorecard…", "Save as P&DF…", "&Quit"}));
    QCOMPARE(Texts(m.edit), (QStringList{"&Undo", "&Redo", "&Course Ratings…"}));
    QCOMPARE(Texts(m.view), (QStringList{"&Trends…", "&Handicap…"}));
    QCOMPARE(m.handicap->shortcut(), QKeySequence(QStringLiteral("Ctrl+H")));
    for (const auto& [menu, name] : {std::pair{m.edit, "Course Ratings"}, {m.view, "Handicap"}}) {
      QAccessibleInterface* items = QAccessible::queryAccessibleInterface(menu);
      QCOMPARE(items->child(items->childCount() - 1)->text(QAccessible::Name),
               QString::fromLatin1(name));
    }
    QCOMPARE(Texts(m.help), (QStringList{"&User Guide", "&About LKS..."}));
    // Each item of a menu has a letter of its own.
    for (const QMenu* menu : {m.file, m.edit, m.view, m.help}) {
      QSet<QChar> letters;
      for (const QString& text : Texts(menu)) {
        const QChar letter = text.mid(text.indexOf(QLatin1Char('&')) + 1, 1).toLower().front();
        QVERIFY2(!letters.contains(letter), qPrintable(text));
        letters.insert(letter);
      }
    }
    QCOMPARE(m.quit->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    QCOMPARE(m.undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(m.redo->shortcuts(), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Shift+Z")),
                                                       QKeySequence(QStringLiteral("Ctrl+Y"))}));
    QCOMPARE(m.userGuide->shortcut(), QKeySequence(Qt::Key_F1));
    QVERIFY(!m.undo->isEnabled());
    QVERIFY(!m.redo->isEnabled());

    QTest::keyClick(&w, Qt::Key_F1);
    QCOMPARE(harness_->opener.opened.size(), std::size_t{1});
  }

  // Remove Score, then the real keys: Ctrl+Z puts the round back, selected and in the grid;
  // Ctrl+Shift+Z removes it again; Ctrl+Y after another Ctrl+Z too.
  void undoAndRedoKeys_takeBackAndRemakeRemoveScore() {
    auto& w = Open();
    auto* view = w.Widgets().rounds;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(1, 0)).center());
    QTest::mouseClick(w.Widgets().removeScore, Qt::LeftButton);
    QCOMPARE(RoundsShown(w), QStringLiteral("Oak"));
    QCOMPARE(w.MenuBar().undo->text(), QStringLiteral("&Undo Remove Score"));
    QVERIFY(w.MenuBar().undo->isEnabled());

    QTest::keyClick(w.focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(RoundsShown(w), QStringLiteral("Oak,Pine"));
    QCOMPARE(view->SelectedRow(), 1);
    QCOMPARE(w.Widgets().course->currentText(), QStringLiteral("Pine"));
    QCOMPARE(w.Widgets().dateField->text(), QStringLiteral("2003-09-01"));
    QCOMPARE(w.Widgets().roundCount->text(), QStringLiteral("2"));
    QCOMPARE(w.MenuBar().undo->text(), QStringLiteral("&Undo"));
    QVERIFY(!w.MenuBar().undo->isEnabled());
    QCOMPARE(w.MenuBar().redo->text(), QStringLiteral("&Redo Remove Score"));

    QTest::keyClick(w.focusWidget(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(RoundsShown(w), QStringLiteral("Oak"));
    QCOMPARE(view->SelectedRow(), -1);
    QTest::keyClick(w.focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(w.focusWidget(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(RoundsShown(w), QStringLiteral("Oak"));
    QCOMPARE(w.Widgets().roundCount->text(), QStringLiteral("1"));
  }

  // A course change, and what the grid shows once it is undone and once it is made again: the
  // course's name and the pars it has then. "Oak" is picked by a click on its round.
  void undoAndRedoKeysOfACourseChange_showThatCoursesPars_data() {
    QTest::addColumn<int>("button");  // Add, Update, Remove
    QTest::addColumn<QString>("course");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("afterUndo");  // each par
    QTest::addColumn<QString>("afterRedo");
    QTest::newRow("Add Course") << 0 << "Elm"
                                << "3"
                                << ""
                                << "3";
    QTest::newRow("Update Course") << 1 << "Oak"
                                   << "5"
                                   << "4"
                                   << "5";
    QTest::newRow("Remove Course") << 2 << "Oak"
                                   << ""
                                   << "4"
                                   << "";
  }
  void undoAndRedoKeysOfACourseChange_showThatCoursesPars() {
    QFETCH(int, button);
    QFETCH(QString, course);
    QFETCH(QString, typed);
    QFETCH(QString, afterUndo);
    QFETCH(QString, afterRedo);
    std::string courses = "COURSE=Oak\r\nDATE=";
    for (int hole = 1; hole <= kHoles; ++hole)
      courses += "\r\nS" + std::to_string(hole) + "=4";
    QVERIFY(WriteFileAtomically(harness_->FilePath("courses.dat"), courses + "\r\n"));
    auto& w = Open();
    if (course == QLatin1String("Oak")) {
      larkspin::testing::ClickRound(w, 0);
    } else {
      w.Widgets().course->setEditText(course);
    }
    if (!typed.isEmpty()) larkspin::testing::TypeStrokes(w, typed);
    const auto& c = w.Widgets();
    QTest::mouseClick(std::array{c.addCourse, c.updateCourse, c.removeCourse}[button],
                      Qt::LeftButton);

    QTest::keyClick(w.focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(c.course->currentText(), course);
    QCOMPARE(ParsShown(w), EighteenTimes(afterUndo));
    QTest::keyClick(w.focusWidget(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(c.course->currentText(), course);
    QCOMPARE(ParsShown(w), EighteenTimes(afterRedo));
  }

  // In a field with typing of its own to undo, Ctrl+Z undoes the typing first.
  void undoKeyInAField_undoesItsTypingBeforeTheTables() {
    auto& w = Open();
    w.Widgets().course->setEditText(QStringLiteral("Elm"));
    QTest::mouseClick(w.Widgets().addScore, Qt::LeftButton);
    QLineEdit* strokes = w.Widgets().holes[0]->strokes;
    strokes->setFocus();
    QTest::keyClicks(strokes, QStringLiteral("5"));
    QTest::keyClick(strokes, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(strokes->text(), QString());
    QCOMPARE(RoundsShown(w), QStringLiteral("Elm,Oak,Pine"));
    QTest::keyClick(strokes, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(RoundsShown(w), QStringLiteral("Oak,Pine"));
  }

  // After an import the cursor is in the Course box, whose editor has nothing to undo: the keys
  // undo the import there, in the period box, and in the Trends window, and redo it again.
  void undoKeys_inTheDropDownsAndTheTrendsWindow_undoAndRedoAnImport_data() {
    QTest::addColumn<int>("place");
    QTest::newRow("Course box") << 0;
    QTest::newRow("period box") << 1;
    QTest::newRow("Trends window") << 2;
  }
  void undoKeys_inTheDropDownsAndTheTrendsWindow_undoAndRedoAnImport() {
    QFETCH(int, place);
    QVERIFY(
        WriteFileAtomically(harness_->FilePath("golf.csv"), "COURSE,DATE\r\nElm,2004-01-01\r\n"));
    harness_->fileChooser.path = harness_->FilePath("golf.csv");
    harness_->prompter.choices = {0};  // "Import All"
    auto& w = Open();
    w.MenuBar().importRounds->trigger();
    QCOMPARE(RoundsShown(w), QStringLiteral("Elm,Oak,Pine"));
    QWidget* target = place == 0 ? static_cast<QWidget*>(w.Widgets().course) : w.Widgets().period;
    if (place == 2) {
      w.OpenTrends();
      target = w.findChild<TrendsWindow*>();
      QVERIFY(target);
    }
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(RoundsShown(w), QStringLiteral("Oak,Pine"));
    QTest::keyClick(target, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(RoundsShown(w), QStringLiteral("Elm,Oak,Pine"));
  }

  // Saved where no screen is, and larger than any: the window opens wholly on the screen, its top
  // left corner, where the title bar is, never above or left of it.
  void savedPlacementOffTheScreen_opensOnTheScreen() {
    QTemporaryDir folder;
    QSettings settings(folder.filePath(QStringLiteral("placement.ini")), QSettings::IniFormat);
    {
      auto& w = Open(&settings);
      const QRect area = w.screen()->availableGeometry();
      w.setGeometry(QRect(area.right() + 500, area.top() - 400, 2 * area.width(), 50));
      w.CloseAsQuit();
      window_.reset();
    }
    QVERIFY(settings.contains(QStringLiteral("MainWindow/geometry")));
    auto& w = Open(&settings);
    QTRY_VERIFY(w.isVisible());
    const QRect area = w.screen()->availableGeometry();
    const QRect frame = w.frameGeometry();
    QVERIFY2(area.contains(frame.topLeft()), "the title bar is off the screen");
    if (w.minimumWidth() <= area.width()) QVERIFY(frame.right() <= area.right());
    if (w.minimumHeight() <= area.height()) QVERIFY(frame.bottom() <= area.bottom());
  }

 private:
  CScorecardDlg& Open(QSettings* placement = nullptr) {
    window_ = testing::OpenMainWindow(harness_->services, placement);
    return *window_;
  }

  std::unique_ptr<ScorecardHarness> harness_;
  std::unique_ptr<CScorecardDlg> window_;
};

QTEST_MAIN(MenuBarTest)
#include "MenuBarTest.moc"
