#include "CsvImport.h"

#include <QIODevice>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "CsvColumns.h"
#include "StorableText.h"

namespace larkspin {

namespace {

struct CourseAndDate {
  std::string_view course;
  std::string_view date;
  bool operator==(const CourseAndDate&) const = default;
};

struct CourseAndDateHash {
  std::size_t operator()(const CourseAndDate& key) const {
    const std::hash<std::string_view> hash;
    return hash(key.course) * 31 + hash(key.date);
  }
};

// The course and date of every round of the table, which an imported round duplicates.
class RoundKeys {
 public:
  explicit RoundKeys(const RoundTable& table) {
    keys_.reserve(static_cast<std::size_t>(table.RowCount()));
    for (int row = 0; row < table.RowCount(); ++row)
      keys_.insert({table.Cell(row, kCourseColumn), table.Cell(row, kDateColumn)});
  }
  bool Has(std::string_view course, std::string_view date) const {
    return keys_.contains({course, date});
  }

 private:
  std::unordered_set<CourseAndDate, CourseAndDateHash> keys_;
};

std::string_view TrimmedName(std::string_view name) {
  while (!name.empty() && (name.front() == ' ' || name.front() == '\t'))
    name.remove_prefix(1);
  return name;
}

// A column's name as the texts show it: not too long, cut between characters.
std::string ShownName(std::string_view name) {
  constexpr std::size_t kShown = 40;
  if (name.size() <= kShown) return std::string(name);
  std::size_t cut = kShown;
  while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
    --cut;
  return std::string(name.substr(0, cut)) + "...";
}

// Reads the header and hands each further row to `addRow` as the table cells of its columns.
// `cellOf[i]` is the table cell of the file's column i, -1 for one not imported.
class ImportReader {
 public:
  using AddRow = std::function<void(std::span<const std::string_view> cells,
                                    const std::vector<int>& cellOf, long long line)>;

  ImportReader(const std::vector<CsvColumn>& columns, ImportPlan& plan, AddRow addRow)
      : columns_(columns),
        plan_(plan),
        addRow_(std::move(addRow)),
        reader_([this](std::span<const std::string_view> cells, long long line) {
          OnRow(cells, line);
        }) {}

  void Read(QIODevice& csv) {
    // Read in pieces: a 30 MB file needs no 30 MB buffer.
    std::string piece(256 * 1024, '\0');
    for (;;) {
      const qint64 read = csv.read(piece.data(), static_cast<qint64>(piece.size()));
      if (read < 0) {
        plan_.problem =
            CsvProblem{0, 0, {}, "it could not be read: " + csv.errorString().toStdString()};
        return;
      }
      if (read == 0) break;
      if (!reader_.Feed(std::string_view(piece.data(), static_cast<std::size_t>(read))) ||
          plan_.problem) {
        break;
      }
    }
    if (!plan_.problem && reader_.Finish() && !plan_.problem && cellOf_.empty()) {
      plan_.problem = CsvProblem{
          0, 0, {}, "it is empty; its first row must name the columns, COURSE among them"};
    }
    if (!plan_.problem && !reader_.Problem().reason.empty()) plan_.problem = reader_.Problem();
    if (plan_.problem) NameColumn(*plan_.problem);
  }

 private:
  void OnRow(std::span<const std::string_view> cells, long long line) {
    if (plan_.problem) return;
    if (cellOf_.empty()) {
      ReadHeader(cells, line);
    } else {
      addRow_(cells, cellOf_, line);
    }
  }

  void ReadHeader(std::span<const std::string_view> names, long long line) {
    std::vector<bool> taken(columns_.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
      const std::string_view name = TrimmedName(names[i]);
      names_.push_back(ShownName(name));
      const int column = FindCsvColumn(columns_, name);
      if (column >= 0 && !taken[column]) {
        taken[column] = true;
        cellOf_.push_back(columns_[column].cell);
      } else {
        cellOf_.push_back(-1);
        plan_.columnsNotImported.push_back(name.empty() ? "column " + std::to_string(i + 1)
                                                        : ShownName(name));
      }
    }
    if (!taken[0]) {
      plan_.problem = CsvProblem{line, 0, {}, "no column is named " + columns_[0].name};
    }
  }

  void NameColumn(CsvProblem& problem) const {
    if (problem.column > 0 && problem.column <= static_cast<int>(names_.size())) {
      problem.columnName = names_[problem.column - 1];
    }
  }

  const std::vector<CsvColumn>& columns_;
  ImportPlan& plan_;
  AddRow addRow_;
  CsvReader reader_;
  std::vector<int> cellOf_;
  std::vector<std::string> names_;
};

}  // namespace

namespace {

// A plan of a file that cannot be imported holds its problem and nothing else.
template <typename Plan>
Plan Refused(Plan plan) {
  if (!plan.problem) return plan;
  Plan refused;
  refused.problem = std::move(plan.problem);
  return refused;
}

}  // namespace

RoundImportPlan PlanRoundImport(QIODevice& csv, const RoundTable& table) {
  const RoundKeys existing(table);
  RoundImportPlan plan;
  RoundCells round{};
  RoundRecord storable;  // a row's cells as lks.dat gives them back, when it would change some
  ImportReader reader(
      RoundCsvColumns(), plan,
      [&](std::span<const std::string_view> cells, const std::vector<int>& cellOf, long long line) {
        round = RoundCells{};
        bool storableAsRead = true;
        for (std::size_t i = 0; i < cells.size(); ++i) {
          if (cellOf[i] < 0) continue;
          round[cellOf[i]] = cells[i];
          storableAsRead = storableAsRead && IsStorable(cells[i]);
        }
        // What the form's commands keep of a typed cell, as lks.dat gives it back.
        if (!storableAsRead) {
          for (int column = 0; column < kRoundColumns; ++column) {
            storable[column] = StorableText(round[column]);
            round[column] = storable[column];
          }
        }
        if (round[kCourseColumn].empty()) {
          ++plan.rowsWithoutCourse;
          return;
        }
        plan.dates.Add(round[kDateColumn], line);
        const bool duplicate = existing.Has(round[kCourseColumn], round[kDateColumn]);
        plan.duplicate.push_back(duplicate);
        plan.duplicates += duplicate;
        plan.rows.emplace_back(round);
      });
  reader.Read(csv);
  return Refused(std::move(plan));
}

CourseImportPlan PlanCourseImport(QIODevice& csv, const CourseTable& table) {
  std::unordered_set<std::string_view> existing;
  for (int row = 0; row < table.RowCount(); ++row)
    existing.insert(table.Row(row)[kCourseNameCell]);

  CourseImportPlan plan;
  ImportReader reader(
      CourseCsvColumns(), plan,
      [&](std::span<const std::string_view> cells, const std::vector<int>& cellOf, long long line) {
        CourseRecord course;
        for (std::size_t i = 0; i < cells.size(); ++i) {
          if (cellOf[i] >= 0) course[cellOf[i]] = StorableText(cells[i]);
        }
        if (course[kCourseNameCell].empty()) {
          ++plan.rowsWithoutCourse;
          return;
        }
        plan.dates.Add(course[kCourseDateCell], line);
        const bool duplicate = !existing.empty() && existing.contains(course[kCourseNameCell]);
        plan.duplicate.push_back(duplicate);
        plan.duplicates += duplicate;
        plan.rows.push_back(std::move(course));
      });
  reader.Read(csv);
  return Refused(std::move(plan));
}

namespace {

template <typename Row>
std::vector<Row> TakeRows(std::vector<Row>& rows, const std::vector<bool>& duplicate,
                          bool skipDuplicates) {
  std::vector<Row> taken = std::move(rows);
  rows.clear();
  if (skipDuplicates) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < taken.size(); ++i) {
      if (duplicate[i]) continue;
      if (kept != i) taken[kept] = std::move(taken[i]);
      ++kept;
    }
    taken.resize(kept);
  }
  return taken;
}

}  // namespace

void ConvertDates(RoundImportPlan& plan, DateOrder order, const RoundTable& table) {
  plan.datesRead = order;
  std::optional<RoundKeys> existing;
  for (std::size_t i = 0; i < plan.rows.size(); ++i) {
    const auto date = IsoDate(plan.rows[i].Cell(kDateColumn), order);
    if (!date) continue;
    RoundCells cells = plan.rows[i].Cells();
    cells[kDateColumn] = *date;
    // The cells point into the round they were taken from, until it is replaced.
    plan.rows[i] = PackedRound(cells);
    ++plan.datesConverted;
    if (!existing) existing.emplace(table);
    const bool duplicate = existing->Has(plan.rows[i].Cell(kCourseColumn), *date);
    if (duplicate != plan.duplicate[i]) {
      plan.duplicate[i] = duplicate;
      duplicate ? ++plan.duplicates : --plan.duplicates;
    }
  }
}

void ConvertDates(CourseImportPlan& plan, DateOrder order) {
  plan.datesRead = order;
  for (CourseRecord& course : plan.rows) {
    if (auto date = IsoDate(course[kCourseDateCell], order)) {
      course[kCourseDateCell] = std::move(*date);
      ++plan.datesConverted;
    }
  }
}

std::vector<PackedRound> TakeRowsToImport(RoundImportPlan& plan, bool skipDuplicates) {
  return TakeRows(plan.rows, plan.duplicate, skipDuplicates);
}

std::vector<CourseRecord> TakeRowsToImport(CourseImportPlan& plan, bool skipDuplicates) {
  return TakeRows(plan.rows, plan.duplicate, skipDuplicates);
}

}  // namespace larkspin
