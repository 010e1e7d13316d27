// Which rounds each choice takes, with a fixed today across a year boundary.
#include <gtest/gtest.h>

#include "TrendsFixture.h"

namespace larkspin {
namespace {

TrendsChoice Choose(RoundsChoice rounds, std::optional<std::string> course = std::nullopt) {
  return {.course = std::move(course), .rounds = rounds};
}

struct Case {
  const char* name;
  QDate today;
  TrendsChoice choice;
  std::vector<int> rows;
};

TEST(Choice, TakesTheRoundsOfTheCourseAndTimeChosen) {
  const std::vector<std::pair<std::string, std::string>> roundRows = {
      {"Oak", "2024-01-01"}, {"Oak", "2023-12-31"}, {"Elm", "2023-01-01"}, {"Oak", "2022-12-31"},
      {"Oak", "2023-02-28"}, {"Oak", "2023-02-27"}, {"Oak", "2024-01-02"}, {"Oak", ""},
      {"Oak", "2023-13-01"}, {"Oak ", "2023-12-31"}};
  std::vector<RoundRecord> records;
  for (const auto& [course, date] : roundRows)
    records.push_back(testing::Round(course, date, {"4"}));
  const testing::Tables tables(records, {});
  const QDate newYear(2024, 1, 1);
  const std::vector<Case> cases = {
      {"all", newYear, Choose(RoundsChoice::kAll), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {"this year", newYear, Choose(RoundsChoice::kThisYear), {0}},
      {"last 12 months", newYear, Choose(RoundsChoice::kLast12Months), {0, 1, 2, 4, 5, 9}},
      {"last 12 months from 29 February",
       QDate(2024, 2, 29),
       Choose(RoundsChoice::kLast12Months),
       {0, 1, 4, 6, 9}},
      {"last 20 takes dated rounds up to today",
       newYear,
       Choose(RoundsChoice::kLast20),
       {0, 1, 2, 3, 4, 5, 9}},
      {"one course, exactly", newYear, Choose(RoundsChoice::kAll, "Oak"), {0, 1, 3, 4, 5, 6, 7, 8}},
      {"one course, this year", newYear, Choose(RoundsChoice::kThisYear, "Oak"), {0}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChosenRows(tables.rounds, c.choice, c.today), c.rows) << c.name;
}

TEST(Choice, LastTwentyGivesATieOnTheDayToTheRoundHigherInTheList) {
  std::vector<RoundRecord> records(19, testing::Round("Oak", "2023-06-01", {"4"}));
  records.insert(records.end(), 2, testing::Round("Oak", "2023-05-01", {"4"}));
  records.insert(records.begin() + 5, testing::Round("Oak", "2025-01-01", {"4"}));
  const testing::Tables tables(records, {});
  std::vector<int> expected;
  for (int row = 0; row <= 20; ++row)
    if (row != 5) expected.push_back(row);
  EXPECT_EQ(ChosenRows(tables.rounds, Choose(RoundsChoice::kLast20), QDate(2024, 1, 1)), expected);
}

}  // namespace
}  // namespace larkspin
