// File > Export and Import in the real window: the items and what assistive technology calls
// them, and one import through Qt's own file dialog and question box.
#include <QAccessible>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <algorithm>

#include "CScorecardDlg.h"
#include "DiskFile.h"
#include "QtServices.h"
#include "RoundListView.h"
#include "support/FakeServices.h"
#include "support/MainWindow.h"

using namespace larkspin;
using larkspin::testing::ScorecardHarness;
using larkspin::testing::WithReal;

class ExchangeWindowTest : public QObject {
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

  void fileMenu_exportAndImportAboveQuit_namedWithoutTheEllipsis() {
    window_ = testing::OpenMainWindow(harness_->services);
    QMenu* file = window_->MenuBar().file;
    QStringList texts;
    for (const QAction* action : file->actions())
      texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(texts, (QStringList{"&Export Rounds…", "Export &Courses…", "&Import Rounds…",
                                 "I&mport Courses…", "-", "&Print Scorecard…", "Save as P&DF…", "-",
                                 "&Quit"}));
    QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(file);
    QVERIFY(menu);
    QStringList names;
    for (int i = 0; i < menu->childCount(); ++i)
      names << menu->child(i)->text(QAccessible::Name);
    QCOMPARE(names.mid(0, 4),
             (QStringList{"Export Rounds", "Export Courses", "Import Rounds", "Import Courses"}));
  }

  // The file dialog and the question are Qt's own, answered from the event loop as a user would.
  void importRounds_throughTheRealFileDialogAndQuestion() {
    MessageBoxPrompter prompter;
    DialogFileChooser chooser;
    const ScorecardServices real =
        WithReal(harness_->services, {.prompter = &prompter, .fileChooser = &chooser});
    const QString csv = harness_->FilePath("golf.csv");
    QVERIFY(WriteFileAtomically(csv,
                                "COURSE,DATE,S1,Notes\r\nElm,2003-09-03,3,windy\r\n"
                                "Pine,2003-09-01,5,\r\n"));
    window_ = testing::OpenMainWindow(real);

    QString dialogTitle;
    QStringList filters;
    QString question;
    QStringList buttons;
    QTimer user;
    QStringList otherBoxes;
    connect(&user, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
        dialogTitle = dialog->windowTitle();
        filters = dialog->nameFilters();
        // The path typed into the file name box, then Open.
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
          name->setText(csv);
        }
        static_cast<QDialog*>(dialog)->accept();
      } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        const auto boxButtons = box->buttons();
        const auto skip = std::find_if(boxButtons.begin(), boxButtons.end(), [](auto* button) {
          return button->text() == QStringLiteral("Skip Duplicates");
        });
        if (skip == boxButtons.end()) {
          otherBoxes << box->text();
          box->close();
          return;
        }
        question = box->text();
        for (QAbstractButton* button : boxButtons)
          buttons << button->text();
        user.stop();
        (*skip)->click();
      }
    });
    user.start(20);
    window_->MenuBar().importRounds->trigger();

    QCOMPARE(otherBoxes, QStringList());
    QCOMPARE(dialogTitle, QStringLiteral("Import Rounds"));
    QCOMPARE(filters.value(0), QStringLiteral("CSV files (*.csv)"));
    QCOMPARE(question, QStringLiteral("Import 2 rounds from golf.csv? 1 of them has the same "
                                      "course and date as a round already in the list. Columns "
                                      "not imported: Notes."));
    buttons.sort();
    QCOMPARE(buttons, (QStringList{"Cancel", "Import All", "Skip Duplicates"}));
    const QAbstractItemModel* model = window_->Widgets().rounds->model();
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("Elm"));
    QCOMPARE(window_->Widgets().roundCount->text(), QStringLiteral("3"));
    QCOMPARE(window_->MenuBar().undo->text(), QStringLiteral("&Undo Import"));
  }

 private:
  std::unique_ptr<ScorecardHarness> harness_;
  std::unique_ptr<CScorecardDlg> window_;
};

QTEST_MAIN(ExchangeWindowTest)
#include "ExchangeWindowTest.moc"
