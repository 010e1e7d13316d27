// The journal as the session goes: each change kept as it is made, and the journal's end once the
// files are saved.
#include "SessionJournal.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <string>

#include "DiskFile.h"
#include "JournalKinds.h"

namespace larkspin {

using namespace journal;

namespace {

std::string RowText(int row) {
  return std::to_string(row);
}

void AddRounds(JournalEntry& entry, const RoundTable& table, int first, int count) {
  for (int row = first; row < first + count; ++row)
    entry.AddAll(table.Cells(row));
}

}  // namespace

SessionJournal::SessionJournal(const QString& folder, Books books)
    : folder_(folder), books_(books), writer_(folder) {
  books_.rounds.SetFingerprinted(true);
  books_.rounds.SetChangeObserver(this);
  books_.courses.SetFingerprinted(true);
  books_.courses.SetChangeObserver(this);
  if (books_.ratings) {
    books_.ratings->SetFingerprinted(true);
    books_.ratings->SetChangeObserver(this);
  }
  books_.history.SetObserver(this);
}

SessionJournal::~SessionJournal() {
  books_.rounds.SetChangeObserver(nullptr);
  books_.courses.SetChangeObserver(nullptr);
  if (books_.ratings) books_.ratings->SetChangeObserver(nullptr);
  books_.history.SetObserver(nullptr);
}

void SessionJournal::RoundAdded() {
  JournalEntry entry(kRoundAdded);
  AddRounds(entry, books_.rounds.Table(), 0, 1);
  Keep(entry);
}

void SessionJournal::RoundUpdated(int row) {
  JournalEntry entry(kRoundUpdated);
  entry.Add(RowText(row));
  AddRounds(entry, books_.rounds.Table(), row, 1);
  Keep(entry);
}

void SessionJournal::RoundRemoved(int row) {
  JournalEntry entry(kRoundRemoved);
  entry.Add(RowText(row));
  Keep(entry);
}

void SessionJournal::RoundsImported(int count) {
  JournalEntry entry(kRoundsImported);
  AddRounds(entry, books_.rounds.Table(), 0, count);
  Keep(entry);
}

// Whatever the sort went by (a column, a round's total), the order it left is what replays it.
void SessionJournal::RoundsReordered(const std::vector<int>& newRowOf) {
  const int rows = static_cast<int>(newRowOf.size());
  bool reversed = true;
  for (int old = 0; old < rows && reversed; ++old)
    reversed = newRowOf[old] == rows - 1 - old;
  if (reversed) {
    Keep(JournalEntry(kRoundsReversed));
    return;
  }
  std::string order(newRowOf.size() * 4, '\0');
  for (std::size_t old = 0; old < newRowOf.size(); ++old) {
    const auto row = static_cast<std::uint32_t>(newRowOf[old]);
    for (int i = 0; i < 4; ++i)
      order[old * 4 + i] = static_cast<char>((row >> (8 * i)) & 0xFF);
  }
  JournalEntry entry(kRoundsSorted);
  entry.Add(order);
  Keep(entry);
}

void SessionJournal::CourseAdded() {
  JournalEntry entry(kCourseAdded);
  entry.AddAll(books_.courses.Table().Row(0));
  Keep(entry);
}

void SessionJournal::CourseUpdated(int row) {
  JournalEntry entry(kCourseUpdated);
  entry.AddAll(books_.courses.Table().Row(row));
  Keep(entry);
}

void SessionJournal::CourseRemoved(const std::string& name) {
  JournalEntry entry(kCourseRemoved);
  entry.Add(name);
  Keep(entry);
}

void SessionJournal::CoursesImported(int count) {
  JournalEntry entry(kCoursesImported);
  for (int row = 0; row < count; ++row)
    entry.AddAll(books_.courses.Table().Row(row));
  Keep(entry);
}

void SessionJournal::RatingsReplaced(const std::vector<RatingRecord>& shown) {
  JournalEntry entry(kRatingsReplaced);
  for (const RatingRecord& row : shown)
    entry.AddAll(row);
  Keep(entry);
}

// A step the files the journal names already hold cannot be undone on them at the next start: the
// journal begins again from the tables as they stand after it.
void SessionJournal::Undone(std::uint64_t step) {
  if (step > inFiles_) {
    Keep(JournalEntry(kUndo));
  } else if (keeping_ && !replaying_) {
    ++changes_;
    BeginAgain(writer_.Writing() ? named_ : FilesNow());
  }
}

void SessionJournal::Redone(std::uint64_t step) {
  if (step > inFiles_) {
    Keep(JournalEntry(kRedo));
  } else if (keeping_ && !replaying_) {
    ++changes_;
    BeginAgain(writer_.Writing() ? named_ : FilesNow());
  }
}

void SessionJournal::Keep(const JournalEntry& entry) {
  if (replaying_ || !keeping_) return;
  if (!writer_.Writing()) {
    // Once failed, the journal stays as far as it got for the rest of the session.
    if (writer_.Failed()) return;
    named_ = FilesNow();
    if (!writer_.Start(named_)) return;
  }
  if (writer_.Append(entry)) ++changes_;
}

bool SessionJournal::Unsaved(const DataFileKeeper& file, std::uint64_t revision) const {
  return !file.Holds(revision);
}

void SessionJournal::BeginAgain(const std::vector<FileFingerprint>& files) {
  if (writer_.Failed()) return;
  named_ = files;
  if (!writer_.Start(named_)) return;
  inFiles_ = books_.history.Recorded();
  if (changes_ > 0) {
    JournalEntry earlier(kEarlierChanges);
    earlier.Add(std::to_string(changes_));
    if (!writer_.Append(earlier)) return;
  }
  const RoundTable& rounds = books_.rounds.Table();
  if (Unsaved(books_.rounds.File(), rounds.Revision())) {
    JournalEntry entry(kRoundsAsTheyStand);
    AddRounds(entry, rounds, 0, rounds.RowCount());
    if (!writer_.Append(entry)) return;
  }
  const CourseTable& courses = books_.courses.Table();
  if (Unsaved(books_.courses.File(), courses.Revision())) {
    JournalEntry entry(kCoursesAsTheyStand);
    for (int row = 0; row < courses.RowCount(); ++row)
      entry.AddAll(courses.Row(row));
    if (!writer_.Append(entry)) return;
  }
  if (books_.ratings && Unsaved(books_.ratings->File(), books_.ratings->Table().Revision())) {
    const RatingsTable& ratings = books_.ratings->Table();
    JournalEntry entry(kRatingsAsTheyStand);
    for (int row = 0; row < ratings.RowCount(); ++row)
      entry.AddAll(ratings.Row(row));
    writer_.Append(entry);
  }
}

std::optional<std::string> SessionJournal::AfterSaving() {
  if (!keeping_) return std::nullopt;
  saved_ = true;
  const bool allHeld =
      !Unsaved(books_.rounds.File(), books_.rounds.Table().Revision()) &&
      !Unsaved(books_.courses.File(), books_.courses.Table().Revision()) &&
      (!books_.ratings || !Unsaved(books_.ratings->File(), books_.ratings->Table().Revision()));
  if (allHeld) {
    inFiles_ = books_.history.Recorded();
    changes_ = 0;
    QString error;
    if (writer_.Remove(&error)) return std::nullopt;
    return "The journal " +
           QDir::toNativeSeparators(QFileInfo(Path()).absoluteFilePath()).toStdString() +
           " could not be removed (" + error.toStdString() +
           "). Everything was saved; the next start keeps the journal aside.";
  }
  if (!writer_.Writing()) return std::nullopt;
  // When no file was written over, the journal still continues them.
  std::vector<FileFingerprint> files = FilesOnDisk();
  if (SameFiles(files, named_)) return std::nullopt;
  BeginAgain(files);
  return TakeFailure();
}

void SessionJournal::StartFingerprints() const {
  books_.rounds.File().StartFingerprint();
  books_.courses.File().StartFingerprint();
  if (books_.ratings) books_.ratings->File().StartFingerprint();
}

std::optional<std::string> SessionJournal::TakeFailure() {
  const std::optional<QString> reason = writer_.TakeFailure();
  if (!reason) return std::nullopt;
  return JournalFailureMessage(Path(), *reason);
}

std::vector<FileFingerprint> SessionJournal::FilesNow() const {
  return saved_ ? FilesOnDisk() : FilesAsRead();
}

std::vector<FileFingerprint> SessionJournal::FilesAsRead() const {
  std::vector<FileFingerprint> files{books_.rounds.File().Fingerprint(),
                                     books_.courses.File().Fingerprint()};
  if (books_.ratings) files.push_back(books_.ratings->File().Fingerprint());
  return files;
}

// As a start would read them.
std::vector<FileFingerprint> SessionJournal::FilesOnDisk() const {
  std::vector<FileFingerprint> files;
  for (const FileFingerprint& read : FilesAsRead()) {
    FileReadResult file =
        ReadRegularFile(QDir(folder_).filePath(QString::fromStdString(read.name)));
    files.push_back(file.outcome == FileReadResult::Outcome::kRead
                        ? FingerprintOf(read.name, file.bytes)
                        : NothingRead(read.name));
  }
  return files;
}

}  // namespace larkspin
