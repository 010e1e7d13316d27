// Every file in the test data, fuzz findings included, keeps the readers' and writers' promise:
// read, written and read again, it gives the same records, and the second writing the same bytes.

#include <gtest/gtest.h>

#include <QDir>

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
  }
}

}  // namespace
}  // namespace larkspin::testing
