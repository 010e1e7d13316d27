// The round list's columns are as wide as their widest cell, or their heading when that is wider.

#include <gtest/gtest.h>

#include <set>

#include "ColumnWidths.h"
#include "support/ByteCountMeasure.h"
#include "support/Rounds.h"

namespace larkspin::testing {
namespace {

class ColumnWidth : public ::testing::Test {
 protected:
  int Width(std::string_view text) const { return measure_.TextWidth(text); }

  RoundTable table_;
  ByteCountMeasure measure_;
};

TEST_F(ColumnWidth, WidestCell_followsAddedChangedAndRemovedRows) {
  table_.InsertRow(0, MakeRound("Pine Hills"));
  ColumnWidthTracker tracker(table_, measure_);  // counts the rows already there
  table_.InsertRow(0, MakeRound("Royal Oak Golf Club"));
  table_.InsertRow(0, MakeRound("Royal Oak Golf Club"));
  EXPECT_EQ(tracker.WidestCell(kCourseColumn), Width("Royal Oak Golf Club"));

  table_.RemoveRow(0);  // one of that width is left
  EXPECT_EQ(tracker.WidestCell(kCourseColumn), Width("Royal Oak Golf Club"));
  table_.SetRow(0, MakeRound("Elm"));
  EXPECT_EQ(tracker.WidestCell(kCourseColumn), Width("Pine Hills"));
  table_.SetRow(0, MakeRound("Elm Park Golf Links"));
  table_.RemoveRow(1);
  EXPECT_EQ(tracker.WidestCell(kCourseColumn), Width("Elm Park Golf Links"));
  table_.RemoveRow(0);
  EXPECT_EQ(tracker.WidestCell(kCourseColumn), 0);
}

TEST_F(ColumnWidth, RemovingVeryLongTexts_fallsBackToNextWidest) {
  ColumnWidthTracker tracker(table_, measure_);
  const std::string longest(500, 'L');
  const std::string longer(300, 'l');
  table_.InsertRowsAtTop({PackedRound(MakeRound("A", longest)), PackedRound(MakeRound("B", longer)),
                          PackedRound(MakeRound("C", "2003-09-14"))});
  EXPECT_EQ(tracker.WidestCell(kDateColumn), Width(longest));

  table_.RemoveRow(0);
  EXPECT_EQ(tracker.WidestCell(kDateColumn), Width(longer));
  table_.RemoveRow(0);
  EXPECT_EQ(tracker.WidestCell(kDateColumn), Width("2003-09-14"));
}

}  // namespace
}  // namespace larkspin::testing

namespace larkspin::testing {
namespace {

// Widths that depend on every byte and its place, so texts of one length differ.
class ContentMeasure final : public TextMeasure {
 public:
  int TextWidth(std::string_view text) const override {
    ++calls;
    int width = 10;
    for (std::size_t i = 0; i < text.size(); ++i)
      width += (static_cast<unsigned char>(text[i]) * static_cast<int>(i + 3)) % 50;
    return width;
  }
  int HeadingWidth(int) const override { return 0; }
  mutable int calls = 0;
};

TEST(ColumnWidthCache, ManyDistinctShortTexts_eachGetsItsOwnWidthAsTheCacheGrows) {
  RoundTable table;
  ContentMeasure measure;
  const ContentMeasure reference;  // the widths expected, measured apart from the tracker's
  ColumnWidthTracker tracker(table, measure);
  // Far more short texts than the cache first has room for, of every length below eight bytes,
  // "" and "\0" among them.
  std::vector<std::string> texts = {"", std::string(1, '\0'), std::string(2, '\0')};
  for (int i = 0; i < 600; ++i)
    texts.push_back(std::to_string(i * 7919).substr(0, 1 + i % 7));
  for (const auto& text : texts) {
    table.InsertRow(0, MakeRound("c", text));
    int widest = 0;
    for (int row = 0; row < table.RowCount(); ++row)
      widest = std::max(widest, reference.TextWidth(table.Cell(row, kDateColumn)));
    ASSERT_EQ(tracker.WidestCell(kDateColumn), widest) << "after adding \"" << text << "\"";
  }
  // Each distinct text was measured once, however often it came back.
  std::set<std::string> distinct(texts.begin(), texts.end());
  distinct.insert("c");
  EXPECT_EQ(measure.calls, static_cast<int>(distinct.size()));
  // Taken away again, widest first, each width is still known exactly.
  while (table.RowCount() > 1) {
    int widestRow = 0;
    for (int row = 1; row < table.RowCount(); ++row) {
      if (reference.TextWidth(table.Cell(row, kDateColumn)) >
          reference.TextWidth(table.Cell(widestRow, kDateColumn))) {
        widestRow = row;
      }
    }
    table.RemoveRow(widestRow);
    int widest = 0;
    for (int row = 0; row < table.RowCount(); ++row)
      widest = std::max(widest, reference.TextWidth(table.Cell(row, kDateColumn)));
    ASSERT_EQ(tracker.WidestCell(kDateColumn), widest);
  }
}

// A file read or an import hands over its rows at once; each text counts as often as it stands,
// so that the widest is still right as rows go again one by one.
TEST(ColumnWidthCache, RowsAddedAtOnce_countAsRowsAddedOneByOne) {
  RoundTable table;
  const ContentMeasure measure;
  ColumnWidthTracker tracker(table, measure);
  std::vector<PackedRound> rounds;
  for (int i = 0; i < 300; ++i) {
    // Short dates repeat (a width counted many times over), some long ones do not.
    const std::string date = i % 10 == 0 ? "2003-09-" + std::to_string(i) : std::to_string(i % 7);
    rounds.emplace_back(MakeRound("c", date));
  }
  table.InsertRowsAtTop(std::move(rounds));
  while (table.RowCount() > 0) {
    int widest = 0;
    int widestRow = 0;
    for (int row = 0; row < table.RowCount(); ++row) {
      const int width = measure.TextWidth(table.Cell(row, kDateColumn));
      if (width > widest) widest = width, widestRow = row;
    }
    ASSERT_EQ(tracker.WidestCell(kDateColumn), widest) << table.RowCount() << " rows";
    table.RemoveRow(widestRow);
  }
  EXPECT_EQ(tracker.WidestCell(kDateColumn), 0);
}

// Where figures measure alike, each shape of figures is measured once ("250" as "000", every date
// as "0000-00-00") and every text takes its own width, whether rows come at once or one by one.
TEST(ColumnWidthCache, FiguresMeasuredAlike_takeTheirShapesWidth) {
  class ShapeMeasure final : public TextMeasure {
   public:
    int TextWidth(std::string_view text) const override {
      measured.emplace(text);
      return 10 + 7 * static_cast<int>(text.size()) + (text.find_first_of("-/") != text.npos);
    }
    int HeadingWidth(int) const override { return 0; }
    bool FiguresAlike() const override { return true; }
    mutable std::multiset<std::string> measured;
  };
  const ShapeMeasure reference;
  const std::string dates[] = {"2003-09-14", "2004-10-15", "5/6/2004", "Thursday"};
  const std::string yards[] = {"250", "7", "412", "12", "7I", "", "DR", "9"};
  for (const bool atOnce : {true, false}) {
    RoundTable table;
    ShapeMeasure measure;
    ColumnWidthTracker tracker(table, measure);
    std::vector<RoundRecord> rounds;
    for (int i = 0; i < 80; ++i) {
      rounds.push_back(MakeRound("c", dates[i % 4]));
      rounds.back()[DriveColumn(1)] = yards[i % 8];
    }
    if (atOnce) {
      table.InsertRowsAtTop({rounds.begin(), rounds.end()});
    } else {
      for (const RoundRecord& round : rounds)
        table.InsertRow(0, round);
    }
    EXPECT_EQ(tracker.WidestCell(kDateColumn), reference.TextWidth("0000-00-00")) << atOnce;
    EXPECT_EQ(tracker.WidestCell(DriveColumn(1)), reference.TextWidth("000")) << atOnce;
    const std::multiset<std::string> eachShapeOnce = {
        "", "0", "00", "000", "7I", "DR", "c", "0/0/0000", "0000-00-00", "Thursday"};
    EXPECT_EQ(measure.measured, eachShapeOnce) << atOnce;
  }
}

}  // namespace
}  // namespace larkspin::testing
