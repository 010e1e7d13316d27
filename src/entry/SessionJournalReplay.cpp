// The journal at start: the changes of a session that ended without saving, replayed through the
// books, or kept aside when they do not fit the files; and what the user is told of it.
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

#include "JournalAtStart.h"
#include "JournalKinds.h"
#include "SessionJournal.h"

namespace larkspin {

using namespace journal;

namespace {

bool ReadCount(std::string_view cell, int& number) {
  const char* end = cell.data() + cell.size();
  const auto [stop, error] = std::from_chars(cell.data(), end, number);
  return error == std::errc() && stop == end && number >= 0;
}

bool NextCount(JournalCells& cells, int& number) {
  std::string_view cell;
  return cells.Next(cell) && ReadCount(cell, number);
}

bool AtEnd(JournalCells cells) {
  std::string_view cell;
  return !cells.Next(cell);
}

// Hands on the rest of the cells `N` at a time; false when they do not come out even.
template <std::size_t N, typename Each>
bool ForEachRow(JournalCells& cells, Each each) {
  std::array<std::string_view, N> row;
  std::size_t filled = 0;
  for (std::string_view cell; cells.Next(cell);) {
    row[filled++] = cell;
    if (filled == N) {
      each(row);
      filled = 0;
    }
  }
  return filled == 0;
}

template <typename Record>
std::vector<Record> Records(JournalCells& cells, bool& even) {
  std::vector<Record> records;
  even = ForEachRow<std::tuple_size_v<Record>>(cells, [&](const auto& row) {
    Record& record = records.emplace_back();
    for (std::size_t i = 0; i < row.size(); ++i)
      record[i] = std::string(row[i]);
  });
  return records;
}

// Exactly one record, and nothing after it.
template <typename Record>
std::optional<Record> OneRecord(JournalCells& cells) {
  bool even = false;
  std::vector<Record> records = Records<Record>(cells, even);
  if (!even || records.size() != 1) return std::nullopt;
  return std::move(records.front());
}

std::vector<PackedRound> Rounds(JournalCells& cells, bool& even) {
  std::vector<PackedRound> rounds;
  even = ForEachRow<kRoundColumns>(cells, [&](const RoundCells& row) { rounds.emplace_back(row); });
  return rounds;
}

bool IsChange(std::uint32_t kind) {
  return kind < kEarlierChanges;
}

std::string Shown(const QString& path) {
  return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdString();
}

// "lks.dat and courses.dat"
std::string Names(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
    text += names[i];
  }
  return text;
}

// The files that are not as the journal found them; one named on one side alone was not read on
// the other.
std::vector<std::string> ChangedFiles(const std::vector<FileFingerprint>& then,
                                      const std::vector<FileFingerprint>& now) {
  const auto as = [](const std::vector<FileFingerprint>& files, const std::string& name) {
    const auto it = std::find_if(files.begin(), files.end(),
                                 [&](const FileFingerprint& file) { return file.name == name; });
    return it != files.end() ? *it : NothingRead(name);
  };
  std::vector<std::string> changed;
  for (const auto* side : {&now, &then}) {
    for (const FileFingerprint& file : *side) {
      const bool differs = as(then, file.name) != as(now, file.name);
      if (differs && std::find(changed.begin(), changed.end(), file.name) == changed.end()) {
        changed.push_back(file.name);
      }
    }
  }
  return changed;
}

// How many of the user's changes the records hold, without replaying them.
int CountChanges(const std::vector<JournalRecord>& records) {
  int changes = 0;
  for (const JournalRecord& record : records) {
    int earlier = 0;
    JournalCells cells(record);
    if (record.kind == kEarlierChanges && NextCount(cells, earlier)) changes += earlier;
    if (IsChange(record.kind)) ++changes;
  }
  return changes;
}

std::string Counted(int changes) {
  return changes == 1 ? "The 1 change made then was"
                      : "The " + std::to_string(changes) + " changes made then were";
}

std::string When(std::int64_t timeMs) {
  const QDateTime time = QDateTime::fromMSecsSinceEpoch(timeMs).toLocalTime();
  return time.toString(QStringLiteral("yyyy-MM-dd")).toStdString() + " at " +
         time.toString(QStringLiteral("HH:mm")).toStdString();
}

constexpr char kEndedWithoutSaving[] = "Larkspin ended without saving last time.";

}  // namespace

std::string SessionJournal::Recover() {
  const QFileInfo there(Path());
  if (!there.exists() && !there.isSymLink()) return {};
  const std::vector<FileFingerprint> files = FilesAsRead();
  JournalAtStart found = ReadJournal(folder_, files);
  const std::vector<JournalRecord>& records = found.contents.Records();
  switch (found.outcome) {
    case JournalAtStart::Outcome::kNone:
      return {};
    case JournalAtStart::Outcome::kUnreadable:
      return std::string(kEndedWithoutSaving) +
             " The journal of the changes made then could not be read (" +
             found.reason.toStdString() + ")." + KeepAside();
    case JournalAtStart::Outcome::kOtherFiles: {
      const std::vector<std::string> changed = ChangedFiles(found.contents.Files(), files);
      return std::string(kEndedWithoutSaving) + " " + Counted(CountChanges(records)) +
             " not applied, as " + Names(changed) + (changed.size() == 1 ? " has" : " have") +
             " changed since." + KeepAside();
    }
    case JournalAtStart::Outcome::kContinues:
      break;
  }

  int changes = 0;
  const std::size_t applied = Replay(found.contents, changes);
  const bool whole =
      applied == records.size() && found.contents.TailState() != JournalContents::Tail::kDamaged;
  std::string text;
  if (applied > 0) {
    text = std::string(kEndedWithoutSaving) + " " + Counted(changes) +
           " recovered. The last one was made on " + When(records[applied - 1].timeMs) + ".";
  }
  if (!whole) {
    text += text.empty() ? std::string(kEndedWithoutSaving) +
                               " The journal of the changes made then could not be replayed."
                         : " The rest of the journal could not be read.";
    text += KeepAside();
  }
  if (!keeping_) return text;
  if (applied > 0) {
    // The session goes on from the changes replayed, and a second crash still finds them.
    if (writer_.Resume(found.contents, applied)) named_ = found.contents.Files();
    changes_ = changes;
  } else if (whole) {
    writer_.Remove();  // begun, but no change was ever kept in it
  }
  return text;
}

std::string SessionJournal::KeepAside() {
  QString error;
  if (const std::optional<QString> kept = KeepJournalUnapplied(folder_, &error)) {
    return " It is kept as " + Shown(*kept) + ".";
  }
  // A journal written now would take its place.
  keeping_ = false;
  return " It could not be kept aside (" + error.toStdString() + "), so it stays as " +
         Shown(Path()) +
         " and Larkspin keeps no journal this time: changes are not protected against a crash. "
         "They are still saved when Larkspin closes.";
}

std::size_t SessionJournal::Replay(const JournalContents& contents, int& changes) {
  replaying_ = true;
  std::size_t applied = 0;
  for (const JournalRecord& record : contents.Records()) {
    if (!Apply(record, changes)) break;
    ++applied;
  }
  replaying_ = false;
  return applied;
}

// Each record through the book method that made it; a record that does not fit the tables as
// they stand (which no session of this program writes) ends the replay.
bool SessionJournal::Apply(const JournalRecord& record, int& changes) {
  RoundBook& rounds = books_.rounds;
  CourseBook& courses = books_.courses;
  JournalCells cells(record);
  int row = 0;
  bool even = false;
  switch (record.kind) {
    case kRoundAdded: {
      const std::optional<RoundRecord> round = OneRecord<RoundRecord>(cells);
      if (!round) return false;
      rounds.Add(*round);
      break;
    }
    case kRoundUpdated: {
      if (!NextCount(cells, row) || !rounds.Table().HasRow(row)) return false;
      const std::optional<RoundRecord> round = OneRecord<RoundRecord>(cells);
      if (!round) return false;
      rounds.Update(row, *round);
      break;
    }
    case kRoundRemoved:
      if (!NextCount(cells, row) || !AtEnd(cells) || !rounds.Table().HasRow(row)) return false;
      rounds.Remove(row);
      break;
    case kRoundsImported: {
      std::vector<PackedRound> imported = Rounds(cells, even);
      if (!even || imported.empty()) return false;
      rounds.Import(std::move(imported));
      break;
    }
    case kRoundsSorted: {
      std::string_view order;
      if (!cells.Next(order) || !AtEnd(cells) ||
          order.size() != static_cast<std::size_t>(rounds.Table().RowCount()) * 4) {
        return false;
      }
      std::vector<int> newRowOf(order.size() / 4);
      for (std::size_t old = 0; old < newRowOf.size(); ++old) {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
          value |= std::uint32_t{static_cast<unsigned char>(order[old * 4 + i])} << (8 * i);
        if (value > static_cast<std::uint32_t>(std::numeric_limits<int>::max())) return false;
        newRowOf[old] = static_cast<int>(value);
      }
      if (!rounds.Reorder(newRowOf)) return false;
      break;
    }
    case kRoundsReversed: {
      if (!AtEnd(cells)) return false;
      const int count = rounds.Table().RowCount();
      std::vector<int> newRowOf(count);
      for (int old = 0; old < count; ++old)
        newRowOf[old] = count - 1 - old;
      rounds.Reorder(newRowOf);
      break;
    }
    case kCourseAdded: {
      std::optional<CourseRecord> course = OneRecord<CourseRecord>(cells);
      if (!course) return false;
      courses.Add(std::move(*course));
      break;
    }
    case kCourseUpdated: {
      std::optional<CourseRecord> course = OneRecord<CourseRecord>(cells);
      if (!course || !courses.Update(std::move(*course))) return false;
      break;
    }
    case kCourseRemoved: {
      std::string_view name;
      if (!cells.Next(name) || !AtEnd(cells) || !courses.Remove(std::string(name))) return false;
      break;
    }
    case kCoursesImported: {
      std::vector<CourseRecord> imported = Records<CourseRecord>(cells, even);
      if (!even || imported.empty()) return false;
      courses.Import(std::move(imported));
      break;
    }
    case kRatingsReplaced: {
      const std::vector<RatingRecord> shown = Records<RatingRecord>(cells, even);
      if (!even || !books_.ratings || !books_.ratings->Replace(shown)) return false;
      break;
    }
    case kUndo:
      if (!AtEnd(cells) || !books_.history.Undo()) return false;
      break;
    case kRedo:
      if (!AtEnd(cells) || !books_.history.Redo()) return false;
      break;
    case kEarlierChanges: {
      int earlier = 0;
      if (!NextCount(cells, earlier) || !AtEnd(cells)) return false;
      changes += earlier;
      return true;
    }
    case kRoundsAsTheyStand: {
      std::vector<PackedRound> table = Rounds(cells, even);
      if (!even) return false;
      rounds.Restore(std::move(table));
      return true;
    }
    case kCoursesAsTheyStand: {
      std::vector<CourseRecord> table = Records<CourseRecord>(cells, even);
      if (!even) return false;
      courses.Restore(std::move(table));
      return true;
    }
    case kRatingsAsTheyStand: {
      std::vector<RatingRecord> table = Records<RatingRecord>(cells, even);
      if (!even || !books_.ratings) return false;
      books_.ratings->Restore(std::move(table));
      return true;
    }
    default:
      return false;
  }
  ++changes;
  return true;
}

}  // namespace larkspin
