#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace larkspin {

// The only functions that touch the disk for the data and report files.

// The whole file, or nothing when it cannot be read (missing, a directory, no permission).
std::optional<std::string> ReadWholeFile(const QString& path);

// An empty file where nothing stands at `path` yet; anything already there is left alone.
void CreateFileIfMissing(const QString& path);

// Replaces the file with `bytes` through a temporary file renamed over it, so that a failure at
// any point (no space, no permission, an I/O error) leaves the old file whole. False on failure.
bool WriteFileAtomically(const QString& path, std::string_view bytes);

}  // namespace larkspin
