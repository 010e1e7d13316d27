// The main window killed (SIGKILL) after each kind of change, and after a session of them all:
// the next start tells that the changes were recovered, has the session's undo history, and
// saves byte for byte what a clean close of the same session saves. The session runs in a child
// copy of this program, which opens the real window offscreen, makes the changes through its
// controls, says "ready" and waits to be killed.

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <cstdio>
#include <map>

#include "CScorecardDlg.h"
#include "HoleBox.h"
#include "JournalFormat.h"
#include "RoundListView.h"
#include "support/FakeServices.h"
#include "support/Files.h"
#include "support/MainWindow.h"

#ifdef Q_OS_UNIX
#include "support/FaultInjection.h"
#endif

using namespace larkspin;
using larkspin::testing::OpenMainWindow;
using larkspin::testing::ReadFile;
using larkspin::testing::ScorecardHarness;
using larkspin::testing::WriteFile;

namespace {

constexpr char kChildOption[] = "--journal-session";

// The folder as every session finds it.
void PrepareFolder(const QString& folder) {
  const QDir data(QStringLiteral(LARKSPIN_TEST_DATA));
  QFile::copy(data.filePath("three_rounds.dat"), QDir(folder).filePath("lks.dat"));
  QFile::copy(data.filePath("report_courses.dat"), QDir(folder).filePath("courses.dat"));
  WriteFile(QDir(folder).filePath("new.csv"), "COURSE,S1,S2\r\nBirch,4,3\r\nAsh,5,5\r\n");
}

// A window on `folder` that keeps a journal there. The harness's own folder goes at once: a
// killed child would leave it behind.
void Services(ScorecardHarness& h, const QString& folder) {
  h.dir.remove();
  h.services.workDir = folder;
  h.services.journal = true;
}

// The grid cleared and a round typed into it.
CScorecardDlg& Typed(CScorecardDlg& w, const char* course, const char* strokes) {
  QTest::mouseClick(w.Widgets().clear, Qt::LeftButton);
  w.Widgets().course->setEditText(QString::fromUtf8(course));
  QTest::mouseClick(w.Widgets().date, Qt::LeftButton);
  w.Widgets().holes[0]->strokes->setText(QString::fromLatin1(strokes));
  w.Widgets().holes[17]->putts->setText(QStringLiteral("2"));
  return w;
}

void Click(QWidget* widget, QPoint at = {}) {
  QTest::mouseClick(widget, Qt::LeftButton, {}, at);
}

void ClickRow(CScorecardDlg& w, int row) {
  RoundListView* view = w.Widgets().rounds;
  Click(view->viewport(), view->visualRect(view->model()->index(row, 0)).center());
}

void ClickHeading(CScorecardDlg& w, int column) {
  QHeaderView* header = w.Widgets().rounds->horizontalHeader();
  Click(header->viewport(),
        QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
}

// "Import All" of `file` by `action`.
void Import(ScorecardHarness& h, QAction* action, const QString& file) {
  h.fileChooser.path = file;
  h.prompter.choices = {0};
  action->trigger();
}

using Step = std::function<void(CScorecardDlg&, ScorecardHarness&)>;
using W = CScorecardDlg;
using H = ScorecardHarness;

// Each kind of change, through the window's controls and keys.
const std::map<QString, Step>& Steps() {
  static const std::map<QString, Step> steps = {
      {"Add Score", [](W& w, H&) { Click(Typed(w, "Elm Park", "5").Widgets().addScore); }},
      {"Update Score",
       [](W& w, H&) {
         ClickRow(w, 1);
         w.Widgets().holes[2]->strokes->setText(QStringLiteral("7"));
         Click(w.Widgets().updateScore);
       }},
      {"Remove Score",
       [](W& w, H&) {
         ClickRow(w, 2);
         Click(w.Widgets().removeScore);
       }},
      {"Add Course", [](W& w, H&) { Click(Typed(w, "Elm Park", "4").Widgets().addCourse); }},
      {"Update Course",
       [](W& w, H&) { Click(Typed(w, "Pine Valley", "3").Widgets().updateCourse); }},
      {"Remove Course",
       [](W& w, H&) { Click(Typed(w, "Oak & <Hills>", "").Widgets().removeCourse); }},
      {"Import Rounds",
       [](W& w, H& h) {
         Import(h, w.MenuBar().importRounds,
                QDir(QStringLiteral(LARKSPIN_TEST_DATA)).filePath("csv/exported_rounds.csv"));
       }},
      {"Import Courses",
       [](W& w, H& h) {
         Import(h, w.MenuBar().importCourses, QDir(h.services.workDir).filePath("new.csv"));
       }},
      {"Course Ratings",
       [](W& w, H& h) {
         h.ratingsEditor.TypeValidRatings("Pine Valley");
         w.MenuBar().courseRatings->trigger();
       }},
      {"Sort", [](W& w, H&) { ClickHeading(w, kDateColumn); }},
      {"Sort by Course", [](W& w, H&) { ClickHeading(w, kCourseColumn); }},
      {"Undo",
       [](W& w, H&) { QTest::keyClick(w.Widgets().course, Qt::Key_Z, Qt::ControlModifier); }},
      {"Redo",
       [](W& w, H&) { QTest::keyClick(w.Widgets().course, Qt::Key_Y, Qt::ControlModifier); }},
      {"Add Last Score", [](W& w, H&) { Click(Typed(w, "Last Links", "6").Widgets().addScore); }},
  };
  return steps;
}

// The sessions killed: each kind of change after what it needs, and one of them all.
std::vector<std::pair<QString, QStringList>> Sessions() {
  std::vector<std::pair<QString, QStringList>> sessions;
  for (const char* kind :
       {"Add Score", "Update Score", "Remove Score", "Add Course", "Update Course", "Remove Course",
        "Import Rounds", "Import Courses", "Course Ratings", "Sort"}) {
    sessions.push_back({kind, {kind}});
  }
  sessions.push_back({"Undo", {"Import Rounds", "Undo"}});
  sessions.push_back({"Redo", {"Import Rounds", "Undo", "Redo"}});
  sessions.push_back(
      {"Everything",
       {"Add Course", "Add Score", "Sort", "Update Score", "Import Rounds", "Remove Score",
        "Update Course", "Import Courses", "Remove Course", "Course Ratings", "Undo",
        "Sort by Course", "Sort by Course", "Add Last Score"}});
  return sessions;
}

void Run(const QStringList& steps, CScorecardDlg& w, ScorecardHarness& h) {
  for (const QString& step : steps)
    Steps().at(step)(w, h);
}

// The child: the session's steps on `folder`, then a wait for the end.
int RunSession(const QStringList& steps, const QString& folder) {
  ScorecardHarness h;
  Services(h, folder);
  auto window = OpenMainWindow(h.services);
  Run(steps, *window, h);
  std::printf("ready\n");
  std::fflush(stdout);
  return QApplication::exec();
}

struct Closed {
  QByteArray rounds, courses, ratings;
  QString undo, redo;
  std::vector<larkspin::testing::Message> messages;
};

// Opens the window on `folder`, takes `steps` in it, and closes it.
Closed OpenAndClose(const QString& folder, const QStringList& steps = {}) {
  ScorecardHarness h;
  Services(h, folder);
  Closed closed;
  {
    auto window = OpenMainWindow(h.services);
    QTest::qWait(50);  // the boxes shown once the window shows
    Run(steps, *window, h);
    closed.undo = window->MenuBar().undo->text();
    closed.redo = window->MenuBar().redo->text();
    QTest::mouseClick(window->Widgets().clear, Qt::LeftButton);
    window->reject();
    if (window->isVisible()) qWarning("the window did not close");
  }
  closed.rounds = ReadFile(QDir(folder).filePath("lks.dat"));
  closed.courses = ReadFile(QDir(folder).filePath("courses.dat"));
  closed.ratings = ReadFile(QDir(folder).filePath("ratings.dat"));
  closed.messages = h.prompter.messages;
  return closed;
}

}  // namespace

class JournalKillTest : public QObject {
  Q_OBJECT

 private slots:
  void killedAfterAChange_nextStartRecoversWhatACleanCloseSaves_data() {
    QTest::addColumn<QStringList>("steps");
    for (const auto& [name, steps] : Sessions())
      QTest::newRow(qPrintable(name)) << steps;
  }
  void killedAfterAChange_nextStartRecoversWhatACleanCloseSaves() {
    QFETCH(QStringList, steps);
    const auto changes = steps.size();
    QTemporaryDir killed;
    PrepareFolder(killed.path());
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(kChildOption), killed.path(), steps.join(';')});
    QVERIFY(child.waitForStarted());
    QVERIFY(child.waitForReadyRead(30000));
    QCOMPARE(child.readAllStandardOutput(), QByteArray("ready\n"));
    QVERIFY(::kill(static_cast<pid_t>(child.processId()), SIGKILL) == 0);
    QVERIFY(child.waitForFinished());
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QVERIFY(QFile::exists(QDir(killed.path()).filePath(kJournalFileName)));

    QTemporaryDir clean;
    PrepareFolder(clean.path());
    const Closed expected = OpenAndClose(clean.path(), steps);
    const Closed recovered = OpenAndClose(killed.path());

    QCOMPARE(recovered.messages.size(), size_t{1});
    QCOMPARE(recovered.messages[0].title, std::string("Larkspin"));
    const QString told = QString::fromStdString(recovered.messages[0].text);
    const QString count = changes == 1
                              ? QStringLiteral("The 1 change made then was")
                              : QStringLiteral("The %1 changes made then were").arg(changes);
    QVERIFY2(told.startsWith("Larkspin ended without saving last time. " + count +
                             " recovered. The last one was made on "),
             qPrintable(told));
    QCOMPARE(recovered.undo, expected.undo);
    QCOMPARE(recovered.redo, expected.redo);
    QCOMPARE(recovered.rounds, expected.rounds);
    QCOMPARE(recovered.courses, expected.courses);
    QCOMPARE(recovered.ratings, expected.ratings);
    QVERIFY(!QFile::exists(QDir(killed.path()).filePath(kJournalFileName)));
  }

#ifdef Q_OS_UNIX
  // The window tells a journal that cannot be written once, after the command, and goes on.
  void journalFailing_isToldOnceAndTheWindowGoesOn() {
    QTemporaryDir folder;
    PrepareFolder(folder.path());
    ScorecardHarness h;
    Services(h, folder.path());
    auto window = OpenMainWindow(h.services);
    {
      larkspin::testing::FaultInjector full(1, ENOSPC, {"write"});
      Run({"Add Course", "Add Score"}, *window, h);
    }
    QCOMPARE(h.prompter.messages.size(), size_t{1});
    QVERIFY(QString::fromStdString(h.prompter.messages[0].text)
                .startsWith("Changes are not protected against a crash: the journal "));
    QVERIFY(QString::fromStdString(h.prompter.messages[0].text)
                .endsWith("could not be written (No space left on device). They are still saved "
                          "when Larkspin closes."));
    QCOMPARE(window->Widgets().roundCount->text(), QStringLiteral("4"));
    window->reject();
    QVERIFY(ReadFile(folder.filePath("lks.dat")).contains("COURSE=Elm Park\r\n"));
    QVERIFY(!QFile::exists(folder.filePath(kJournalFileName)));
  }
#endif
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc == 4 && QByteArray(argv[1]) == kChildOption) {
    return RunSession(QString::fromLocal8Bit(argv[3]).split(';'), QString::fromLocal8Bit(argv[2]));
  }
  JournalKillTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "JournalKillTest.moc"
