// The course ratings: which rows are valid and what a box says of the others, ratings.dat read and
// written back byte for byte, the selector's order, and "OK" of the "Course Ratings" dialog as
// one step of the history.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "CourseRating.h"
#include "CourseTable.h"
#include "DiskFile.h"
#include "RatingRows.h"
#include "RatingsBook.h"
#include "RatingsFile.h"
#include "support/Files.h"
#include "support/Rounds.h"

namespace larkspin::testing {
namespace {

RatingRecord Rated(std::string course, std::string rating = "71.3", std::string slope = "128") {
  RatingRecord record{std::move(course), std::move(rating), std::move(slope)};
  for (int hole = 1; hole <= kHoles; ++hole)
    record[StrokeIndexCell(hole)] = std::to_string(hole % 2 == 1 ? (hole + 1) / 2 : 9 + hole / 2);
  return record;
}

std::string Bytes(const RatingsTable& table) {
  return SerializeRatingsFile(table);
}

TEST(Ratings, EachRow_isValidOrSaysItsFirstFault) {
  struct Case {
    int cell;
    std::string text;
    std::string problem;  // empty: valid
  };
  const Case cases[] = {
      {kRatingCell, "40.0", ""},
      {kRatingCell, "90", ""},
      {kRatingCell, "39.9", "the Rating \"39.9\" is not a number from 40.0 to 90.0"},
      {kRatingCell, "90.1", "the Rating \"90.1\" is not"},
      {kRatingCell, "71.", "the Rating \"71.\" is not"},
      {kRatingCell, "071.3", "the Rating \"071.3\" is not"},
      {kRatingCell, "71.25", "the Rating \"71.25\" is not"},
      {kRatingCell, " 71.3", "the Rating \" 71.3\" is not"},
      {kRatingCell, "", "the Rating is empty"},
      {kSlopeCell, "55", ""},
      {kSlopeCell, "155", ""},
      {kSlopeCell, "54", "the Slope \"54\" is not a whole number from 55 to 155"},
      {kSlopeCell, "156", "the Slope \"156\" is not"},
      {kSlopeCell, "12O", "the Slope \"12O\" is not"},
      {kSlopeCell, "", "the Slope is empty"},
      {StrokeIndexCell(4), "", "hole 4 has no stroke index"},
      {StrokeIndexCell(4), "19",
       "the stroke index \"19\" of hole 4 is not a whole number from 1 to 18"},
      {StrokeIndexCell(4), "0", "the stroke index \"0\" of hole 4 is not"},
      {StrokeIndexCell(4), "1", "holes 1 and 4 both have stroke index 1"},
  };
  for (const Case& c : cases) {
    RatingRecord record = Rated("Pine");
    record[c.cell] = c.text;
    const std::string problem = RatingProblem(record);
    EXPECT_EQ(problem.substr(0, c.problem.size()), c.problem) << c.text;
    EXPECT_EQ(problem.empty(), c.problem.empty()) << c.text;
    EXPECT_EQ(ReadCourseRating(record).has_value(), c.problem.empty()) << c.text;
  }
  // A row with nothing in it is no fault: the course is not rated.
  const RatingRecord empty{"Pine"};
  EXPECT_EQ(RatingProblem(empty), "");
  EXPECT_FALSE(ReadCourseRating(empty));

  const std::optional<CourseRating> read = ReadCourseRating(Rated("Pine", "71.3", "0128"));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->ratingTenths, 713);
  EXPECT_EQ(read->slope, 128);
  EXPECT_EQ(read->strokeIndex[0], 1);
  EXPECT_EQ(read->strokeIndex[1], 10);
}

TEST(Ratings, DialogRows_onePerCourseName_andEachFaultyRowNamedUpToTen) {
  CourseTable courses;
  for (const char* name : {"Pine", "Oak", "Pine", "birch"})
    courses.InsertAtTop(CourseRecord{name});
  RatingsTable ratings;
  ratings.Insert(Rated("Oak"));
  ratings.Insert(Rated("Gone"));  // a course removed keeps its ratings
  const std::vector<RatingRecord> rows = RatingRows(courses, ratings);
  EXPECT_EQ(rows,
            (std::vector<RatingRecord>{RatingRecord{"birch"}, Rated("Oak"), RatingRecord{"Pine"}}));

  std::vector<RatingRecord> typed = {Rated("Oak", " 71.3\t"), RatingRecord{"Pine", " "}};
  EXPECT_EQ(RatingsRefusal(typed), std::nullopt);
  typed.push_back(Rated("birch", "70", "50"));
  EXPECT_EQ(RatingsRefusal(typed), "birch: the Slope \"50\" is not a whole number from 55 to 155.");
  typed.push_back(RatingRecord{"Elm", "", "128"});
  EXPECT_EQ(RatingsRefusal(typed),
            "birch: the Slope \"50\" is not a whole number from 55 to 155.\r\n"
            "Elm: the Rating is empty; it is a number from 40.0 to 90.0, such as 71.3.");
  for (int more = 0; more < 10; ++more)
    typed.push_back(Rated("Ash " + std::to_string(more), "7"));
  const std::string refusal = RatingsRefusal(typed).value_or("");
  EXPECT_TRUE(
      refusal.ends_with("\r\nAsh 7: the Rating \"7\" is not a number from 40.0 to "
                        "90.0 with at most one decimal, such as 71.3.\r\nand 2 more."))
      << refusal;
}

TEST(Ratings, RatingsFile_readAndWrittenBackByteForByte_validOrNot) {
  // Written by the program: the golfer's two courses.
  const std::string written = TestDataBytes("handicap/ratings.dat");
  RatingsTable table;
  for (RatingRecord& record : ParseRatingsFile(written).ratings)
    table.Insert(std::move(record));
  ASSERT_EQ(table.RowCount(), 2);
  EXPECT_EQ(Bytes(table), written);

  // A row that is not valid, a legacy byte and LF line ends: kept as they stand.
  const std::string lf = "CREATOR=LARKSP 1.0\nCOURSE=Caf\xE9\nRATING=7x\nSLOPE=\n";
  const RatingsFileContents contents = ParseRatingsFile(lf);
  ASSERT_EQ(contents.ratings.size(), 1u);
  EXPECT_FALSE(contents.skipped.Any());
  EXPECT_EQ(contents.ratings[0][kRatingCourseCell], "Caf\xC3\xA9");
  EXPECT_EQ(contents.ratings[0][kRatingCell], "7x");
  RatingsTable odd;
  odd.Insert(contents.ratings[0]);
  std::string expected = "CREATOR=LARKSP 1.0\r\nCOURSE=Caf\xC3\xA9\r\nRATING=7x\r\nSLOPE=";
  for (int hole = 1; hole <= kHoles; ++hole)
    expected += "\r\nSI" + std::to_string(hole) + "=";
  EXPECT_EQ(Bytes(odd), expected + "\r\n");

  EXPECT_EQ(Bytes(RatingsTable()), "");  // no ratings: a zero-byte file

  // What the reader passes over keeps the file from being written over (see DataFileKeeper).
  const SkippedContent skipped =
      ParseRatingsFile("COURSE=Pine\nRATING=70\nPAR=72\nRATING=71\n\nCOURSE=\nSLOPE=120\n").skipped;
  EXPECT_EQ(skipped.unknownLines, 1u);
  EXPECT_EQ(skipped.repeatedLines, 1u);
  EXPECT_EQ(skipped.records, 1u);
}

TEST(Ratings, Table_keepsTheSelectorsOrder_equalNamesInArrivalOrder) {
  RatingsTable table;
  for (const char* name : {"pine", "Birch", "Pine", "oak Hills", "pine"})
    table.Insert(Rated(name, name));  // the rating cell tells equal names apart
  std::vector<std::string> order;
  for (int row = 0; row < table.RowCount(); ++row)
    order.push_back(table.Row(row)[kRatingCell]);
  EXPECT_EQ(order, (std::vector<std::string>{"Birch", "oak Hills", "pine", "Pine", "pine"}));
  EXPECT_EQ(table.Find("Pine"), 3);
}

TEST(Ratings, CourseRatingsOk_isOneUndoStep_keepingOtherNames) {
  QTemporaryDir folder;
  const QString path = QDir(folder.path()).filePath(kRatingsFileName);
  ChangeHistory history;
  RatingsBook book(path, history);
  book.Load();
  // A missing file is no ratings, and nothing makes one while nothing changes.
  EXPECT_EQ(book.Table().RowCount(), 0);
  EXPECT_EQ(book.Save(), std::nullopt);
  EXPECT_FALSE(QFileInfo::exists(path));
  // One that another program makes meanwhile is its own: left alone, and kept aside when saved
  // over.
  ASSERT_TRUE(WriteFile(path, "CREATOR=LARKSP 1.0\r\n"));
  EXPECT_EQ(book.Save(), std::nullopt);
  EXPECT_EQ(ReadFile(path), "CREATOR=LARKSP 1.0\r\n");

  ASSERT_TRUE(book.Replace({Rated("Oak"), Rated("Birch"), Rated("Elm")}));
  const std::string before = Bytes(book.Table());
  RatingRecord typed = Rated("Oak", " 72.0 ", "130\t");
  // Birch cleared, Oak retyped, Pine new; Elm not shown.
  EXPECT_TRUE(book.Replace({RatingRecord{"Birch"}, typed, Rated("Pine")}));
  EXPECT_EQ(history.UndoText(), "Undo Course Ratings");
  ASSERT_EQ(book.Table().RowCount(), 3);
  EXPECT_EQ(book.Table().Row(0)[kRatingCourseCell], "Elm");
  EXPECT_EQ(book.Table().Row(1), TrimmedRating(typed));
  EXPECT_EQ(book.Table().Row(1)[kRatingCell], "72.0");
  const std::string after = Bytes(book.Table());

  EXPECT_FALSE(book.Replace({TrimmedRating(typed)}));  // nothing changes: no step
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(Bytes(book.Table()), before);
  ASSERT_TRUE(history.Redo());
  EXPECT_EQ(Bytes(book.Table()), after);

  EXPECT_EQ(book.Save(), std::nullopt);
  EXPECT_EQ(ReadFile(path).toStdString(), after);
  EXPECT_EQ(ReadFile(path + ".changed-outside"), "CREATOR=LARKSP 1.0\r\n");
  ChangeHistory reopened;
  RatingsBook again(path, reopened);
  again.Load();
  EXPECT_TRUE(again.File().WhollyRead());
  EXPECT_EQ(Bytes(again.Table()), after);
}

}  // namespace
}  // namespace larkspin::testing
