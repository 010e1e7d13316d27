// The command line's status and messages as a script or a cron job meets them, run in this
// process with its standard streams on files, and with one system call failed where a disk or the
// caller fails it: the status and the words tell what happened to the files.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>
#include <cstdio>
#include <functional>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include "CommandLineExchange.h"
#include "StandardStreams.h"
#include "support/FaultInjection.h"
#include "support/Files.h"

namespace larkspin::testing {
namespace {

using Action = ExchangeRequest::Action;

const QByteArray kRounds = "CREATOR=LARKSP 1.0\r\nCOURSE=Pine\r\nDATE=2003-09-01\r\nS1=4\r\n";
const QByteArray kCsv = "COURSE,DATE,S1\r\nElm,2003-09-03,3\r\n";

// A call of the walk failed: the first or the last of those named `call` on `path` (in the
// temporary folder).
struct Fault {
  const char* call = nullptr;
  const char* path = nullptr;
  int error = EIO;
  bool last = false;
};

struct StatusCase {
  const char* what;
  Action action;
  const char* file;  // in the temporary folder; "-": standard output or input
  const char* dataDir = "data";
  std::function<void(const QDir&)> prepare = nullptr;  // beyond data/lks.dat and golf.csv
  Fault fault = {};
  bool closedOutput = false;  // standard output closed when the program starts
  int status = 0;
  const char* error = "";  // a part of standard error; "": nothing at all
  std::function<void(const QDir&)> check = nullptr;
};
void PrintTo(const StatusCase& c, std::ostream* out) {
  *out << c.what;
}

struct Outcome {
  int status = -1;
  std::string error;
  bool faulted = false;
  std::string faultedPath;
};

std::string Native(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

int FileMode(const QString& path) {
  struct stat status {};
  return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 0777 : -1;
}

// Standard output and error on files for as long as it lives; output closed instead, and opened
// as the program opens it, for `closedOutput`.
class Streams {
 public:
  Streams(const QDir& root, bool closedOutput) {
    std::fflush(stdout);
    std::fflush(stderr);
    savedOut_ = ::dup(1);
    savedErr_ = ::dup(2);
    const QByteArray out = QFile::encodeName(root.filePath(".stdout"));
    const QByteArray err = QFile::encodeName(root.filePath(".stderr"));
    ::dup2(::open(out.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600), 1);
    ::dup2(::open(err.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600), 2);
    if (closedOutput) {
      ::close(1);
      OpenClosedStandardStreams();
    }
  }
  ~Streams() {
    std::fflush(stdout);
    std::fflush(stderr);
    ::dup2(savedOut_, 1);
    ::dup2(savedErr_, 2);
    ::close(savedOut_);
    ::close(savedErr_);
  }

 private:
  int savedOut_;
  int savedErr_;
};

Outcome RunCase(const StatusCase& c, const QDir& root, int failAt) {
  QDir().mkpath(root.filePath("data"));
  EXPECT_TRUE(WriteFile(root.filePath("data/lks.dat"), kRounds));
  EXPECT_TRUE(WriteFile(root.filePath("golf.csv"), kCsv));
  if (c.prepare) c.prepare(root);
  const QString file = QString::fromLatin1(c.file);
  const ExchangeRequest request{c.action, file == "-" ? file : root.filePath(file), true,
                                std::nullopt};
  Outcome outcome;
  {
    Streams streams(root, c.closedOutput);
    FaultInjector inject(
        failAt, c.fault.error,
        c.fault.call ? std::set<std::string>{c.fault.call} : std::set<std::string>{});
    outcome.status = RunCommandLineExchange(request, root.filePath(QString::fromLatin1(c.dataDir)));
    outcome.faulted = inject.Injected();
    if (outcome.faulted) outcome.faultedPath = inject.InjectedCall().path;
  }
  outcome.error = ReadFile(root.filePath(".stderr")).toStdString();
  return outcome;
}

// The number of the case's faulty call among those of its name, found by failing each in turn.
int FindFault(const StatusCase& c) {
  int found = 0;
  for (int call = 1;; ++call) {
    QTemporaryDir dir;
    const Outcome walked = RunCase(c, QDir(dir.path()), call);
    if (!walked.faulted) return found;
    if (walked.faultedPath == Native(QDir(dir.path()).filePath(c.fault.path))) {
      found = call;
      if (!c.fault.last) return found;
    }
  }
}

void SetAnHourAgo(const QString& path) {
  const timeval hourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
  ASSERT_EQ(::utimes(QFile::encodeName(path).constData(), hourAgo), 0);
}

const StatusCase kCases[] = {
    {.what = "1: the folder's sync fails after the rename: imported, not durable",
     .action = Action::kImportRounds,
     .file = "golf.csv",
     .fault = {"fsync", "data"},
     .status = 1,
     .error = "may be lost if the computer stops: Input/output error. The rounds were imported "
              "and written all the same; do not import the file again.",
     .check =
         [](const QDir& root) {
           EXPECT_TRUE(ReadFile(root.filePath("data/lks.dat")).contains("COURSE=Elm"));
         }},
    {.what = "2: standard output closed",
     .action = Action::kExportRounds,
     .file = "-",
     .closedOutput = true,
     .status = 1,
     .error = "larkspin: standard output: Bad file descriptor"},
    {.what = "3: an export onto lks.dat through a link",
     .action = Action::kExportRounds,
     .file = "rounds.csv",
     .prepare =
         [](const QDir& root) {
           QFile::link(root.filePath("data/lks.dat"), root.filePath("rounds.csv"));
         },
     .status = 1,
     .error = "rounds.csv is lks.dat of the data folder ",
     .check =
         [](const QDir& root) { EXPECT_EQ(ReadFile(root.filePath("data/lks.dat")), kRounds); }},
    // Files the folder has no need of yet are its own all the same.
    {.what = "3: an export onto ratings.dat, which does not exist yet",
     .action = Action::kExportRounds,
     .file = "data/ratings.dat",
     .status = 1,
     .error = "ratings.dat is ratings.dat of the data folder ",
     .check = [](const QDir& root) { EXPECT_FALSE(root.exists("data/ratings.dat")); }},
    {.what = "3: an export onto the journal, which does not exist yet",
     .action = Action::kExportCourses,
     .file = "data/.larkspin.journal",
     .status = 1,
     .error = ".larkspin.journal is .larkspin.journal of the data folder ",
     .check = [](const QDir& root) { EXPECT_FALSE(root.exists("data/.larkspin.journal")); }},
    {.what = "3: an export through a link to ratings.dat, which does not exist yet",
     .action = Action::kExportRounds,
     .file = "rounds.csv",
     .prepare =
         [](const QDir& root) {
           QFile::link(root.filePath("data/ratings.dat"), root.filePath("rounds.csv"));
         },
     .status = 1,
     .error = "rounds.csv is ratings.dat of the data folder ",
     .check = [](const QDir& root) { EXPECT_FALSE(root.exists("data/ratings.dat")); }},
    {.what = "3: an export through a link to the journal, which does not exist yet",
     .action = Action::kExportRounds,
     .file = "rounds.csv",
     .prepare =
         [](const QDir& root) {
           QFile::link(root.filePath("data/.larkspin.journal"), root.filePath("rounds.csv"));
         },
     .status = 1,
     .error = "rounds.csv is .larkspin.journal of the data folder ",
     .check = [](const QDir& root) { EXPECT_FALSE(root.exists("data/.larkspin.journal")); }},
    {.what = "4: a data folder that does not exist",
     .action = Action::kExportRounds,
     .file = "rounds.csv",
     .dataDir = "date",
     .status = 1,
     .error = "date holds no Larkspin data; start the window there first, or check the name.",
     .check = [](const QDir& root) { EXPECT_FALSE(root.exists("date")); }},
    {.what = "5: a header of more than 1,000 columns",
     .action = Action::kImportRounds,
     .file = "wide.csv",
     .prepare =
         [](const QDir& root) {
           WriteFile(root.filePath("wide.csv"), "COURSE" + QByteArray(100000, ',') + "\r\nElm\r\n");
         },
     .status = 1,
     .error = "wide.csv, line 1, column 1001: ",
     .check = [](const QDir& root) { EXPECT_LT(ReadFile(root.filePath(".stderr")).size(), 500); }},
    {.what = "6: a save killed earlier left its temporary file",
     .action = Action::kExportRounds,
     .file = "rounds.csv",
     .prepare =
         [](const QDir& root) {
           WriteFile(root.filePath("data/lks.dat.saving-x3Fq9Z"), kRounds);
           SetAnHourAgo(root.filePath("data/lks.dat.saving-x3Fq9Z"));
         },
     .check = [](const QDir& root) { EXPECT_FALSE(root.exists("data/lks.dat.saving-x3Fq9Z")); }},
    {.what = "7: the lock file cannot be made",
     .action = Action::kImportRounds,
     .file = "golf.csv",
     .prepare =
         [](const QDir& root) {
           // An hour old: no copy is on its way to writing it.
           root.mkpath("data/.larkspin.lock");
           SetAnHourAgo(root.filePath("data/.larkspin.lock"));
         },
     .status = 1,
     .error = "cannot be made (a folder stands at that name)",
     .check =
         [](const QDir& root) { EXPECT_EQ(ReadFile(root.filePath("data/lks.dat")), kRounds); }},
    {.what = "8: the old file's mode cannot be read during the save",
     .action = Action::kImportRounds,
     .file = "golf.csv",
     .prepare =
         [](const QDir& root) {
           QFile::setPermissions(root.filePath("data/lks.dat"),
                                 QFile::ReadOwner | QFile::WriteOwner);
         },
     .fault = {"stat", "data/lks.dat", EIO, true},
     .check =
         [](const QDir& root) {
           EXPECT_TRUE(ReadFile(root.filePath("data/lks.dat")).contains("COURSE=Elm"));
           EXPECT_EQ(FileMode(root.filePath("data/lks.dat")), 0600);
         }},
    {.what = "9: an I/O error on the data folder",
     .action = Action::kExportRounds,
     .file = "rounds.csv",
     .fault = {"stat", "data"},
     .status = 1,
     .error = "Input/output error",
     .check = [](const QDir& root) { EXPECT_FALSE(root.exists("rounds.csv")); }},
    {.what = "9: the data folder's stat interrupted by a signal",
     .action = Action::kExportRounds,
     .file = "rounds.csv",
     .fault = {"stat", "data", EINTR},
     .check = [](const QDir& root) { EXPECT_TRUE(root.exists("rounds.csv")); }},
};

class CommandLineStatus : public ::testing::TestWithParam<StatusCase> {};

TEST_P(CommandLineStatus, tellsWhatHappenedToTheFiles) {
  const StatusCase& c = GetParam();
  const int failAt = c.fault.call ? FindFault(c) : 0;
  ASSERT_TRUE(!c.fault.call || failAt > 0) << "no " << c.fault.call << " of " << c.fault.path;
  QTemporaryDir dir;
  const QDir root(dir.path());
  const Outcome outcome = RunCase(c, root, failAt);
  EXPECT_EQ(outcome.status, c.status);
  if (*c.error) {
    EXPECT_NE(outcome.error.find(c.error), std::string::npos) << outcome.error;
  } else {
    EXPECT_EQ(outcome.error, "");
  }
  if (c.check) c.check(root);
}

INSTANTIATE_TEST_SUITE_P(Items, CommandLineStatus, ::testing::ValuesIn(kCases),
                         [](const auto& info) {
                           const std::string what = info.param.what;
                           return "item" + what.substr(0, what.find(':')) + "_" +
                                  std::to_string(info.index);
                         });

}  // namespace
}  // namespace larkspin::testing
#endif
