#include "StartupOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <filesystem>
#include <system_error>
#include <utility>

#include "DataFolder.h"
#include "PlayingHandicap.h"

namespace larkspin {

namespace {

const QString kProgram = QStringLiteral("larkspin");

// Qt's own options stay usable (QApplication takes them from the command line after us): the
// desktop's session manager restarts programs with -session, and -platform and -style are
// common for trying a program out.
void AcceptQtOptions(QCommandLineParser& parser) {
  for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin", "style",
                           "stylesheet", "session", "display", "qwindowgeometry", "geometry",
                           "qwindowtitle", "title", "qwindowicon", "icon", "name"}) {
    QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
    QCommandLineOption option(QString::fromLatin1(name));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
}

// QCommandLineParser starts its help with the path the program was started by (or a
// placeholder when there is no application object yet); the usage names the command instead.
QString HelpText(const QCommandLineParser& parser) {
  QString text = parser.helpText();
  text.remove(0, text.indexOf(QLatin1Char('\n')));
  return QStringLiteral("Usage: %1 [options]").arg(kProgram) + text +
         QStringLiteral(
             "\nWithout an option, Larkspin keeps its files in the folder it is "
             "started from.\n"
             "An export or import runs without a window, in a data folder that holds lks.dat "
             "or courses.dat. It ends with status 0 when done; 1 when a file or the data folder "
             "cannot be read or written, a window is open on the folder, or an import's data "
             "file was written but could not be synced to the disk (the message says so: do "
             "not import the file again); 2 on a mistake on the command line.\n");
}

StartupOptions Mistake(const QString& what, const QCommandLineParser& parser) {
  StartupOptions options;
  options.exitStatus = 2;
  options.errors =
      kProgram + QStringLiteral(": ") + what + QStringLiteral("\n\n") + HelpText(parser);
  return options;
}

StartupOptions Finished(QString output) {
  StartupOptions options;
  options.exitStatus = 0;
  options.output = std::move(output);
  return options;
}

using Action = ExchangeRequest::Action;

// The options Larkspin takes, and their reading, a group at a time. Each Read...() gives what
// the program is to do instead of going on (help, a mistake), or nothing.
class CommandLine {
 public:
  explicit CommandLine(const QString& userDataDir);

  std::optional<StartupOptions> ReadHelpAndVersion(const QStringList& arguments);
  std::optional<StartupOptions> ReadDataFolder(const QString& currentDir,
                                               const QString& userDataDir, QString& folder) const;
  std::optional<StartupOptions> ReadExchange(std::optional<ExchangeRequest>& exchange) const;
  // --scorecard's request, taken out of `exchange`, with --format or --allowance.
  std::optional<StartupOptions> ReadScorecard(std::optional<ExchangeRequest>& exchange,
                                              std::optional<ScorecardRequest>& scorecard) const;

 private:
  QCommandLineParser parser_;
  const QCommandLineOption dataDir_{
      QStringLiteral("data-dir"),
      QStringLiteral("Keep lks.dat, courses.dat and report.htm in <folder>; the window creates "
                     "it when missing."),
      QStringLiteral("folder")};
  QCommandLineOption userData_{QStringLiteral("user-data")};
  const QCommandLineOption help_{{QStringLiteral("h"), QStringLiteral("help")},
                                 QStringLiteral("Show this help and exit.")};
  const QCommandLineOption version_{{QStringLiteral("v"), QStringLiteral("version")},
                                    QStringLiteral("Show the version and exit.")};
  const std::pair<QCommandLineOption, Action> exchanges_[7] = {
      {QCommandLineOption(QStringLiteral("export-rounds"),
                          QStringLiteral("Write the rounds to the CSV <file> (- for standard "
                                         "output) and exit, without a window."),
                          QStringLiteral("file")),
       Action::kExportRounds},
      {QCommandLineOption(QStringLiteral("export-courses"),
                          QStringLiteral("Write the courses to the CSV <file> (- for standard "
                                         "output) and exit, without a window."),
                          QStringLiteral("file")),
       Action::kExportCourses},
      {QCommandLineOption(QStringLiteral("import-rounds"),
                          QStringLiteral("Add the rounds of the CSV <file> (- for standard input) "
                                         "above those in lks.dat, save it and exit, without a "
                                         "window."),
                          QStringLiteral("file")),
       Action::kImportRounds},
      {QCommandLineOption(QStringLiteral("import-courses"),
                          QStringLiteral("Add the courses of the CSV <file> (- for standard "
                                         "input) to courses.dat, save it and exit, without a "
                                         "window."),
                          QStringLiteral("file")),
       Action::kImportCourses},
      {QCommandLineOption(QStringLiteral("handicap"),
                          QStringLiteral("Write the scoring record of the Handicap Index, worked "
                                         "out from lks.dat, courses.dat and ratings.dat, to the "
                                         "CSV <file> (- for standard output) and exit, without a "
                                         "window."),
                          QStringLiteral("file")),
       Action::kHandicap},
      {QCommandLineOption(QStringLiteral("next-round"),
                          QStringLiteral("Write what the next round on the rated <course> must be "
                                         "to lower or keep the Handicap Index, as CSV on standard "
                                         "output, and exit, without a window."),
                          QStringLiteral("course")),
       Action::kNextRound},
      {QCommandLineOption(QStringLiteral("scorecard"),
                          QStringLiteral("Write the blank scorecard of <course> with the Handicap "
                                         "Index, the playing handicap and the strokes received to "
                                         "the PDF file given after it, and exit, without a "
                                         "window."),
                          QStringLiteral("course")),
       Action::kScorecard},
  };
  const QCommandLineOption format_{
      QStringLiteral("format"),
      QStringLiteral("With --scorecard: the format of play, as the Handicap window names it "
                     "(\"Individual stroke play\", \"Four-ball match play\", \"Stableford\" …); "
                     "without it or --allowance, the one last chosen there."),
      QStringLiteral("name")};
  const QCommandLineOption allowance_{
      QStringLiteral("allowance"),
      QStringLiteral("With --scorecard: a handicap allowance of your own, 1 to 100 percent."),
      QStringLiteral("percent")};
  const QCommandLineOption duplicates_{
      QStringLiteral("duplicates"),
      QStringLiteral("With an import: skip (the default) or add the rows whose course and date "
                     "(for courses, whose name) the data file already has."),
      QStringLiteral("skip|add")};
  const QCommandLineOption dates_{
      QStringLiteral("dates"),
      QStringLiteral("With an import: read the dates not written YYYY-MM-DD day first (17/05/2025) "
                     "or month first (5/17/2025), or keep them as written. Without it, a file "
                     "whose dates do not show which is refused."),
      QStringLiteral("day-first|month-first|keep")};
};

CommandLine::CommandLine(const QString& userDataDir) {
  // Single-dash words are Qt's own options (-platform, -session); -h and -v still work.
  parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser_.setApplicationDescription(
      QStringLiteral("Records rounds of golf hole by hole and makes statistics reports."));
  userData_.setDescription(QStringLiteral("Keep them in your own data folder, %1. The desktop "
                                          "menu starts Larkspin this way.")
                               .arg(QDir::toNativeSeparators(userDataDir)));
  parser_.addOptions({dataDir_, userData_});
  for (const auto& [option, action] : exchanges_)
    parser_.addOption(option);
  parser_.addOptions({duplicates_, dates_, format_, allowance_, help_, version_});
  AcceptQtOptions(parser_);
}

std::optional<StartupOptions> CommandLine::ReadHelpAndVersion(const QStringList& arguments) {
  const bool parsed = parser_.parse(arguments);
  // Asking for help is never a mistake, whatever else the command line holds.
  if (parser_.isSet(help_)) return Finished(HelpText(parser_));
  if (!parsed) return Mistake(parser_.errorText(), parser_);
  if (parser_.isSet(version_)) {
    return Finished(
        kProgram + QLatin1Char(' ') + QCoreApplication::applicationVersion() +
        QStringLiteral(
            "\nLicense GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>\n"
            "This is free software: you are free to change and redistribute it. There is NO "
            "WARRANTY, to the extent permitted by law.\n"));
  }
  // The one argument of its own is --scorecard's PDF file.
  const int ownArguments = parser_.isSet(QStringLiteral("scorecard")) ? 1 : 0;
  if (parser_.positionalArguments().size() > ownArguments) {
    return Mistake(QStringLiteral("unexpected argument '%1'.")
                       .arg(parser_.positionalArguments().at(ownArguments)),
                   parser_);
  }
  return std::nullopt;
}

std::optional<StartupOptions> CommandLine::ReadDataFolder(const QString& currentDir,
                                                          const QString& userDataDir,
                                                          QString& folder) const {
  if (parser_.isSet(dataDir_) && parser_.isSet(userData_)) {
    return Mistake(QStringLiteral("choose one data folder: --data-dir or --user-data."), parser_);
  }
  folder = currentDir;
  if (parser_.isSet(userData_)) {
    if (userDataDir.isEmpty()) {
      StartupOptions options;
      options.exitStatus = 2;
      options.errors = kProgram + QStringLiteral(": your data folder is unknown (is HOME set?).\n");
      return options;
    }
    folder = userDataDir;
  }
  if (parser_.isSet(dataDir_)) {
    folder = parser_.value(dataDir_);
    if (folder.isEmpty()) return Mistake(QStringLiteral("--data-dir needs a folder."), parser_);
  }
  folder = QDir::cleanPath(QDir(currentDir).absoluteFilePath(folder));
  return std::nullopt;
}

std::optional<StartupOptions> CommandLine::ReadExchange(
    std::optional<ExchangeRequest>& exchange) const {
  for (const auto& [option, action] : exchanges_) {
    if (!parser_.isSet(option)) continue;
    if (exchange) return Mistake(QStringLiteral("choose one export or import at a time."), parser_);
    exchange = ExchangeRequest{action, parser_.value(option), true, std::nullopt};
    if (action == Action::kNextRound || action == Action::kScorecard) {
      if (exchange->file.isEmpty()) {
        return Mistake(QStringLiteral("--%1 needs a course.").arg(option.names().constFirst()),
                       parser_);
      }
      if (action == Action::kScorecard && parser_.positionalArguments().isEmpty()) {
        return Mistake(QStringLiteral("--scorecard needs a course and a PDF file."), parser_);
      }
      continue;
    }
    if (exchange->file.isEmpty()) {
      return Mistake(QStringLiteral("--%1 needs a file.").arg(option.names().constFirst()),
                     parser_);
    }
  }
  if (parser_.isSet(duplicates_)) {
    const QString value = parser_.value(duplicates_);
    if (!exchange ||
        (exchange->action != Action::kImportRounds && exchange->action != Action::kImportCourses)) {
      return Mistake(QStringLiteral("--duplicates goes with --import-rounds or --import-courses."),
                     parser_);
    }
    if (value != QLatin1String("skip") && value != QLatin1String("add")) {
      return Mistake(QStringLiteral("--duplicates is skip or add, not '%1'.").arg(value), parser_);
    }
    exchange->skipDuplicates = value == QLatin1String("skip");
  }
  if (parser_.isSet(dates_)) {
    const QString value = parser_.value(dates_);
    if (!exchange ||
        (exchange->action != Action::kImportRounds && exchange->action != Action::kImportCourses)) {
      return Mistake(QStringLiteral("--dates goes with --import-rounds or --import-courses."),
                     parser_);
    }
    const std::pair<const char*, DateOrder> orders[] = {{"day-first", DateOrder::kDayFirst},
                                                        {"month-first", DateOrder::kMonthFirst},
                                                        {"keep", DateOrder::kAsWritten}};
    for (const auto& [name, order] : orders) {
      if (value == QLatin1String(name)) exchange->dates = order;
    }
    if (!exchange->dates) {
      return Mistake(
          QStringLiteral("--dates is day-first, month-first or keep, not '%1'.").arg(value),
          parser_);
    }
  }
  return std::nullopt;
}

std::optional<StartupOptions> CommandLine::ReadScorecard(
    std::optional<ExchangeRequest>& exchange, std::optional<ScorecardRequest>& scorecard) const {
  const bool format = parser_.isSet(format_);
  const bool allowance = parser_.isSet(allowance_);
  const bool card = exchange && exchange->action == Action::kScorecard;
  if (card) {
    scorecard = ScorecardRequest{exchange->file, parser_.positionalArguments().constFirst(),
                                 std::nullopt, std::nullopt};
    exchange.reset();
  }
  if (!format && !allowance) return std::nullopt;
  if (!card) {
    return Mistake(QStringLiteral("--%1 goes with --scorecard.")
                       .arg(format ? QStringLiteral("format") : QStringLiteral("allowance")),
                   parser_);
  }
  if (format && allowance) {
    return Mistake(QStringLiteral("choose one of --format and --allowance."), parser_);
  }
  if (format) {
    const QString name = parser_.value(format_);
    scorecard->format = FindAllowanceFormat(name.toStdString());
    if (!scorecard->format) {
      QStringList names;
      for (std::size_t i = 0; i < kCustomFormat; ++i)
        names << QString::fromUtf8(kAllowanceFormats[i].name.data(),
                                   static_cast<qsizetype>(kAllowanceFormats[i].name.size()));
      return Mistake(QStringLiteral("--format is one of %1, not '%2'.")
                         .arg(names.join(QStringLiteral(", ")), name),
                     parser_);
    }
    return std::nullopt;
  }
  bool number = false;
  const int percent = parser_.value(allowance_).toInt(&number);
  if (!number || percent < kLowestAllowance || percent > kHighestAllowance) {
    return Mistake(QStringLiteral("--allowance is a whole percentage from 1 to 100, not '%1'.")
                       .arg(parser_.value(allowance_)),
                   parser_);
  }
  scorecard->allowancePercent = percent;
  return std::nullopt;
}

}  // namespace

StartupOptions ParseStartupOptions(const QStringList& arguments, const QString& currentDir,
                                   const QString& userDataDir) {
  CommandLine commandLine(userDataDir);
  StartupOptions options;
  if (auto end = commandLine.ReadHelpAndVersion(arguments)) return *end;
  if (auto end = commandLine.ReadDataFolder(currentDir, userDataDir, options.dataDir)) return *end;
  if (auto end = commandLine.ReadExchange(options.exchange)) return *end;
  if (auto end = commandLine.ReadScorecard(options.exchange, options.scorecard)) return *end;
  return options;
}

QString PrepareDataFolder(const QString& dir) {
  const QString shown = QDir::toNativeSeparators(dir);
  bool missing = false;
  if (const auto problem = DataFolderProblem(dir, missing)) {
    return kProgram + QStringLiteral(": ") + QString::fromStdString(*problem) + QLatin1Char('\n');
  }
  if (missing) {
    const QFileInfo info(dir);
    std::error_code error;
    std::filesystem::create_directories(info.filesystemAbsoluteFilePath(), error);
    if (error) {
      return QStringLiteral("%1: cannot create the data folder %2: %3.\n")
          .arg(kProgram, shown, QString::fromLocal8Bit(error.message()));
    }
  }
  // Permission bits do not tell (an administrator writes anywhere, a read-only disk nowhere):
  // writing something is the only sure test. The probe removes itself.
  const QTemporaryDir probe(QDir(dir).filePath(QStringLiteral(".larkspin-XXXXXX")));
  if (!probe.isValid()) {
    return QStringLiteral("%1: cannot write in the data folder %2: %3.\n")
        .arg(kProgram, shown, probe.errorString());
  }
  return {};
}

void SetProgramIdentity() {
  QCoreApplication::setApplicationName(kProgram);
  QCoreApplication::setApplicationVersion(QStringLiteral(LARKSPIN_VERSION));
}

QString UserDataFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

}  // namespace larkspin
