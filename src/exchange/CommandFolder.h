#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>

#include "DataFolderLock.h"

namespace larkspin {

// The data folder as a command without a window takes it (an export, an import):
// - it must hold Larkspin's data already, lks.dat or courses.dat: a mistyped name is told, and
//   nothing is made;
// - its lock is taken: a window open on it, or a lock that cannot be made, refuses the command;
// - what saves that never ended left there is removed, as the window's start removes it;
// - a file the command writes or reads must be none of the folder's own: the data files, the
//   lock, the journal.
class CommandFolder {
 public:
  // `savedFiles`: the names of every file a save writes in the folder, whose leftovers go.
  CommandFolder(QString path, QStringList savedFiles);
  CommandFolder(const CommandFolder&) = delete;
  CommandFolder& operator=(const CommandFolder&) = delete;

  QString FilePath(const char* name) const;

  // Checks the folder, takes its lock and removes the leftovers; otherwise the sentence that
  // says why the command cannot go on.
  std::optional<std::string> Open();

  // When `path` is one of the folder's own files, the sentence that says so, naming it
  // `shownName`: through a link or under another name (the same device and inode), or by its
  // name in the folder when it does not exist yet. Also when that cannot be told.
  std::optional<std::string> OwnFile(const QString& path, std::string_view shownName) const;
  // The same for a file open as `fd` (standard input or output).
  std::optional<std::string> OwnFile(int fd, std::string_view shownName) const;

 private:
  std::optional<std::string> WithoutData() const;
#ifdef Q_OS_UNIX
  std::optional<std::string> SameAsOwn(unsigned long long device, unsigned long long inode,
                                       std::string_view shownName) const;
#endif
  std::string IsOwn(std::string_view shownName, const QString& name) const;

  QString path_;
  QStringList savedFiles_;
  DataFolderLock lock_;
};

}  // namespace larkspin
