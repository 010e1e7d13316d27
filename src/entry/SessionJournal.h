#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ChangeHistory.h"
#include "CourseBook.h"
#include "FileFingerprint.h"
#include "JournalWriter.h"
#include "RatingsBook.h"
#include "RoundBook.h"

namespace larkspin {

// The journal of the main window's session. Every change of the round book, the course book and
// the ratings book, every sort of the rounds and every undo and redo is appended to the journal in
// the data folder, and is on the disk before the book's method returns, so before the window shows
// the change as done; a crash or a power cut then loses none of them. The next start replays them
// through the same methods of the same books, which rebuilds the tables and the undo history
// exactly as the session left them.
//
// It knows the books, never the window: each book tells it of its changes (see
// RoundChangeObserver and the like). The journal begins with the session's first change, so that
// opening the window never waits for the files' fingerprints, and goes once every table is saved.
class SessionJournal final : private RoundChangeObserver,
                             private CourseChangeObserver,
                             private RatingsChangeObserver,
                             private HistoryObserver {
 public:
  struct Books {
    RoundBook& rounds;
    CourseBook& courses;
    RatingsBook* ratings;  // none where the session keeps no ratings
    ChangeHistory& history;
  };

  // Watches the books from now on, and has them keep what their files' fingerprints need as they
  // read them.
  SessionJournal(const QString& folder, Books books);
  ~SessionJournal() override;
  SessionJournal(const SessionJournal&) = delete;
  SessionJournal& operator=(const SessionJournal&) = delete;

  const QString& Path() const { return writer_.Path(); }

  // At start, once the books have read their files. A journal there was left by a session that
  // ended without saving: when it continues these files, its changes are replayed (and the journal
  // goes on from them); otherwise, or for what of it cannot be read or replayed, it is kept aside
  // as ".larkspin.journal.unapplied". What to tell the user, in one box; empty when there was no
  // journal.
  std::string Recover();

  // After the data files were saved, all of them or some. When every file holds its table, the
  // journal goes. Otherwise, if a file was written, the journal begins again from the files as
  // they are now, with the tables they do not hold as they stand, so a crash still loses nothing.
  // The sentence to tell the user when that failed.
  std::optional<std::string> AfterSaving();

  // Has the books work out their files' fingerprints on threads of their own, for the first
  // change not to wait for them; the window does so once it has opened.
  void StartFingerprints() const;

  // After a change the journal could not keep: the sentence that says so and why, once.
  std::optional<std::string> TakeFailure();

 private:
  void RoundAdded() override;
  void RoundUpdated(int row) override;
  void RoundRemoved(int row) override;
  void RoundsImported(int count) override;
  void RoundsReordered(const std::vector<int>& newRowOf) override;
  void CourseAdded() override;
  void CourseUpdated(int row) override;
  void CourseRemoved(const std::string& name) override;
  void CoursesImported(int count) override;
  void RatingsReplaced(const std::vector<RatingRecord>& shown) override;
  void Undone(std::uint64_t step) override;
  void Redone(std::uint64_t step) override;

  // Appends a change, beginning the journal first when it has not begun.
  void Keep(const JournalEntry& entry);
  // A journal of the files as they are now, holding the tables they do not hold as they stand.
  void BeginAgain(const std::vector<FileFingerprint>& files);
  // The files as the books read them, or as they are on the disk once a save may have changed
  // them.
  std::vector<FileFingerprint> FilesNow() const;
  std::vector<FileFingerprint> FilesAsRead() const;
  std::vector<FileFingerprint> FilesOnDisk() const;
  bool Unsaved(const DataFileKeeper& file, std::uint64_t revision) const;

  // Replays the records onto the books; how many applied, all of them unless one does not fit
  // the tables. `changes` counts the user's changes among them.
  std::size_t Replay(const JournalContents& contents, int& changes);
  bool Apply(const JournalRecord& record, int& changes);
  // Moves the journal aside; the sentence that tells where, or why it could not be.
  std::string KeepAside();

  QString folder_;
  Books books_;
  JournalWriter writer_;
  bool replaying_ = false;
  bool keeping_ = true;                 // false once a journal from before could not be kept aside
  bool saved_ = false;                  // a save may have changed the files since they were read
  std::vector<FileFingerprint> named_;  // by the journal being written
  // The steps up to this one are in the files the journal names: undoing or redoing one is not
  // a change the journal can replay on them.
  std::uint64_t inFiles_ = 0;
  int changes_ = 0;  // the user's changes the journal holds
};

}  // namespace larkspin
