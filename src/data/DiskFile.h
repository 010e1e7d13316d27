#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace larkspin {

// The only functions that touch the disk for the data and report files.

// The whole file, or nothing when it cannot be read (missing, a directory, no permission).
std::optional<std::string> ReadWholeFile(const QString& path);

// An empty file where nothing stands at `path` yet; anything already there is left alone.
void CreateFileIfMissing(const QString& path);

// Takes a file's bytes piece by piece; false once they could not be written.
using ByteSink = std::function<bool(std::string_view)>;

// Replaces the file with the bytes `produce` hands to its sink, through a temporary file renamed
// over it, so that a failure at any point (no space, no permission, an I/O error) leaves the old
// file whole. False on failure, also when `produce` returns false.
bool WriteFileAtomically(const QString& path, const std::function<bool(const ByteSink&)>& produce);
bool WriteFileAtomically(const QString& path, std::string_view bytes);

}  // namespace larkspin
