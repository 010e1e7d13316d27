// Every file in the test data, fuzz findings included, keeps the readers' and writers' promise:
// read, written and read again, it gives the same records, and the second writing the same bytes.
// And whatever is typed into the form's cells, a table holds only what the files give back.

#include <gtest/gtest.h>

#include <QDir>
#include <random>

#include "DiskFile.h"
#include "support/DataFileRoundTrip.h"

namespace larkspin::testing {
namespace {

TEST(RoundTrip, EveryTestDataFile_readsBackAsWrittenAsRoundsAndAsCourses) {
  const QDir testData(QStringLiteral(LARKSPIN_TEST_DATA));
  const QStringList names = testData.entryList(QDir::Files);
  ASSERT_FALSE(names.isEmpty());
  for (const QString& name : names) {
    const std::optional<std::string> bytes = ReadWholeFile(testData.filePath(name));
    ASSERT_TRUE(bytes) << name.toStdString();
    EXPECT_EQ(CheckRoundFileRoundTrip(*bytes), "") << name.toStdString();
    EXPECT_EQ(CheckCourseFileRoundTrip(*bytes), "") << name.toStdString();
    EXPECT_EQ(CheckTypedCellsRoundTrip(*bytes), "") << name.toStdString();
  }
}

TEST(RoundTrip, AnyTypedCells_giveTheSameTablesBackThroughTheFiles) {
  // Pieces a user or a paste may bring: white space and line breaks of every kind, control-Z,
  // "=", accents, bytes that are not UTF-8, and the cell separator 0xFF.
  const std::string_view pieces[] = {" ",    "\t",   "\n",   "\r",       "\r\n", "\v",     "\f",
                                     "\x1A", "\x7F", "\0",   "=",        "A",    "Pine",   "é",
                                     "\xE9", "\x80", "\xFF", "\xC2\xA0", "S1=4", "COURSE="};
  std::mt19937 random(20031016);
  for (int run = 0; run < 3000; ++run) {
    std::string typed;
    const int length = static_cast<int>(random() % 400);
    for (int i = 0; i < length; ++i)
      typed += pieces[random() % std::size(pieces)];
    ASSERT_EQ(CheckTypedCellsRoundTrip(typed), "") << "run " << run;
  }
}

}  // namespace
}  // namespace larkspin::testing
