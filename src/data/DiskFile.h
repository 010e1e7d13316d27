#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QFile;

namespace larkspin {

// The only functions that touch the disk for the data and report files.

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
};

// Reads a regular file whole. Anything else is left unread: opening a named pipe would wait for
// a writer, and a device such as /dev/zero never ends.
FileReadResult ReadRegularFile(const QString& path);

// Opens a regular file for reading into `file`, as ReadRegularFile does, for reading it piece by
// piece; otherwise says what stands at `path` (see FileReadResult), with the reason.
FileReadResult::Outcome OpenRegularFile(const QString& path, QFile& file, QString& reason);

// The whole file, or nothing when it could not be read (missing, not a regular file, no
// permission).
std::optional<std::string> ReadWholeFile(const QString& path);

// An empty file where nothing stands at `path` yet; anything already there, even a link leading
// nowhere, is left alone.
void CreateFileIfMissing(const QString& path);

// Takes a file's bytes piece by piece; false once they could not be written.
using ByteSink = std::function<bool(std::string_view)>;

// Replaces the file with the bytes `produce` hands to its sink, through a temporary file renamed
// over it, so that a failure at any point (no space, no permission, an I/O error) leaves the old
// file whole. False on failure, also when `produce` returns false; `error` then gets the system's
// reason.
bool WriteFileAtomically(const QString& path, const std::function<bool(const ByteSink&)>& produce,
                         QString* error = nullptr);
bool WriteFileAtomically(const QString& path, std::string_view bytes, QString* error = nullptr);

// Keeps whatever stands at `path` under `keptPath`, which must not exist yet: a regular file
// readable now is copied (so `path` stays in place until it is replaced), anything else (a file
// that cannot be read, a pipe, a link to a device, a folder) is renamed, as that needs no reading.
// True when nothing stands at `path`.
bool KeepFileAside(const QString& path, const QString& keptPath, QString* error = nullptr);

// `path` + ".unread", or with "-2", "-3"... when that is taken: a name for KeepFileAside.
QString FreeKeptName(const QString& path);

}  // namespace larkspin
