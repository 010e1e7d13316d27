// lks.dat: the bytes the program writes, files from elsewhere (other line ends, foreign keys,
// other encodings, damage), and saves that fail. Nothing may crash, and no readable round may
// come out wrong.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>
#include <functional>
#include <ostream>

#include "entry/RoundTestSupport.h"
#include "support/DataFileRoundTrip.h"

#ifdef Q_OS_UNIX
#include <sys/resource.h>

#include <csignal>
#endif

namespace larkspin::testing {
namespace {

using Texts = std::vector<std::string>;

// The box names the file and the system's reason on its second line.
void ExpectSaveErrorShown(const ScorecardHarness& harness, const std::string& reason) {
  const auto& messages = harness.prompter.messages;
  ASSERT_EQ(messages.size(), 1u);
  const std::string path = QDir::toNativeSeparators(harness.FilePath("lks.dat")).toStdString();
  EXPECT_EQ(messages[0].text, "Save to File\r\n" + path + ": " + reason + ".");
  EXPECT_EQ(messages[0].title, "Error Writing File");
}

TEST(RoundFile, SaveTwoRounds_writesBottomRowFirstWithPuttsBeforeClubs) {
  ScorecardHarness harness;
  Scorecard& scorecard = harness.Make();
  scorecard.Rounds().Add(MakeRound("Oak Creek", "2003-08-02", {{ScoreColumn(10), "6"}}));
  scorecard.Rounds().Add(MakeRound("Pine Hills", "2003-09-14",
                                   {{ScoreColumn(1), "4"},
                                    {ScoreColumn(18), "5"},
                                    {DriveColumn(1), "250"},
                                    {ClubColumn(1), "D"},
                                    {PuttsColumn(1), "2"},
                                    {ClubColumn(18), "PW"},
                                    {PuttsColumn(18), "1"}}));

  scorecard.SaveRounds();

  EXPECT_EQ(RoundFileBytes(harness), TestDataBytes("two_rounds.dat"));
  EXPECT_TRUE(harness.prompter.messages.empty());
}

TEST(RoundFile, EmptyTable_loadsFromNewEmptyFileAndSavesZeroBytes) {
  ScorecardHarness harness;
  Scorecard& scorecard = harness.Make();
  scorecard.OnInitDialog();
  EXPECT_EQ(RoundFileBytes(harness), "");  // created at start-up

  scorecard.Rounds().Add(MakeRound("Pine Hills"));
  scorecard.SaveRounds();
  scorecard.Rounds().Remove(0);
  scorecard.SaveRounds();
  EXPECT_EQ(RoundFileBytes(harness), "");
}

TEST(RoundFile, SaveThenLoad_givesSameRowsInSameOrderAndSameBytes) {
  ScorecardHarness first;
  Scorecard& saved = first.Make();
  saved.Rounds().Add(MakeRound("Pine Hills", "2003-08-02", {{ScoreColumn(1), "4"}}));
  saved.Rounds().Add(MakeRound("Château Vert", "", {{ClubColumn(9), "SW"}}));
  saved.Rounds().Add(MakeRound("Oak Creek", "2003-09-14", {{PuttsColumn(18), "3"}}));
  saved.SaveRounds();
  const std::string bytes = RoundFileBytes(first);

  ScorecardHarness second;
  Scorecard& loaded = LoadRoundFile(second, bytes);
  EXPECT_EQ(DescribeRows(loaded.Rounds().Table()), DescribeRows(saved.Rounds().Table()));
  EXPECT_EQ(loaded.Values().roundCount, 3);
  loaded.SaveRounds();
  EXPECT_EQ(RoundFileBytes(second), bytes);
}

TEST(RoundFile, LoadProgramWrittenFile_putsLastRecordOnTopAndSavesSameBytes) {
  ScorecardHarness harness;
  const std::string bytes = TestDataBytes("three_rounds.dat");
  Scorecard& scorecard = LoadRoundFile(harness, bytes);

  const RoundTable& rounds = scorecard.Rounds().Table();
  EXPECT_EQ(ColumnTexts(rounds, kCourseColumn), (Texts{"Oak Creek", "Château Vert", "Pine Hills"}));
  EXPECT_EQ(rounds.Cell(2, PuttsColumn(1)), "2");
  EXPECT_EQ(rounds.Cell(2, ClubColumn(1)), "2I");
  scorecard.SaveRounds();
  EXPECT_EQ(RoundFileBytes(harness), bytes);
}

// A file in Larkspin's own form is not written again at a close with nothing changed: the reader
// must tell that form exactly when writing the rounds it read gives the file's bytes back. Every
// byte of a program-written file is taken away, doubled, or has a space, a tab, a CR, a line feed
// or a letter put before it.
TEST(RoundFile, OwnForm_isToldExactlyWhenWritingTheRoundsReadGivesTheBytesBack) {
  const std::string own = TestDataBytes("three_rounds.dat");
  std::vector<std::string> texts = {own, "", std::string(kDataFileHeader) + "\r\n", own + own};
  for (const char* file : {"lf_line_ends.dat", "missing_keys.dat", "odd_keys.dat",
                           "windows1252.dat", "binary_garbage.dat"}) {
    texts.push_back(TestDataBytes(file));
  }
  for (std::size_t at = 0; at < own.size(); ++at) {
    texts.push_back(own.substr(0, at) + own.substr(at + 1));
    for (const std::string& put : {std::string(1, own[at]), std::string(" "), std::string("\t"),
                                   std::string("\r"), std::string("\n"), std::string("x")}) {
      texts.push_back(own.substr(0, at) + put + own.substr(at));
    }
  }
  for (const std::string& text : texts) {
    RoundFileReader reader;
    reader.Read(text);
    const std::string written = roundtrip::WriteRounds(reader.Finish());
    ASSERT_EQ(reader.InOwnForm(), written == text) << text;
  }
}

TEST(RoundFile, SaveLineFeedOrControlZInCell_writesSpacesAndKeepsLaterRounds) {
  ScorecardHarness first;
  Scorecard& saved = first.Make();
  saved.Rounds().Add(MakeRound("Pine\nHills", "", {{ScoreColumn(1), "4\x1A-5"}}));
  saved.Rounds().Add(MakeRound("Oak Creek"));
  saved.SaveRounds();

  ScorecardHarness second;
  EXPECT_EQ(DescribeRows(LoadRoundFile(second, RoundFileBytes(first)).Rounds().Table()),
            (Texts{"Oak Creek", "Pine Hills; 1=4 -5"}));
}

struct OddFile {
  const char* file;  // in tests/data
  const char* behaviour;
  Texts rows;  // top row first
};
void PrintTo(const OddFile& oddFile, std::ostream* out) {
  *out << oddFile.file;
}

class LoadOddFile : public ::testing::TestWithParam<OddFile> {};

TEST_P(LoadOddFile, readsExactlyTheReadableRounds) {
  ScorecardHarness harness;
  const Scorecard& scorecard = LoadRoundFile(harness, TestDataBytes(GetParam().file));
  EXPECT_EQ(DescribeRows(scorecard.Rounds().Table()), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    RoundFile, LoadOddFile,
    ::testing::Values(
        OddFile{"lf_line_ends.dat",
                "LineFeedLineEnds_readLikeCrLf",
                {"Oak Creek; 2=5", "Pine Hills; Date=2003-09-14; 1=4; C18=PW"}},
        OddFile{"no_final_line_break.dat",
                "LastLineWithoutLineBreak_readsLastValue",
                {"Pine Hills; 1=4; P18=2"}},
        // Keys before the first course and a record with an empty course are dropped; nothing
        // is carried over from one record to the next.
        OddFile{"missing_keys.dat",
                "MissingKeys_leaveCellsEmpty",
                {"Elm Park", "Oak Creek; 2=5", "Pine Hills; Date=2003-09-14; 1=4; C5=7I"}},
        // "course=", "s1=", "Date=", "NOTE=", "S05=", "S19=", "S0=", "=5", " S2=" and "D1".
        OddFile{"odd_keys.dat",
                "ForeignKeys_areIgnoredAndValueRunsFromFirstEquals",
                {"A=B; 2=5; C3==", "Pine Hills; 1=4"}},
        OddFile{"control_z.dat", "ControlZ_endsText", {"Pine Hills; 1=4; 2=5"}},
        OddFile{"byte_order_mark.dat", "ByteOrderMark_isIgnored", {"Pine Hills; 1=4"}},
        OddFile{"binary_garbage.dat", "BinaryGarbageWithNulBytes_isSkipped", {"Pine Hills; 1=4"}},
        OddFile{"windows1252.dat",
                "Windows1252Text_isReadAsUtf8",
                {"€ Club “Spät”; 1=4", "Café Links; Date=2003-05-01"}},
        // What follows control-Z is not text and must not decide how the text is decoded.
        OddFile{"utf8_control_z_padding.dat",
                "Utf8WithNonUtf8PaddingAfterControlZ_staysUtf8",
                {"Café; 1=4"}}),
    [](const auto& info) { return std::string(info.param.behaviour); });

TEST(RoundFile, SaveAfterLoadingWindows1252_writesUtf8) {
  ScorecardHarness harness;
  LoadRoundFile(harness, TestDataBytes("windows1252.dat")).SaveRounds();
  EXPECT_NE(RoundFileBytes(harness).find("\r\nCOURSE=Caf\xC3\xA9 Links\r\n"), std::string::npos);
}

TEST(RoundFile, LoadMegabyteLongLines_keepsWholeValue) {
  const std::string course(1 << 20, 'x');
  const std::string noise(1 << 20, '#');
  ScorecardHarness harness;
  const RoundTable& rounds =
      LoadRoundFile(harness, noise + "\r\nCOURSE=" + course + "\r\nS1=4\r\n").Rounds().Table();

  ASSERT_EQ(rounds.RowCount(), 1);
  EXPECT_TRUE(rounds.Cell(0, kCourseColumn) == course);
  EXPECT_EQ(rounds.Cell(0, ScoreColumn(1)), "4");
}

#ifdef Q_OS_UNIX
// Runs `action` while no file of this process may grow beyond `limit` bytes: a write past the
// limit fails with EFBIG instead of raising SIGXFSZ. False when the limit could not be set.
bool RunWithFileSizeLimit(rlim_t limit, const std::function<void()>& action) {
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit limited = old;
  limited.rlim_cur = limit;
  const bool applied = setrlimit(RLIMIT_FSIZE, &limited) == 0;
  if (applied) action();
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  return applied;
}

TEST(RoundFile, SaveFailingHalfWay_reportsErrorAndKeepsOldFile) {
  ScorecardHarness harness;
  const std::string old = TestDataBytes("three_rounds.dat");
  Scorecard& scorecard = LoadRoundFile(harness, old);
  for (int i = 0; i < 20; ++i)
    scorecard.Rounds().Add(MakeRound("Elm " + std::to_string(i)));

  // The new file would be several times longer than the limit.
  ASSERT_TRUE(RunWithFileSizeLimit(2 * old.size(), [&] { scorecard.SaveRounds(); }));

  const std::string now = RoundFileBytes(harness);
  EXPECT_TRUE(now == old) << "lks.dat went from " << old.size() << " to " << now.size() << " bytes";
  EXPECT_EQ(QDir(harness.dir.path()).entryList(QDir::Files | QDir::Hidden),
            (QStringList{QStringLiteral("courses.dat"), QStringLiteral("lks.dat")}));
  ExpectSaveErrorShown(harness, "File too large");
}

TEST(RoundFile, SaveOfManyMegabytesFailingAfterFirstPiece_keepsOldFileAndTellsWhy) {
  ScorecardHarness harness;
  const std::string old = TestDataBytes("three_rounds.dat");
  Scorecard& scorecard = LoadRoundFile(harness, old);
  std::vector<PackedRound> rows;
  for (int i = 0; i < 8000; ++i)
    rows.emplace_back(MakeRound("Royal Oak Golf Club " + std::to_string(i), "2003-09-14"));
  scorecard.Rounds().Import(std::move(rows));  // some 2.5 MB: three pieces

  ASSERT_TRUE(RunWithFileSizeLimit(1536 * 1024, [&] { EXPECT_FALSE(scorecard.SaveRounds()); }));

  EXPECT_TRUE(RoundFileBytes(harness) == old);
  ExpectSaveErrorShown(harness, "File too large");
}
#endif

TEST(RoundFile, FolderAppearingWhereLksDatStood_failsSaveAndTellsWhy) {
  ScorecardHarness harness;
  Scorecard& scorecard = LoadRoundFile(harness, TestDataBytes("three_rounds.dat"));
  ASSERT_TRUE(QFile::remove(harness.FilePath("lks.dat")));
  ASSERT_TRUE(QDir(harness.dir.path()).mkdir(QStringLiteral("lks.dat")));

  EXPECT_FALSE(scorecard.SaveRounds());
  ASSERT_EQ(harness.prompter.messages.size(), 1u);
  EXPECT_THAT(harness.prompter.messages[0].text, ::testing::StartsWith("Save to File\r\n"));
  EXPECT_TRUE(QFileInfo(harness.FilePath("lks.dat")).isDir());
}

}  // namespace
}  // namespace larkspin::testing
