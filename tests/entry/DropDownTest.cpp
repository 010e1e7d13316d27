#include "DropDown.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLocale>

namespace larkspin {
namespace {

using ::testing::ElementsAre;

// The plain C locale, as minimal systems and containers (LANG=C.UTF-8) give it: ordering without
// regard to case must hold there as well as anywhere.
class CLocale : public ::testing::Environment {
  void SetUp() override { QLocale::setDefault(QLocale::c()); }
};
[[maybe_unused]] const auto* const kCLocale = ::testing::AddGlobalTestEnvironment(new CLocale);

TEST(DropDownShow, Text_selectsFirstEntryBeginningWithItIgnoringCaseOrElseShowsItAsIs) {
  DropDown box(DropDown::Order::kAlphabetical, {"Pine Valley", "Oak Hills", "Oakmont"});
  box.Show("oak");
  EXPECT_EQ(box.Text(), "Oak Hills");
  box.Show("PINE v");
  EXPECT_EQ(box.Text(), "Pine Valley");
  for (const char* text : {"", "Pine Valleys"}) {
    box.Show(text);
    EXPECT_EQ(box.Text(), text);
    EXPECT_EQ(box.Selected(), 2);
  }
}

TEST(DropDownEntries, AlphabeticalBox_sortsIgnoringCaseKeepsDuplicatesAndSelectionFollowsItsEntry) {
  DropDown box(DropDown::Order::kAlphabetical);
  for (const char* name : {"pine", "Birch", "oak"})
    box.AddEntry(name);
  box.Pick(2);  // "pine"
  for (const char* name : {"Oak", "birch", "Aspen", "oak"})
    box.AddEntry(name);
  EXPECT_THAT(box.Entries(), ElementsAre("Aspen", "Birch", "birch", "oak", "Oak", "oak", "pine"));
  EXPECT_EQ(box.Selected(), 6);
}

TEST(DropDownEntries, AddingManyAtOnce_sortsIgnoringCaseLikeAddingOneByOne) {
  DropDown box(DropDown::Order::kAlphabetical);
  box.AddEntries({"pine", "Birch", "oak", "Oak", "birch", "Aspen", "oak"});
  EXPECT_THAT(box.Entries(), ElementsAre("Aspen", "Birch", "birch", "oak", "Oak", "oak", "pine"));
}

TEST(DropDownEntries, RemoveEntry_keepsSelectionWithItsEntryOrClearsItWhenItGoes) {
  DropDown box(DropDown::Order::kFixed, {"Month", "6 Months", "Year", "Eternity"});
  box.Pick(2);
  box.RemoveEntry(0);
  box.RemoveEntry(2);
  EXPECT_EQ(box.Selected(), 1);
  box.RemoveEntry(1);
  EXPECT_EQ(box.Selected(), -1);
  EXPECT_THAT(box.Entries(), ElementsAre("6 Months"));
}

TEST(DropDownPick, FirstEntry_isSelectedAndShown_outOfRangeSelectsNone) {
  DropDown box(DropDown::Order::kFixed, {"Month", "6 Months", "Year", "Eternity"});
  box.Pick(0);
  EXPECT_EQ(box.Selected(), 0);
  EXPECT_EQ(box.Text(), "Month");
  box.Pick(4);
  EXPECT_EQ(box.Selected(), -1);
  box.Pick(3);
  box.Pick(-1);
  EXPECT_EQ(box.Selected(), -1);
}

TEST(DropDownEntries, AddingManyAtOnce_keepsSelectionOnTheSameOccurrenceOfItsText) {
  DropDown box(DropDown::Order::kAlphabetical, {"Oak", "Birch", "Oak"});
  box.Pick(2);  // the second "Oak"
  box.AddEntries({"Aspen", "Oak", "Elm"});
  EXPECT_THAT(box.Entries(), ElementsAre("Aspen", "Birch", "Elm", "Oak", "Oak", "Oak"));
  EXPECT_EQ(box.Selected(), 4);
  DropDown fixed(DropDown::Order::kFixed, {"1I", "2I"});
  fixed.Pick(0);
  fixed.AddEntry("3I");
  fixed.AddEntries({"4I", "5I"});
  EXPECT_EQ(fixed.Selected(), 0);
  EXPECT_EQ(fixed.Text(), "1I");
}

TEST(DropDownEntries, RemovingAnEntryAboveTheSelection_movesItUpAndOutOfRangeDoesNothing) {
  DropDown box(DropDown::Order::kAlphabetical, {"Birch", "Elm", "Oak"});
  box.Pick(2);
  box.RemoveEntry(0);
  EXPECT_EQ(box.Selected(), 1);
  EXPECT_EQ(box.Entries()[box.Selected()], "Oak");
  const auto revision = box.ListRevision();
  box.RemoveEntry(2);
  box.RemoveEntry(-1);
  EXPECT_EQ(box.ListRevision(), revision);
  EXPECT_THAT(box.Entries(), ElementsAre("Elm", "Oak"));
}

TEST(DropDownShow, AfterTheListChanged_stillMatchesANonAsciiEntryIgnoringCase) {
  // "Birch" goes in before "Église Links" and "Öland" comes out after it, in any collation.
  DropDown box(DropDown::Order::kAlphabetical, {"Aspen", "\xC3\x89glise Links", "\xC3\x96land"});
  box.AddEntry("Birch");
  box.RemoveEntry(box.FindExact("\xC3\x96land"));
  box.Show("\xC3\xA9");  // é
  EXPECT_EQ(box.Text(), "\xC3\x89glise Links");
  EXPECT_EQ(box.Entries()[box.Selected()], "\xC3\x89glise Links");
}

}  // namespace
}  // namespace larkspin
