// Writes the journals in tests/testdata/journal/written-by-<version>: what a session of this
// version leaves in its data folder when it ends without saving, beside the files it began from
// and, in saved/, the tables it held then. JournalReplayTest replays them and never writes them;
// run this by hand only when a version writes its journal differently, into a folder of its own,
// and keep the folders of the versions before:
//
//   build/tests/write_journal_fixture tests/testdata/journal/written-by-1.0
//
// The folder must hold after-a-session/lks.dat, courses.dat and ratings.dat, where both sessions
// begin. It prints the kinds of the records each journal holds, and what the sessions were told.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <string>

#include "DiskFile.h"
#include "JournalFormat.h"
#include "RoundRecord.h"
#include "support/FakeServices.h"
#include "support/Files.h"

namespace larkspin::testing {
namespace {

constexpr const char* kDataFiles[] = {"lks.dat", "courses.dat", "ratings.dat"};

bool Fail(const std::string& why) {
  std::fprintf(stderr, "write_journal_fixture: %s\n", why.c_str());
  return false;
}

bool Copy(const QString& from, const QString& to) {
  const std::optional<std::string> bytes = ReadWholeFile(from);
  if (!bytes) return Fail("cannot read " + from.toStdString());
  if (!QDir().mkpath(QFileInfo(to).path()) || !WriteFile(to, QByteArray::fromStdString(*bytes)))
    return Fail("cannot write " + to.toStdString());
  return true;
}

// The grid cleared and a round typed into it.
Scorecard& Typed(ScorecardHarness& h, const char* course, const char* strokes) {
  Scorecard& s = *h.scorecard;
  s.ClearGrid();
  s.View().course.Type(course);
  s.View().date = "2024-05-03";
  s.View().scores[0] = strokes;
  s.View().putts[17] = "2";
  return s;
}

Scorecard& Selected(ScorecardHarness& h, int row) {
  h.scorecard->SelectRow(row);
  h.scorecard->OnClickRoundList();
  return *h.scorecard;
}

// "Import All" of `file`.
Scorecard& Importing(ScorecardHarness& h, const QString& file) {
  h.fileChooser.path = file;
  h.prompter.choices = {0};
  return *h.scorecard;
}

// "Course Ratings…" closed with `course` rated and every other row as it opened.
void Rate(ScorecardHarness& h, const std::string& course, const char* rating, const char* slope) {
  h.ratingsEditor.type = [=](std::vector<RatingRecord> rows) {
    for (RatingRecord& row : rows) {
      if (row[kRatingCourseCell] != course) continue;
      row[kRatingCell] = rating;
      row[kSlopeCell] = slope;
      for (int hole = 1; hole <= kHoles; ++hole)
        row[StrokeIndexCell(hole)] = std::to_string((hole * 7) % 18 + 1);
    }
    return rows;
  };
  h.scorecard->OnCourseRatings();
}

// Every kind of change, as a golfer makes them in one session.
void WholeSession(ScorecardHarness& h) {
  Scorecard& s = *h.scorecard;
  Typed(h, "Elm Park", "4").AddCourse();
  Typed(h, "Elm Park", "5").AddScore();
  s.OnColumnClickRounds(kDateColumn);
  Selected(h, 1).View().scores[2] = "7";
  s.UpdateScore();
  Importing(h, QDir(LARKSPIN_TEST_DATA).filePath("csv/exported_rounds.csv")).ImportRounds();
  s.Undo();
  s.Redo();
  Selected(h, 3).RemoveScore();
  Typed(h, "Pine Valley", "3").UpdateCourse();
  WriteFile(h.FilePath("new_courses.csv"),
            "COURSE,DATE,S1,S2\r\nBirch,2024-05-01,4,3\r\nAsh,,5,5\r\n");
  Importing(h, h.FilePath("new_courses.csv")).ImportCourses();
  Typed(h, "Oak & <Hills>", "").RemoveCourse();
  Rate(h, "Elm Park", "69.8", "117");
  Rate(h, "Pine Valley", "70.9", "126");
  s.Undo();
  s.OnColumnClickRounds(kCourseColumn);
  s.OnColumnClickRounds(kCourseColumn);
  Typed(h, "Last Links", "6").AddScore();
  s.Undo();
}

// A session whose files were saved as a logout began, which was then called off: undoing and
// redoing what the files hold begins the journal again with the tables as they stand.
void SessionGoingOnAfterASave(ScorecardHarness& h, const QString& begunFrom) {
  Scorecard& s = *h.scorecard;
  Typed(h, "Cedar", "4").AddCourse();
  Typed(h, "Cedar", "5").AddScore();
  Rate(h, "Cedar", "72.1", "133");
  s.OnEndSession([] { return false; });
  for (const char* name : kDataFiles)
    Copy(h.FilePath(name), QDir(begunFrom).filePath(name));
  s.Undo();
  s.Undo();
  s.Undo();
  s.Redo();
  Typed(h, "Last Links", "6").AddScore();
}

// The session begun on `from`'s data files, made by `session`, left as a crash leaves it in
// `into`: its journal, and in saved/ what closing would have saved.
template <typename Session>
bool Write(const QString& from, const QString& into, Session session) {
  ScorecardHarness h;
  h.services.journal = true;
  for (const char* name : kDataFiles) {
    if (!Copy(QDir(from).filePath(name), h.FilePath(name))) return false;
  }
  Scorecard& s = h.Make();
  s.OnInitDialog();
  s.TellUnreadFiles();
  session(h);
  const std::optional<std::string> journal = ReadWholeFile(h.FilePath(kJournalFileName));
  if (!journal) return Fail("the session left no journal");
  if (!WriteFile(QDir(into).filePath("journal"), QByteArray::fromStdString(*journal)))
    return Fail("cannot write the journal");

  std::printf("%s:", qPrintable(into));
  const JournalContents contents(*journal);
  for (const JournalRecord& record : contents.Records())
    std::printf(" %u", record.kind);
  std::printf("\n");

  if (!s.OnDestroy()) return Fail("the session's tables could not be saved");
  for (const char* name : kDataFiles) {
    if (!Copy(h.FilePath(name), QDir(into).filePath(QStringLiteral("saved/") + name))) return false;
  }
  for (const Message& message : h.prompter.messages)
    std::printf("  told \"%s\": %s\n", message.title.c_str(), message.text.c_str());
  return true;
}

}  // namespace
}  // namespace larkspin::testing

int main(int argc, char** argv) {
  using namespace larkspin::testing;
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr,
                 "usage: write_journal_fixture tests/testdata/journal/written-by-VERSION\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  const QString session = folder.filePath("after-a-session");
  const QString save = folder.filePath("after-a-save");
  const bool written =
      Write(session, session, WholeSession) &&
      Write(session, save, [&](ScorecardHarness& h) { SessionGoingOnAfterASave(h, save); });
  return written ? 0 : 1;
}
