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

TEST(DataFolderLock, FolderWhereNoLockCanBeMade_isUnavailableNotHeld) {
  QTemporaryDir dir;
  EXPECT_EQ(DataFolderLock(dir.filePath("missing")).TryLock(), Outcome::kUnavailable);
}

TEST(DataFolderLock, Message_namesTheFolder) {
  QTemporaryDir dir;
  EXPECT_EQ(AlreadyOpenMessage(dir.path()),
            "Larkspin is already open in this folder:\r\n" +
                QDir::toNativeSeparators(dir.path()).toStdString() +
                "\r\nUse that window, or close it and start Larkspin again.");
}

}  // namespace
}  // namespace larkspin
