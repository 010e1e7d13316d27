// The command line's exports and imports, run in this process on a temporary data folder.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <optional>

#include "CommandFolder.h"
#include "CourseFile.h"
#include "DataFolderLock.h"
#include "DiskFile.h"
#include "ExchangeCommand.h"
#include "ExchangeTestSupport.h"
#include "RoundFile.h"
#include "support/FaultInjection.h"

namespace larkspin::testing {
namespace {

using Action = ExchangeRequest::Action;

const std::string kRoundFile =
    "CREATOR=LARKSP 1.0\r\nCOURSE=Pine\r\nDATE=2003-09-01\r\nS1=4\r\n\r\n"
    "COURSE=Oak\r\nDATE=2003-09-02\r\nS1=5\r\n";
const std::string kCsv = "COURSE,DATE,S1\r\nOak,2003-09-02,6\r\nElm,2003-09-03,3\r\nBirch,,\r\n";

class ExchangeCommand : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteFileAtomically(DataPath(kRoundFileName), kRoundFile)); }

  QString DataPath(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
  std::string DataBytes(const char* name) const {
    return ReadWholeFile(DataPath(name)).value_or("<missing>");
  }

  ExchangeOutcome Run(Action action, const QString& file, std::string_view input = {},
                      bool skipDuplicates = true) {
    QByteArray in(input.data(), static_cast<qsizetype>(input.size()));
    QBuffer inBuffer(&in);
    inBuffer.open(QIODevice::ReadOnly);
    output_.clear();
    QBuffer outBuffer(&output_);
    outBuffer.open(QIODevice::WriteOnly);
    CommandFolder folder(dir_.path(), {kRoundFileName, kCourseFileName});
    return RunExchange(ExchangeRequest{action, file, skipDuplicates, std::nullopt}, folder,
                       inBuffer, outBuffer);
  }

  QTemporaryDir dir_;
  QByteArray output_;
  std::unique_ptr<DataFolderLock> window_;  // a window open on the folder
#ifdef Q_OS_UNIX
  std::optional<FaultInjector> fault_;
#endif
};

TEST_F(ExchangeCommand, ExportRounds_writesTheTableTopRowFirstToAFileOrStandardOutput) {
  const QString csv = dir_.filePath(QStringLiteral("rounds.csv"));
  const ExchangeOutcome outcome = Run(Action::kExportRounds, csv);
  EXPECT_EQ(outcome.exitStatus, 0);
  EXPECT_EQ(outcome.error, "");
  const std::string written = ReadWholeFile(csv).value_or("");
  EXPECT_TRUE(
      written.starts_with("\xEF\xBB\xBF"
                          "COURSE,DATE,S1,"))
      << written;
  EXPECT_NE(written.find("\r\nOak,2003-09-02,5,"), std::string::npos);
  EXPECT_LT(written.find("Oak,"), written.find("Pine,"));  // the file's last round is on top

  EXPECT_EQ(Run(Action::kExportRounds, QStringLiteral("-")).exitStatus, 0);
  EXPECT_EQ(output_.toStdString(), written);
  EXPECT_EQ(DataBytes(kRoundFileName), kRoundFile);
}

TEST_F(ExchangeCommand, ImportRounds_putsTheRowsOnTopAndSavesTheDataFile) {
  struct ImportCase {
    bool skipDuplicates;
    std::vector<std::string> courses;
    std::string report;
  };
  const ImportCase cases[] = {
      {true,
       {"Elm", "Birch", "Oak", "Pine"},
       "2 rounds imported from standard input. 1 duplicate skipped."},
      {false,
       {"Oak", "Elm", "Birch", "Oak", "Pine"},
       "3 rounds imported from standard input. 1 duplicate added."},
  };
  for (const ImportCase& c : cases) {
    ASSERT_TRUE(WriteFileAtomically(DataPath(kRoundFileName), kRoundFile));
    const ExchangeOutcome outcome =
        Run(Action::kImportRounds, QStringLiteral("-"), kCsv, c.skipDuplicates);
    EXPECT_EQ(outcome.exitStatus, 0) << outcome.error;
    EXPECT_EQ(outcome.report, c.report);
    RoundTable table;
    auto rounds = ParseRoundFile(DataBytes(kRoundFileName));
    std::reverse(rounds.begin(), rounds.end());
    table.InsertRowsAtTop(std::move(rounds));
    EXPECT_EQ(ColumnTexts(table, kCourseColumn), c.courses);
  }
}

TEST_F(ExchangeCommand, ImportCourses_fromAFile) {
  const QString csv = dir_.filePath(QStringLiteral("courses.csv"));
  ASSERT_TRUE(WriteFileAtomically(csv, std::string_view("COURSE;S1\nOak Hills;3\n")));
  const ExchangeOutcome outcome = Run(Action::kImportCourses, csv);
  EXPECT_EQ(outcome.exitStatus, 0) << outcome.error;
  EXPECT_NE(DataBytes(kCourseFileName).find("\r\nCOURSE=Oak Hills\r\nDATE=\r\nS1=3\r\n"),
            std::string::npos);
  EXPECT_EQ(DataBytes(kRoundFileName), kRoundFile);
}

// Every failure: status 1, one line naming the file and the reason, the data file untouched.
TEST_F(ExchangeCommand, Failures_changeNothingAndSayWhy) {
  struct FailureCase {
    const char* what;
    std::function<void()> before;
    Action action;
    QString file;
    std::string input;
    std::string error;  // a part of it
  };
  const FailureCase cases[] = {
      {"a CSV that cannot be read", nullptr, Action::kImportRounds, "-",
       "COURSE,DATE\r\nOak,\"2003\r\n", "standard input, line 2, column 2 (DATE): the quote"},
      {"a CSV file that is missing", nullptr, Action::kImportRounds, "missing.csv", "",
       "missing.csv: no such file. Nothing was imported."},
      {"a CSV file that is a folder", nullptr, Action::kImportCourses, "/", "", "/ is a folder"},
      {"an export that cannot be written", nullptr, Action::kExportRounds, "/no/such/folder/x.csv",
       "", "x.csv: "},
      {"a window open on the folder",
       [this] {
         window_ = std::make_unique<DataFolderLock>(dir_.path());
         ASSERT_EQ(window_->TryLock(), DataFolderLock::Outcome::kLocked);
       },
       Action::kImportRounds, "-", kCsv, "Larkspin is already open in this folder: "},
      {"a data file not read in full",
       [this] {
         ASSERT_TRUE(
             WriteFileAtomically(DataPath(kRoundFileName), std::string_view("COURSE=A\x1Ajunk")));
       },
       Action::kExportRounds, "-", "", "bytes after the control-Z character"},
#ifdef Q_OS_UNIX
      {"an import whose save fails",
       [this] { fault_.emplace(1, EIO, std::set<std::string>{"fdatasync"}); },
       Action::kImportRounds, "-", kCsv, "Input/output error. Nothing was imported."},
#endif
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.what);
    QTemporaryDir dir;
    std::swap(dir_, dir);
    ASSERT_TRUE(WriteFileAtomically(DataPath(kRoundFileName), kRoundFile));
    window_.reset();
    if (c.before) c.before();
    const std::string data = DataBytes(kRoundFileName);
    const ExchangeOutcome outcome = Run(c.action, c.file, c.input);
#ifdef Q_OS_UNIX
    fault_.reset();
#endif
    EXPECT_EQ(outcome.exitStatus, 1);
    EXPECT_NE(outcome.error.find(c.error), std::string::npos) << outcome.error;
    EXPECT_EQ(outcome.report, "");
    EXPECT_TRUE(output_.isEmpty());
    EXPECT_EQ(DataBytes(kRoundFileName), data);
    EXPECT_EQ(ReadWholeFile(DataPath(kCourseFileName)).value_or(""), "");
  }
}

}  // namespace
}  // namespace larkspin::testing
