#include "JournalWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "DiskFile.h"
#include "DiskFileDetails.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "SystemCalls.h"
#endif

namespace larkspin {

JournalWriter::JournalWriter(const QString& folder)
    : path_(QDir(folder).filePath(QString::fromLatin1(kJournalFileName))) {}

JournalWriter::~JournalWriter() {
  Close();
}

bool JournalWriter::Start(const std::vector<FileFingerprint>& files, std::int64_t timeMs) {
  return Open(JournalStart(timeMs, files));
}

bool JournalWriter::Resume(const JournalContents& replayed, std::size_t records) {
  if (!replayed.Readable()) return Fail(QStringLiteral("the journal read at start is damaged"));
  return Open(replayed.PartThrough(records));
}

bool JournalWriter::Fail(const QString& reason) {
  Close();
  reason_ = reason;
  told_ = false;
  return false;
}

std::optional<QString> JournalWriter::TakeFailure() {
  if (reason_.isEmpty() || told_) return std::nullopt;
  told_ = true;
  return reason_;
}

// Written whole through a temporary file and renamed into place, so a journal that was there (one
// being resumed) is replaced only by one that holds all of it; then opened to append.
bool JournalWriter::Open(std::string_view bytes) {
  Close();
  reason_.clear();
  QString error;
  if (!WriteFileAtomically(path_, bytes, &error)) return Fail(error);
#ifdef Q_OS_UNIX
  fd_ = OpenRetrying(QFile::encodeName(path_).constData(),
                     O_WRONLY | O_APPEND | O_CLOEXEC | O_NOCTTY);
  if (fd_ < 0) return Fail(SystemReason(errno));
#else
  file_.setFileName(path_);
  if (!file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
    return Fail(file_.errorString());
  }
#endif
  return true;
}

#ifdef Q_OS_UNIX
bool JournalWriter::Writing() const {
  return fd_ >= 0;
}

void JournalWriter::Close() {
  // Every record was synced when it was written: closing loses nothing.
  if (fd_ >= 0) System().close(fd_);
  fd_ = -1;
}

bool JournalWriter::Append(const JournalEntry& entry) {
  if (fd_ < 0) return false;
  std::string_view bytes = entry.Bytes();
  while (!bytes.empty()) {
    const ssize_t written = System().write(fd_, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    // A write that stops part-way leaves a record cut short, which a reader passes over.
    if (written <= 0) return Fail(SystemReason(written < 0 ? errno : ENOSPC));
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  if (System().fdatasync(fd_) != 0) return Fail(SystemReason(errno));
  return true;
}
#else
bool JournalWriter::Writing() const {
  return file_.isOpen();
}

void JournalWriter::Close() {
  file_.close();
}

// Qt cannot sync a file to the disk: the record reaches the system, which writes it soon.
bool JournalWriter::Append(const JournalEntry& entry) {
  if (!file_.isOpen()) return false;
  const std::string_view bytes = entry.Bytes();
  if (file_.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
      static_cast<qint64>(bytes.size())) {
    return Fail(file_.errorString());
  }
  return true;
}
#endif

bool JournalWriter::Remove(QString* error) {
  Close();
  return RemoveFileDurably(path_, error);
}

std::string JournalFailureMessage(const QString& journalPath, const QString& reason) {
  return "Changes are not protected against a crash: the journal " +
         QDir::toNativeSeparators(QFileInfo(journalPath).absoluteFilePath()).toStdString() +
         " could not be written (" + reason.toStdString() +
         "). They are still saved when Larkspin closes.";
}

}  // namespace larkspin
