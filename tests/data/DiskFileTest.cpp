// What a save leaves on the disk besides the bytes: the file's permissions, and no temporary
// file that outlives the start after a save that never ended.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

#include "DiskFile.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include "support/FaultInjection.h"

namespace larkspin {
namespace {

mode_t ModeOf(const QString& path) {
  struct stat status {};
  ::stat(QFile::encodeName(path).constData(), &status);
  return status.st_mode & 07777;
}

TEST(DiskFile, Save_keepsTheOldPermissionsOrTheOwnersAloneNeverNone) {
  const mode_t mask = ::umask(022);
  const struct {
    const char* behaviour;
    mode_t old;
    bool statFails;  // the old file's permissions cannot be read
    mode_t saved;
  } cases[] = {
      {"kept", 0640, false, 0640},
      {"owner may always read and write", 0000, false, 0600},
      {"unreadable: the owner's alone, never wider", 0600, true, 0600},
  };
  for (const auto& c : cases) {
    QTemporaryDir dir;
    const QString path = dir.filePath("lks.dat");
    ASSERT_TRUE(WriteFileAtomically(path, "old"));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), c.old), 0);
    {
      // The first call of a save looks at the old file.
      testing::FaultInjector inject(c.statFails ? 1 : 0, EIO, {"stat"});
      ASSERT_TRUE(WriteFileAtomically(path, "new")) << c.behaviour;
    }
    EXPECT_EQ(ModeOf(path), c.saved) << c.behaviour;
  }
  ::umask(mask);
}

TEST(DiskFile, LeftoversOfEndedSaves_areRemovedAtStartAndNothingElse) {
  QTemporaryDir dir;
  const auto make = [&](const char* name, qint64 secondsAgo) {
    ASSERT_TRUE(WriteFileAtomically(dir.filePath(name), "bytes"));
    const timeval when[2] = {{::time(nullptr) - secondsAgo, 0}, {::time(nullptr) - secondsAgo, 0}};
    ASSERT_EQ(::utimes(QFile::encodeName(dir.filePath(name)).constData(), when), 0);
  };
  make("lks.dat.saving-x3Fq9Z", 3600);             // removed
  make("courses.dat.unread-2.saving-Ab12Cd", 60);  // removed: a kept copy's
  make("lks.dat.unread", 3600);                    // the kept copy itself
  make("lks.dat", 3600);
  make("lks.dat.backup", 3600);           // the user's own
  make("notes.txt.saving-x3Fq9Z", 3600);  // not the program's
  make(".larkspin.lock", 10);
  make("lks.dat.saving-N3wer1", 0);  // newer than the lock: a save of this run
  ASSERT_TRUE(QDir(dir.path()).mkdir("courses.dat.saving-Fo1der"));
  if (::geteuid() == 0) {
    make("lks.dat.saving-Other1", 3600);  // another user's
    ASSERT_EQ(
        ::chown(QFile::encodeName(dir.filePath("lks.dat.saving-Other1")).constData(), 65534, 65534),
        0);
  }

  EXPECT_EQ(RemoveLeftoverTemporaries(dir.path(), {"lks.dat", "courses.dat"},
                                      dir.filePath(".larkspin.lock")),
            2);
  QStringList expected = {".larkspin.lock",         "courses.dat.saving-Fo1der", "lks.dat",
                          "lks.dat.backup",         "lks.dat.saving-N3wer1",     "lks.dat.unread",
                          "notes.txt.saving-x3Fq9Z"};
  if (::geteuid() == 0) expected << "lks.dat.saving-Other1";
  expected.sort();
  EXPECT_EQ(QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
            expected);
}

}  // namespace
}  // namespace larkspin
#endif
