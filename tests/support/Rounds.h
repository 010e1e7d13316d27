#pragma once

// Building rounds and reading them back, for tests of any layer.

#include <QDir>
#include <string>
#include <utility>
#include <vector>

#include "DiskFile.h"
#include "RoundTable.h"

namespace larkspin::testing {

// A round with its course, its date and any further cells as {column, text}.
inline RoundRecord MakeRound(std::string course, std::string date = {},
                             std::vector<std::pair<int, std::string>> cells = {}) {
  RoundRecord round{std::move(course), std::move(date)};
  for (auto& [column, text] : cells)
    round[column] = std::move(text);
  return round;
}

inline std::string TestDataBytes(const char* name) {
  const QString path = QDir(QStringLiteral(LARKSPIN_TEST_DATA)).filePath(QString::fromLatin1(name));
  return ReadWholeFile(path).value_or("<missing test data>");
}

// The texts of one column, top row first.
inline std::vector<std::string> ColumnTexts(const RoundTable& table, int column) {
  std::vector<std::string> texts;
  for (int row = 0; row < table.RowCount(); ++row)
    texts.emplace_back(table.Cell(row, column));
  return texts;
}

// Every row, top first, as "course; heading=text; ..." for each further cell that is not empty.
inline std::vector<std::string> DescribeRows(const RoundTable& table) {
  std::vector<std::string> rows;
  for (int row = 0; row < table.RowCount(); ++row) {
    std::string text(table.Cell(row, kCourseColumn));
    for (int column = 1; column < kRoundColumns; ++column) {
      if (table.Cell(row, column).empty()) continue;
      text.append("; ")
          .append(RoundColumnHeading(column))
          .append("=")
          .append(table.Cell(row, column));
    }
    rows.push_back(std::move(text));
  }
  return rows;
}

}  // namespace larkspin::testing
