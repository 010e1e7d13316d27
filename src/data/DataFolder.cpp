#include "DataFolder.h"

#include <QDir>

#include "DiskFile.h"

namespace larkspin {

namespace {

std::string Shown(const QString& path) {
  return QDir::toNativeSeparators(path).toStdString();
}

}  // namespace

std::optional<std::string> DataFolderProblem(const QString& dir, bool& missing) {
  missing = false;
  const std::string shown = Shown(dir);
  // A name whose bytes are not UTF-8 (from the command line, the current folder) reads with
  // U+FFFD in their place, which names another folder.
  if (dir.contains(QChar::ReplacementCharacter)) {
    return "the name of the data folder " + shown +
           " is not valid UTF-8, and Larkspin cannot use it. Rename the folder, or choose "
           "another with --data-dir.";
  }
  const PathState state = StatPath(dir);
  switch (state.kind) {
    case PathState::Kind::kFolder:
      return std::nullopt;
    case PathState::Kind::kMissing:
      missing = true;
      return std::nullopt;
    case PathState::Kind::kRegular:
      return "the data folder " + shown + " is a file, not a folder.";
    case PathState::Kind::kOther:
      return "the data folder " + shown + " is " + state.reason.toStdString() + ", not a folder.";
    case PathState::Kind::kUnknown:
      break;
  }
  return "cannot use the data folder " + shown + ": " + state.reason.toStdString() + '.';
}

}  // namespace larkspin
