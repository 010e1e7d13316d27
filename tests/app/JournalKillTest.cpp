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
void PrepareFolder(ScorecardHarness& h, const QString& folder) {
  h.services.workDir = folder;
  h.services.journal = true;
  const QDir data(QStringLiteral(LARKSPIN_TEST_DATA));
  QFile::copy(data.filePath("three_rounds.dat"), QDir(folder).filePath("lks.dat"));
  QFile::copy(data.filePath("report_courses.dat"), QDir(folder).filePath("courses.dat"));
  WriteFile(QDir(folder).filePath("new_courses.csv"),
            "COURSE,DATE,S1,S2\r\nBirch,2024-05-01,4,3\r\nAsh,,5,5\r\n");
}

void TypeRound(CScorecardDlg& w, const QString& course, const QString& strokes) {
  QTest::mouseClick(w.Widgets().clear, Qt::LeftButton);
  w.Widgets().course->setEditText(course);
  QTest::mouseClick(w.Widgets().date, Qt::LeftButton);
  w.Widgets().holes[0]->strokes->setText(strokes);
  w.Widgets().holes[17]->putts->setText(QStringLiteral("2"));
}

void ClickRow(CScorecardDlg& w, int row) {
  RoundListView* view = w.Widgets().rounds;
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                    view->visualRect(view->model()->index(row, 0)).center());
}

void ClickHeading(CScorecardDlg& w, int column) {
  QHeaderView* header = w.Widgets().rounds->horizontalHeader();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
}

void Import(ScorecardHarness& h, QAction* action, const QString& file) {
  h.fileChooser.path = file;
  h.prompter.choices = {0};  // Import All
  action->trigger();
}

void ImportRounds(CScorecardDlg& w, ScorecardHarness& h) {
  Import(h, w.MenuBar().importRounds,
         QDir(QStringLiteral(LARKSPIN_TEST_DATA)).filePath("csv/exported_rounds.csv"));
}

void Undo(CScorecardDlg& w) {
  QTest::keyClick(w.Widgets().course, Qt::Key_Z, Qt::ControlModifier);
}

using Session = std::function<void(CScorecardDlg&, ScorecardHarness&)>;

// Each kind of change, after what it needs, and a session of them all.
const std::map<QString, Session>& Sessions() {
  static const std::map<QString, Session> sessions = {
      {"Add Score",
       [](CScorecardDlg& w, ScorecardHarness&) {
         TypeRound(w, "Elm Park", "5");
         QTest::mouseClick(w.Widgets().addScore, Qt::LeftButton);
       }},
      {"Update Score",
       [](CScorecardDlg& w, ScorecardHarness&) {
         ClickRow(w, 1);
         w.Widgets().holes[2]->strokes->setText(QStringLiteral("7"));
         QTest::mouseClick(w.Widgets().updateScore, Qt::LeftButton);
       }},
      {"Remove Score",
       [](CScorecardDlg& w, ScorecardHarness&) {
         ClickRow(w, 2);
         QTest::mouseClick(w.Widgets().removeScore, Qt::LeftButton);
       }},
      {"Add Course",
       [](CScorecardDlg& w, ScorecardHarness&) {
         TypeRound(w, "Elm Park", "4");
         QTest::mouseClick(w.Widgets().addCourse, Qt::LeftButton);
       }},
      {"Update Course",
       [](CScorecardDlg& w, ScorecardHarness&) {
         TypeRound(w, "Pine Valley", "3");
         QTest::mouseClick(w.Widgets().updateCourse, Qt::LeftButton);
       }},
      {"Remove Course",
       [](CScorecardDlg& w, ScorecardHarness&) {
         w.Widgets().course->setEditText(QStringLiteral("Oak & <Hills>"));
         QTest::mouseClick(w.Widgets().removeCourse, Qt::LeftButton);
       }},
      {"Import Rounds", [](CScorecardDlg& w, ScorecardHarness& h) { ImportRounds(w, h); }},
      {"Import Courses",
       [](CScorecardDlg& w, ScorecardHarness& h) {
         Import(h, w.MenuBar().importCourses, QDir(h.services.workDir).filePath("new_courses.csv"));
       }},
      {"Sort", [](CScorecardDlg& w, ScorecardHarness&) { ClickHeading(w, kDateColumn); }},
      {"Undo",
       [](CScorecardDlg& w, ScorecardHarness& h) {
         ImportRounds(w, h);
         Undo(w);
       }},
      {"Redo",
       [](CScorecardDlg& w, ScorecardHarness& h) {
         ImportRounds(w, h);
         Undo(w);
         QTest::keyClick(w.Widgets().course, Qt::Key_Y, Qt::ControlModifier);
       }},
      {"Everything",
       [](CScorecardDlg& w, ScorecardHarness& h) {
         for (const char* kind :
              {"Add Course", "Add Score", "Sort", "Update Score", "Import Rounds", "Remove Score",
               "Update Course", "Import Courses", "Remove Course"}) {
           Sessions().at(kind)(w, h);
         }
         Undo(w);
         ClickHeading(w, kCourseColumn);
         ClickHeading(w, kCourseColumn);
         TypeRound(w, "Last Links", "6");
         QTest::mouseClick(w.Widgets().addScore, Qt::LeftButton);
       }},
  };
  return sessions;
}

// The child: the session on `folder`, then a wait for the end.
int RunSession(const QString& name, const QString& folder) {
  ScorecardHarness h;
  PrepareFolder(h, folder);
  auto window = OpenMainWindow(h.services);
  Sessions().at(name)(*window, h);
  std::printf("ready\n");
  std::fflush(stdout);
  return QApplication::exec();
}

struct Closed {
  QByteArray rounds, courses;
  QString undo, redo;
  std::vector<larkspin::testing::Message> messages;
};

// Opens the window on `folder`, runs `session` in it when there is one, and closes it.
Closed OpenAndClose(const QString& folder, const Session& session = nullptr) {
  ScorecardHarness h;
  h.services.workDir = folder;
  h.services.journal = true;
  Closed closed;
  {
    auto window = OpenMainWindow(h.services);
    QTest::qWait(50);  // the boxes shown once the window shows
    if (session) session(*window, h);
    closed.undo = window->MenuBar().undo->text();
    closed.redo = window->MenuBar().redo->text();
    QTest::mouseClick(window->Widgets().clear, Qt::LeftButton);
    window->reject();
    if (window->isVisible()) qWarning("the window did not close");
  }
  closed.rounds = ReadFile(QDir(folder).filePath("lks.dat"));
  closed.courses = ReadFile(QDir(folder).filePath("courses.dat"));
  closed.messages = h.prompter.messages;
  return closed;
}

}  // namespace

class JournalKillTest : public QObject {
  Q_OBJECT

 private slots:
  void killedAfterAChange_nextStartRecoversWhatACleanCloseSaves_data() {
    QTest::addColumn<QString>("session");
    QTest::addColumn<int>("changes");
    for (const auto& [name, changes] :
         std::vector<std::pair<const char*, int>>{{"Add Score", 1},
                                                  {"Update Score", 1},
                                                  {"Remove Score", 1},
                                                  {"Add Course", 1},
                                                  {"Update Course", 1},
                                                  {"Remove Course", 1},
                                                  {"Import Rounds", 1},
                                                  {"Import Courses", 1},
                                                  {"Sort", 1},
                                                  {"Undo", 2},
                                                  {"Redo", 3},
                                                  {"Everything", 13}}) {
      QTest::newRow(name) << QString::fromLatin1(name) << changes;
    }
  }
  void killedAfterAChange_nextStartRecoversWhatACleanCloseSaves() {
    QFETCH(QString, session);
    QFETCH(int, changes);
    QTemporaryDir killed;
    {
      ScorecardHarness h;
      PrepareFolder(h, killed.path());
    }
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(kChildOption), session, killed.path()});
    QVERIFY(child.waitForStarted());
    QVERIFY(WaitForReady(child));
    QVERIFY(::kill(static_cast<pid_t>(child.processId()), SIGKILL) == 0);
    QVERIFY(child.waitForFinished());
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QVERIFY(QFile::exists(QDir(killed.path()).filePath(kJournalFileName)));

    QTemporaryDir clean;
    {
      ScorecardHarness h;
      PrepareFolder(h, clean.path());
    }
    const Closed expected = OpenAndClose(clean.path(), Sessions().at(session));
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
    QVERIFY(!QFile::exists(QDir(killed.path()).filePath(kJournalFileName)));
  }

#ifdef Q_OS_UNIX
  // The window tells a journal that cannot be written once, after the command, and goes on.
  void journalFailing_isToldOnceAndTheWindowGoesOn() {
    QTemporaryDir folder;
    ScorecardHarness h;
    PrepareFolder(h, folder.path());
    auto window = OpenMainWindow(h.services);
    {
      larkspin::testing::FaultInjector full(1, ENOSPC, {"write"});
      Sessions().at("Add Course")(*window, h);
      Sessions().at("Add Score")(*window, h);
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

 private:
  static bool WaitForReady(QProcess& child) {
    QByteArray said;
    while (!said.contains("ready")) {
      if (!child.waitForReadyRead(30000)) {
        qWarning("%s", child.readAllStandardError().constData());
        return false;
      }
      said += child.readAllStandardOutput();
    }
    return true;
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc == 4 && QByteArray(argv[1]) == kChildOption) {
    return RunSession(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
  }
  JournalKillTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "JournalKillTest.moc"
