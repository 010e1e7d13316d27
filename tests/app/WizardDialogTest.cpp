// The "Score Entry Wizard" window as a user drives it, offscreen, and the main window's "Wizard"
// button with the window answered by a script.
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <QtTest>
#include <algorithm>

#include "CScorecardDlg.h"
#include "CWizardDlg.h"
#include "HoleBox.h"
#include "QtServices.h"
#include "RoundListView.h"
#include "support/FakeServices.h"
#include "support/MainWindow.h"
#include "support/TabOrder.h"

using namespace larkspin;
using larkspin::testing::ScorecardHarness;
using larkspin::testing::WithReal;

namespace {

// A run over a form whose hole n has par "pn" and nothing else.
struct Run {
  static FormValues Pars() {
    FormValues form;
    for (int hole = 1; hole <= kHoles; ++hole)
      form.pars[hole - 1] = "p" + std::to_string(hole);
    return form;
  }
  // Walks the run forward to `hole` as "Next >>" would.
  void GoTo(int hole) {
    while (wizard.Hole() < hole) {
      wizard.OnNext();
      wizard.StoreHole(form);
      wizard.LoadNextHole(form);
    }
  }

  FormValues form = Pars();
  ScoreWizard wizard{form};
};

QString AccessibleName(QObject* object) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
  return accessible ? accessible->text(QAccessible::Name) : QString();
}

// The group's buttons row by row, each row left to right.
QList<QList<QPushButton*>> ButtonRows(const CWizardDlg& dialog, const QString& caption) {
  QList<QPushButton*> buttons;
  for (QGroupBox* box : dialog.findChildren<QGroupBox*>()) {
    if (box->title() == caption) buttons = box->findChildren<QPushButton*>();
  }
  std::sort(buttons.begin(), buttons.end(), [](const QPushButton* a, const QPushButton* b) {
    return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
  });
  QList<QList<QPushButton*>> rows;
  for (QPushButton* button : buttons) {
    if (rows.isEmpty() || rows.last().first()->y() != button->y())
      rows.append(QList<QPushButton*>());
    rows.last().append(button);
  }
  return rows;
}

// Presses a control as assistive technology does, whatever the mouse and the keyboard can reach.
void Press(QWidget* control) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
  QVERIFY(accessible && accessible->actionInterface());
  accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

// The controls a user sees and uses: not the parts that make up a drop-down, a list or the menu
// bar, nor what a window hides until it is needed.
QList<QWidget*> Controls(QWidget* window) {
  QList<QWidget*> controls;
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    const bool control = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLabel*>(widget) ||
                         qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget) ||
                         qobject_cast<QGroupBox*>(widget) || qobject_cast<RoundListView*>(widget) ||
                         qobject_cast<QMenuBar*>(widget);
    bool part = false;
    for (QWidget* up = widget->parentWidget(); up != window; up = up->parentWidget()) {
      part = part || qobject_cast<QComboBox*>(up) || qobject_cast<QAbstractScrollArea*>(up) ||
             qobject_cast<QMenuBar*>(up);
    }
    if (control && !part) controls.append(widget);
  }
  return controls;
}

// Every control shows, lies inside the window, and overlaps no other except those it holds.
void VerifyLayout(QWidget* window) {
  const QList<QWidget*> controls = Controls(window);
  QVERIFY(controls.size() > 10);
  const auto where = [window](const QWidget* control) {
    return QRect(control->mapTo(window, QPoint(0, 0)), control->size());
  };
  const auto describe = [](const QWidget* control) {
    const QString name = control->accessibleName();
    return QStringLiteral("%1 \"%2\"")
        .arg(control->metaObject()->className(),
             name.isEmpty() ? control->property("text").toString() : name);
  };
  for (QWidget* control : controls) {
    QVERIFY2(control->isVisible(), qPrintable(describe(control)));
    QVERIFY2(window->rect().contains(where(control)), qPrintable(describe(control)));
    for (QWidget* other : controls) {
      if (other == control || control->isAncestorOf(other) || other->isAncestorOf(control))
        continue;
      QVERIFY2(!where(control).intersects(where(other)),
               qPrintable(describe(control) + " over " + describe(other)));
    }
  }
}

}  // namespace

class WizardDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void valueButtons_writeTheirValuesIntoTheirGroupsField() {
    Run run;
    CWizardDlg dialog;
    dialog.Attach(run.wizard);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Score Entry Wizard"));
    const auto& c = dialog.Widgets();
    QCOMPARE(c.holeLabel->text(), QStringLiteral("Hole 1:"));
    QCOMPARE(c.par->text(), QStringLiteral("p1"));
    QVERIFY(c.par->isReadOnly());

    const auto numbers = [](int first, int last, int step, const QString& suffix = {}) {
      QStringList texts;
      for (int n = first; n <= last; n += step)
        texts << QString::number(n) + suffix;
      return texts;
    };
    const QStringList woods = {"1W", "2W", "3W", "4W", "5W", "D"};
    const struct {
      QString caption;
      QWidget* field;
      QList<QStringList> rows;  // caption, value
    } groups[] = {
        {"Score:", c.score, {numbers(1, 10, 1)}},
        {"Drive:", c.drive, {numbers(100, 190, 10), numbers(200, 290, 10)}},
        {"Club:", c.club, {QStringList{"1", "2", "3", "4", "5", "D"}, numbers(1, 9, 1)}},
        {"Puts:", c.putts, {numbers(1, 10, 1)}},
    };
    for (const auto& group : groups) {
      const auto rows = ButtonRows(dialog, group.caption);
      QCOMPARE(rows.size(), group.rows.size());
      for (int r = 0; r < rows.size(); ++r) {
        QStringList captions;
        for (QPushButton* button : rows[r])
          captions << button->text();
        QCOMPARE(captions, group.rows[r]);
        for (int i = 0; i < rows[r].size(); ++i) {
          QTest::mouseClick(rows[r][i], Qt::LeftButton);
          QString expected = group.rows[r][i];
          if (group.field == c.club) expected = r == 0 ? woods[i] : expected + "I";
          const auto* box = qobject_cast<QComboBox*>(group.field);
          const QString shown =
              box ? box->currentText() : qobject_cast<QLineEdit*>(group.field)->text();
          QCOMPARE(shown, expected);
        }
      }
    }
    // The club box lists the 17 codes; "PW" and "SW" are picked there.
    QCOMPARE(c.club->count(), 17);
    QCOMPARE(c.club->itemText(15), QStringLiteral("PW"));
    // A second "1" in a row: the note.
    QVERIFY(c.note->text().isEmpty());
    QTest::mouseClick(ButtonRows(dialog, "Score:")[0][0], Qt::LeftButton);
    QTest::mouseClick(ButtonRows(dialog, "Score:")[0][0], Qt::LeftButton);
    QCOMPARE(c.note->text(), QStringLiteral("Hole in 1!"));
    QCOMPARE(AccessibleName(c.note), QStringLiteral("Hole in 1!"));
    QCOMPARE(AccessibleName(c.holeLabel), QStringLiteral("Hole 1:"));
  }

  void navigation_isOfferedOnlyInsideTheCard_data() {
    QTest::addColumn<int>("hole");
    QTest::addColumn<bool>("back");
    QTest::addColumn<bool>("next");
    QTest::newRow("1") << 1 << false << true;
    QTest::newRow("2") << 2 << true << true;
    QTest::newRow("18") << 18 << true << false;
  }
  void navigation_isOfferedOnlyInsideTheCard() {
    QFETCH(int, hole);
    QFETCH(bool, back);
    QFETCH(bool, next);
    Run run;
    run.GoTo(hole);
    CWizardDlg dialog;
    dialog.Attach(run.wizard);
    QCOMPARE(dialog.Widgets().holeLabel->text(), QStringLiteral("Hole %1:").arg(hole));
    QCOMPARE(dialog.Widgets().back->isEnabled(), back);
    QCOMPARE(dialog.Widgets().next->isEnabled(), next);
    QVERIFY(dialog.Widgets().ok->isEnabled());
    QVERIFY(dialog.Widgets().ok->isDefault());
  }

  void closing_readsTheFieldsUnlessByEscapeOrCloseBox_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("nextHole");
    QTest::addColumn<bool>("read");
    QTest::newRow("OK") << "OK" << int(QDialog::Accepted) << 2 << true;
    QTest::newRow("Enter in the score") << "Enter" << int(QDialog::Accepted) << 2 << true;
    QTest::newRow("Enter in the club box") << "Enter club" << int(QDialog::Accepted) << 2 << true;
    QTest::newRow("Next") << "Next" << int(QDialog::Rejected) << 3 << true;
    QTest::newRow("Back") << "Back" << int(QDialog::Rejected) << 1 << true;
    QTest::newRow("Escape") << "Escape" << int(QDialog::Rejected) << 2 << false;
    QTest::newRow("close box") << "close" << int(QDialog::Rejected) << 2 << false;
  }
  void closing_readsTheFieldsUnlessByEscapeOrCloseBox() {
    QFETCH(QString, how);
    QFETCH(int, result);
    QFETCH(int, nextHole);
    QFETCH(bool, read);
    Run run;
    run.GoTo(2);
    CWizardDlg dialog;
    dialog.Attach(run.wizard);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const auto& c = dialog.Widgets();
    c.score->setFocus();
    QTest::keyClicks(c.score, QStringLiteral("eight"));
    c.club->lineEdit()->setFocus();
    QTest::keyClicks(c.club->lineEdit(), QStringLiteral("sw"));
    if (how == "OK") QTest::mouseClick(c.ok, Qt::LeftButton);
    if (how == "Enter") QTest::keyClick(c.score, Qt::Key_Return);
    if (how == "Enter club") QTest::keyClick(c.club->lineEdit(), Qt::Key_Return);
    if (how == "Next") QTest::mouseClick(c.next, Qt::LeftButton);
    if (how == "Back") QTest::mouseClick(c.back, Qt::LeftButton);
    if (how == "Escape") QTest::keyClick(c.club->lineEdit(), Qt::Key_Escape);
    if (how == "close") dialog.close();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), result);
    QCOMPARE(run.wizard.Values().nextHole, nextHole);
    QCOMPARE(run.wizard.Values().score, read ? std::string("eight") : std::string());
    QCOMPARE(run.wizard.Values().club, read ? std::string("sw") : std::string());
  }

  void everyControl_hasAUniqueAccessibleName() {
    Run run;
    CWizardDlg dialog;
    dialog.Attach(run.wizard);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QSet<QString> names;
    for (QWidget* control : dialog.findChildren<QWidget*>()) {
      const bool isControl = qobject_cast<QAbstractButton*>(control) ||
                             qobject_cast<QComboBox*>(control) || qobject_cast<QLineEdit*>(control);
      if (!isControl || control->window() != &dialog) continue;
      const QString name = AccessibleName(control);
      QVERIFY2(!name.isEmpty(), qPrintable(control->metaObject()->className()));
      // The club box and its line edit are one control to the user.
      if (qobject_cast<QComboBox*>(control->parentWidget())) {
        QCOMPARE(name, AccessibleName(control->parentWidget()));
        continue;
      }
      QVERIFY2(!names.contains(name), qPrintable(name));
      names.insert(name);
    }
    QSet<QString> expected = {"Par",     "Score",   "Drive", "Club",  "Putts",
                              "<< Back", "Next >>", "OK",    "Driver"};
    for (int n = 1; n <= 10; ++n)
      expected << QStringLiteral("Score %1").arg(n) << QStringLiteral("Putts %1").arg(n);
    for (int n = 100; n <= 290; n += 10)
      expected << QStringLiteral("Drive %1").arg(n);
    for (int n = 1; n <= 5; ++n)
      expected << QStringLiteral("Wood %1").arg(n);
    for (int n = 1; n <= 9; ++n)
      expected << QStringLiteral("Iron %1").arg(n);
    QCOMPARE(names, expected);
  }

  void tabOrder_followsTheLayout() {
    Run run;
    run.GoTo(2);
    CWizardDlg dialog;
    dialog.Attach(run.wizard);
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    const auto& c = dialog.Widgets();
    QList<QWidget*> expected = {c.par};
    for (const QString caption : {"Score:", "Drive:", "Club:", "Puts:"}) {
      for (const auto& row : ButtonRows(dialog, caption))
        for (QPushButton* button : row)
          expected << button;
      expected << QMap<QString, QWidget*>{
          {"Score:", c.score}, {"Drive:", c.drive}, {"Club:", c.club}, {"Puts:", c.putts}}[caption];
    }
    expected << c.back << c.next << c.ok << c.par;
    c.par->setFocus();
    larkspin::testing::VerifyTabOrder(expected);
  }

  void layout_everyControlShowsInsideTheWindowOverNoOther() {
    ScorecardHarness harness;
    const auto window = testing::OpenMainWindow(harness.services);
    VerifyLayout(window.get());
    Run run;
    CWizardDlg dialog;
    dialog.Attach(run.wizard);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    VerifyLayout(&dialog);
  }

  // While the wizard is open over the main window, the main window's buttons do nothing however
  // they are pressed; closing the wizard leaves the main window open.
  void mainWindowButtons_doNothingWhileTheWizardIsOpenOverIt() {
    ScorecardHarness harness;
    DialogWizardWindow wizardWindow;
    const auto opened =
        testing::OpenMainWindow(WithReal(harness.services, {.wizardWindow = &wizardWindow}));
    CScorecardDlg& window = *opened;
    window.Widgets().course->setEditText(QStringLiteral("Birch"));
    bool openWhileCovered = false;
    QTimer::singleShot(0, [&] {
      Press(window.Widgets().quit);
      Press(window.Widgets().addScore);
      // A pressed button clicks a moment later.
      QTimer::singleShot(500, [&] {
        openWhileCovered = window.isVisible();
        Press(qobject_cast<CWizardDlg*>(QApplication::activeModalWidget())->Widgets().ok);
      });
    });
    QTest::mouseClick(window.Widgets().wizard, Qt::LeftButton);  // returns when the run has ended
    QVERIFY(openWhileCovered);
    QVERIFY(window.isVisible());
    QCOMPARE(window.Core().Rounds().Table().RowCount(), 0);
    QVERIFY(QTest::qWaitFor([] { return !QApplication::activeModalWidget(); }));
  }

  void wizardButton_runsARunWhoseGridShowsEachHoleAsItIsStored() {
    ScorecardHarness harness;
    const auto opened = testing::OpenMainWindow(harness.services);
    CScorecardDlg& window = *opened;
    const auto& grid = window.Widgets().holes;
    grid[1]->strokes->setText(QStringLiteral("6"));  // typed before the run
    const WizardButton& five = WizardGroups()[0].rows[0][4];
    QCOMPARE(five.name, std::string("Score 5"));
    QString shownBehindHoleTwo;
    harness.wizardWindow.steps = {[&five](ScoreWizard& wizard) {
                                    wizard.OnValueButton(five);
                                    wizard.OnNext();
                                    return WizardClosing::kNavigation;
                                  },
                                  [&](ScoreWizard& wizard) {
                                    shownBehindHoleTwo = grid[0]->strokes->text();
                                    wizard.View().putts = "2";
                                    wizard.OnOK();
                                    return WizardClosing::kOk;
                                  }};
    QTest::mouseClick(window.Widgets().wizard, Qt::LeftButton);
    QCOMPARE(harness.wizardWindow.shownHoles, (std::vector<int>{1, 2}));
    QCOMPARE(shownBehindHoleTwo, QStringLiteral("5"));
    QCOMPARE(grid[0]->strokes->text(), QStringLiteral("5"));
    QCOMPARE(grid[1]->strokes->text(), QStringLiteral("6"));
    QCOMPARE(grid[1]->putts->text(), QStringLiteral("2"));
    QCOMPARE(window.Widgets().roundCount->text(), QStringLiteral("0"));
    QCOMPARE(window.Core().Rounds().Table().RowCount(), 0);
  }
};

QTEST_MAIN(WizardDialogTest)
#include "WizardDialogTest.moc"
