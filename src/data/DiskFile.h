#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QFile;

namespace larkspin {

// The only functions that touch the disk for the data and report files.

// Enough of a file to tell whether another program has replaced or changed it since.
struct FileStamp {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t modifiedNs = 0;
  bool operator==(const FileStamp&) const = default;
};

// What stands at a path.
struct PathState {
  enum class Kind {
    kMissing,
    kRegular,
    kFolder,
    kOther,    // a named pipe, a device...: `reason` says which
    kUnknown,  // it could not be looked at: `reason` is the system's
  };
  Kind kind = Kind::kMissing;
  QString reason;
  FileStamp stamp;  // for kRegular
};
// Follows symbolic links, as opening the path does.
PathState StatPath(const QString& path);

// What reading a file found.
struct FileReadResult {
  enum class Outcome {
    kRead,        // `bytes` holds the whole file
    kMissing,     // nothing stands at the path
    kNotRegular,  // a folder, a named pipe, a device...: `reason` says which; never read
    kUnreadable,  // a file that could not be read: `reason` is the system's
  };
  Outcome outcome = Outcome::kMissing;
  std::string bytes;
  QString reason;
  FileStamp stamp;  // of the file read, for kRead
};

// Reads a regular file whole. Anything else is left unread: opening a named pipe would wait for
// a writer, and a device such as /dev/zero never ends.
FileReadResult ReadRegularFile(const QString& path);

// Which system calls a read goes through: those of SystemCalls.h, which tests replace to fail one
// on purpose, or the system's own, for a read on a thread of its own, so that a test's faults and
// its record of the calls stay with the thread it runs on.
enum class ReadCalls { kReplaceable, kSystemOwn };

inline constexpr std::size_t kFilePieceSize = std::size_t{256} << 10;

// ReadRegularFile for a file read a piece at a time: `onBytes` gets the file's bytes in order, in
// pieces of `pieceSize` bytes but for the last, valid only during the call (so two reads of the
// same bytes cut them alike); `bytes` of the result stays empty. After a failure half-way
// (kUnreadable) the pieces handed on were not the whole file.
FileReadResult ReadRegularFileInPieces(const QString& path,
                                       const std::function<void(std::string_view)>& onBytes,
                                       std::size_t pieceSize = kFilePieceSize,
                                       ReadCalls calls = ReadCalls::kReplaceable);

// Opens a regular file for reading into `file`, as ReadRegularFile does, for reading it piece by
// piece; otherwise says what stands at `path` (see FileReadResult), with the reason.
FileReadResult::Outcome OpenRegularFile(const QString& path, QFile& file, QString& reason);

// The whole file, or nothing when it could not be read (missing, not a regular file, no
// permission).
std::optional<std::string> ReadWholeFile(const QString& path);

// An empty file where nothing stands at `path` yet; anything already there, even a link leading
// nowhere, is left alone.
void CreateFileIfMissing(const QString& path);

inline constexpr char kTemporaryInfix[] = ".saving-";

// Takes a file's bytes piece by piece; false once they could not be written.
using ByteSink = std::function<bool(std::string_view)>;

// Replaces the file with the bytes `produce` hands to its sink. They go to a temporary file beside
// it ("lks.dat.saving-x3Fq9Z": the name, kTemporaryInfix, six random letters or digits), which is
// synced to the disk and renamed over the file; then the folder is synced, so the rename lasts.
// A failure at any step (no space, no permission, an I/O error, or `produce` returning false)
// leaves the old file whole and no temporary file behind: false, with the system's reason in
// `error`. The new file has the old one's permissions, the owner's alone when those cannot be
// read, or the usual ones where there was none. `written`, when given, gets the new file's stamp.
bool WriteFileAtomically(const QString& path, const std::function<bool(const ByteSink&)>& produce,
                         QString* error = nullptr, FileStamp* written = nullptr);
bool WriteFileAtomically(const QString& path, std::string_view bytes, QString* error = nullptr);

// Removes the file at `path` and syncs its folder, so that it stays removed through a crash. True
// when nothing stands there any more; otherwise `error` gets the system's reason.
bool RemoveFileDurably(const QString& path, QString* error = nullptr);

// Keeps whatever stands at `path` under `keptPath`, which must not exist yet: a regular file
// readable now is copied (so `path` stays in place until it is replaced), anything else (a file
// that cannot be read, a pipe, a link to a device, a folder) is renamed, as that needs no reading.
// True when nothing stands at `path`. `moved`, when given, tells whether it was renamed.
bool KeepFileAside(const QString& path, const QString& keptPath, QString* error = nullptr,
                   bool* moved = nullptr);

// Renames `from` to `to`, replacing what stands there.
bool MoveFile(const QString& from, const QString& to, QString* error = nullptr);

// `path` + `suffix`, or with "-2", "-3"... when that is taken: a name for KeepFileAside.
inline constexpr char kUnreadSuffix[] = ".unread";
inline constexpr char kChangedOutsideSuffix[] = ".changed-outside";
QString FreeKeptName(const QString& path, const char* suffix = kUnreadSuffix);

// Removes what saves that never ended (the machine went down, the program was killed) left in
// `folder`: temporary files of `fileNames` and of their kept copies ("lks.dat.saving-x3Fq9Z",
// "lks.dat.unread.saving-x3Fq9Z"), that are regular files of this user and older than the file
// at `lockPath`, made when this run took the folder. Anything that cannot be removed stays for a
// later start. How many were removed.
int RemoveLeftoverTemporaries(const QString& folder, const QStringList& fileNames,
                              const QString& lockPath);

}  // namespace larkspin
