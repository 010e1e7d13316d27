#pragma once

// A session of every kind of change the journal keeps, on a folder of two rounds files and a
// course file, for the tests of what a start makes of its journal.

#include <QDir>
#include <QFile>
#include <functional>
#include <string>
#include <vector>

#include "CourseFile.h"
#include "DiskFile.h"
#include "JournalFormat.h"
#include "RoundFile.h"
#include "support/FakeServices.h"
#include "support/Files.h"

namespace larkspin::testing {

inline std::string JournalBytes(const ScorecardHarness& h) {
  return ReadWholeFile(h.FilePath(kJournalFileName)).value_or("<none>");
}

// The folder as the session found it; `journal` for a window that keeps one.
inline void PrepareFolder(ScorecardHarness& h, bool journal) {
  h.services.journal = journal;
  EXPECT_TRUE(WriteFile(h.FilePath("lks.dat"), TestDataBytes("three_rounds.dat")));
  EXPECT_TRUE(WriteFile(h.FilePath("courses.dat"), TestDataBytes("report_courses.dat")));
  EXPECT_TRUE(WriteFile(h.FilePath("new_courses.csv"),
                        "COURSE,DATE,S1,S2\r\nBirch,2024-05-01,4,3\r\nAsh,,5,5\r\n"));
}

// A start on the folder as the session found it, with `journal` (see JournalBytes) left there.
inline Scorecard& StartWith(ScorecardHarness& h, const std::string& journal) {
  PrepareFolder(h, true);
  EXPECT_TRUE(journal == "<none>" || WriteFile(h.FilePath(kJournalFileName), journal));
  Scorecard& s = h.Make();
  s.OnInitDialog();
  s.TellJournalAtStart();
  return s;
}

// The grid cleared and a round typed into it.
inline Scorecard& Typed(ScorecardHarness& h, const char* course, const char* strokes) {
  Scorecard& s = *h.scorecard;
  s.ClearGrid();
  s.View().course.Type(course);
  s.View().date = "2024-05-03";
  s.View().scores[0] = strokes;
  s.View().putts[17] = "2";
  return s;
}

// "Import All" of `file`, or of the rounds' CSV.
inline Scorecard& Importing(ScorecardHarness& h, const QString& file = {}) {
  h.fileChooser.path =
      file.isEmpty() ? QDir(LARKSPIN_TEST_DATA).filePath("csv/exported_rounds.csv") : file;
  h.prompter.choices = {0};
  return *h.scorecard;
}

inline Scorecard& Selected(ScorecardHarness& h, int row) {
  h.scorecard->SelectRow(row);
  h.scorecard->OnClickRoundList();
  return *h.scorecard;
}

// One change each, in the order the session makes them.
using H = ScorecardHarness;
inline const std::vector<std::function<void(H&)>>& JournalSessionChanges() {
  static const std::vector<std::function<void(H&)>> changes = {
      [](H& h) { Typed(h, "Elm Park", "4").AddCourse(); },
      [](H& h) { Typed(h, "Elm Park", "5").AddScore(); },
      [](H& h) { h.scorecard->OnColumnClickRounds(kDateColumn); },
      [](H& h) {
        Selected(h, 1).View().scores[2] = "7";
        h.scorecard->UpdateScore();
      },
      [](H& h) { Importing(h).ImportRounds(); },
      [](H& h) { h.scorecard->Undo(); },
      [](H& h) { h.scorecard->Redo(); },
      [](H& h) { Selected(h, 3).RemoveScore(); },
      [](H& h) { Typed(h, "Pine Valley", "3").UpdateCourse(); },
      [](H& h) { Importing(h, h.FilePath("new_courses.csv")).ImportCourses(); },
      [](H& h) { Typed(h, "Oak & <Hills>", "").RemoveCourse(); },
      [](H& h) { h.scorecard->Undo(); },
      [](H& h) { h.scorecard->OnColumnClickRounds(kCourseColumn); },
      [](H& h) { h.scorecard->OnColumnClickRounds(kCourseColumn); },
      [](H& h) { Typed(h, "Last Links", "6").AddScore(); },
  };
  return changes;
}

// A session opened on the folder that makes the first `count` changes.
inline Scorecard& RunSession(ScorecardHarness& h, std::size_t count) {
  Scorecard& s = h.Make();
  s.OnInitDialog();
  for (std::size_t i = 0; i < count; ++i)
    JournalSessionChanges()[i](h);
  return s;
}

// What closing saves: lks.dat and courses.dat, as one text.
inline std::string ClosedFiles(ScorecardHarness& h) {
  EXPECT_TRUE(h.scorecard->OnDestroy());
  return ReadWholeFile(h.FilePath("lks.dat")).value_or("<none>") + "\n--\n" +
         ReadWholeFile(h.FilePath("courses.dat")).value_or("<none>");
}

// The tables as closing would save them, as one text, and the undo history.
struct SessionState {
  std::string tables;
  std::string undo, redo;
  bool operator==(const SessionState&) const = default;
};
inline void PrintTo(const SessionState& state, std::ostream* out) {
  *out << state.undo << ", " << state.redo << ":\n" << state.tables;
}
inline SessionState StateOf(const Scorecard& s) {
  std::string tables;
  WriteRoundFile(s.Rounds().Table(), [&](std::string_view bytes) {
    tables += bytes;
    return true;
  });
  return {tables + "\n--\n" + SerializeCourseFile(s.Courses().Table()), s.History().UndoText(),
          s.History().RedoText()};
}

// What a clean session that makes the first `count` changes holds, and what closing it saves.
struct CleanClose {
  SessionState state;
  std::string files;
};
inline CleanClose CleanCloseAfter(std::size_t count) {
  ScorecardHarness h;
  PrepareFolder(h, false);
  Scorecard& s = RunSession(h, count);
  CleanClose clean{StateOf(s), {}};
  clean.files = ClosedFiles(h);
  return clean;
}

}  // namespace larkspin::testing
