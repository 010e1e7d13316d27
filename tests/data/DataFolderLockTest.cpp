// One window per data folder: a lock held by a running copy keeps a second one out however long
// it has been held; a lock left behind by a copy that ended is taken over.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtGlobal>

#include "DataFolderLock.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#endif

namespace larkspin {
namespace {

using Outcome = DataFolderLock::Outcome;

TEST(DataFolderLock, SecondCopyInSameFolder_isKeptOutUntilFirstLetsGo) {
  QTemporaryDir dir;
  DataFolderLock first(dir.path());
  ASSERT_EQ(first.TryLock(), Outcome::kLocked);
  EXPECT_TRUE(QFile::exists(dir.filePath(".larkspin.lock")));

  DataFolderLock second(dir.path());
  EXPECT_EQ(second.TryLock(), Outcome::kHeldElsewhere);
  QTemporaryDir otherFolder;
  EXPECT_EQ(DataFolderLock(otherFolder.path()).TryLock(), Outcome::kLocked);

  first.Unlock();
  EXPECT_EQ(second.TryLock(), Outcome::kLocked);
}

// As a running copy leaves it where the file system keeps no locks of its own (some network
// file systems): only the file says who holds it.
void WriteLockOfThisProcess(const QString& path) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
  file.write(QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
             QFileInfo(self).fileName().toUtf8() + '\n' + QSysInfo::machineHostName().toUtf8() +
             '\n' + QSysInfo::machineUniqueId() + '\n' + QSysInfo::bootUniqueId() + '\n');
  file.close();
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3 * 3600),
                               QFileDevice::FileModificationTime));
}

#ifdef Q_OS_LINUX
TEST(DataFolderLock, LockOfRunningCopyHeldForHours_isNotTakenAsStale) {
  QTemporaryDir dir;
  WriteLockOfThisProcess(dir.filePath(".larkspin.lock"));
  EXPECT_EQ(DataFolderLock(dir.path()).TryLock(), Outcome::kHeldElsewhere);
}
#endif

#ifdef Q_OS_UNIX
TEST(DataFolderLock, LockLeftByCopyThatEnded_isTakenOver) {
  QTemporaryDir dir;
  const pid_t child = ::fork();
  if (child == 0) {
    DataFolderLock crashed(dir.path());
    // Ends without unlocking, as a crash or a kill would.
    ::_exit(crashed.TryLock() == Outcome::kLocked ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_TRUE(QFile::exists(dir.filePath(".larkspin.lock")));

  EXPECT_EQ(DataFolderLock(dir.path()).TryLock(), Outcome::kLocked);
}
#endif

#ifdef Q_OS_UNIX
// A lock is held only by a running copy: one that names none (a copy killed while making it, a
// machine gone, a backup from another one) is taken over; one a running copy holds a system lock
// on is not, whatever it says. Unreadable is tried as "nobody" when this is root, which reads all.
TEST(DataFolderLock, LockNamingNoRunningCopy_isTakenOverUnlessOneHoldsIt) {
  const struct {
    const char* behaviour;
    QByteArray contents;
    mode_t mode;
    bool held;  // a running copy holds a system lock on it
  } cases[] = {
      {"empty", "", 0644, false},
      {"garbled", "\x01\x02 not a lock", 0644, false},
      {"another machine's", "4242\nlarkspin\nother-machine\n", 0644, false},
      {"unreadable", "4242\nlarkspin\n", 0000, false},
      {"empty, held by a running copy", "", 0644, true},
  };
  for (const auto& c : cases) {
    QTemporaryDir dir;
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    const QString path = dir.filePath(".larkspin.lock");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.write(c.contents);
    // Made an hour ago: a lock made a moment ago may still be on its way.
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
    ASSERT_TRUE(!c.held || ::flock(file.handle(), LOCK_EX) == 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), c.mode), 0);
    const Outcome expected = c.held ? Outcome::kHeldElsewhere : Outcome::kLocked;
    if (c.mode != 0 || ::geteuid() != 0) {
      EXPECT_EQ(DataFolderLock(dir.path()).TryLock(), expected) << c.behaviour;
      continue;
    }
    const pid_t child = ::fork();
    if (child == 0) {
      const bool nobody = ::setgid(65534) == 0 && ::setuid(65534) == 0;
      ::_exit(nobody && DataFolderLock(dir.path()).TryLock() == expected ? 0 : 1);
    }
    int status = 1;
    EXPECT_TRUE(::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
                WEXITSTATUS(status) == 0)
        << c.behaviour;
  }
}

TEST(DataFolderLock, FolderAtTheLocksName_isUnavailableAndToldWithTheLockFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir(".larkspin.lock"));
  DataFolderLock lock(dir.path());
  ASSERT_EQ(lock.TryLock(), Outcome::kUnavailable);
  EXPECT_EQ(LockUnavailableMessage(dir.path(), lock.Reason()),
            "Larkspin cannot open this folder:\r\n" + dir.path().toStdString() +
                ".\r\nIts lock file\r\n" + dir.filePath(".larkspin.lock").toStdString() +
                "\r\ncannot be made (a folder stands at that name). Without it, a second "
                "Larkspin window could write over this one's work.\r\nRemove what stands at that "
                "name, or make the folder writable, and start Larkspin again.");
}
#endif

TEST(DataFolderLock, FolderWhereNoLockCanBeMade_isUnavailableNotHeld) {
  QTemporaryDir dir;
  EXPECT_EQ(DataFolderLock(dir.filePath("missing")).TryLock(), Outcome::kUnavailable);
}

TEST(DataFolderLock, Message_namesTheFolderAndTheLockFile) {
  QTemporaryDir dir;
  const std::string folder = QDir::toNativeSeparators(dir.path()).toStdString();
  EXPECT_EQ(AlreadyOpenMessage(dir.path()),
            "Larkspin is already open in this folder:\r\n" + folder +
                ".\r\nUse that window, or close it and start Larkspin again.\r\nIf no Larkspin is "
                "open there, remove its lock file\r\n" +
                QDir::toNativeSeparators(dir.filePath(".larkspin.lock")).toStdString() +
                "\r\nand start Larkspin again.");
}

}  // namespace
}  // namespace larkspin
