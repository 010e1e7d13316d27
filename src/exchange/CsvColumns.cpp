#include "CsvColumns.h"

#include "CourseRecord.h"
#include "RoundFile.h"
#include "RoundRecord.h"

namespace larkspin {

namespace {

std::vector<CsvColumn> MakeRoundColumns() {
  std::vector<CsvColumn> columns = {{"COURSE", kCourseColumn}, {"DATE", kDateColumn}};
  for (const char letter : {'S', 'D', 'P', 'C'}) {
    for (int hole = 1; hole <= kHoles; ++hole) {
      std::string key(1, letter);
      key += std::to_string(hole);
      const int column = RoundFileKeyColumn(key);
      columns.push_back({std::move(key), column});
    }
  }
  return columns;
}

std::vector<CsvColumn> MakeCourseColumns() {
  std::vector<CsvColumn> columns = {{"COURSE", kCourseNameCell}, {"DATE", kCourseDateCell}};
  for (int hole = 1; hole <= kHoles; ++hole) {
    // Appended rather than "S" + ...: GCC 12 at -O3 warns wrongly about the latter.
    std::string key = "S";
    key += std::to_string(hole);
    columns.push_back({std::move(key), ParCell(hole)});
  }
  return columns;
}

char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

const std::vector<CsvColumn>& RoundCsvColumns() {
  static const std::vector<CsvColumn> columns = MakeRoundColumns();
  return columns;
}

const std::vector<CsvColumn>& CourseCsvColumns() {
  static const std::vector<CsvColumn> columns = MakeCourseColumns();
  return columns;
}

int FindCsvColumn(const std::vector<CsvColumn>& columns, std::string_view name) {
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const std::string& known = columns[i].name;
    if (known.size() != name.size()) continue;
    bool same = true;
    for (std::size_t j = 0; j < name.size() && same; ++j)
      same = UpperAscii(name[j]) == known[j];
    if (same) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace larkspin
