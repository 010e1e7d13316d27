#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace larkspin {

// A data file as a session read it. The journal names the files it continues with these, so that
// its changes are only ever replayed onto the very files they were made on.
struct FileFingerprint {
  std::string name;  // in the data folder: "lks.dat"
  // False when no bytes were read (the file was missing or could not be read): its table started
  // empty.
  bool read = false;
  std::uint64_t size = 0;
  std::array<std::uint8_t, 32> sha256{};

  bool operator==(const FileFingerprint&) const = default;
};

// The file `name` read as `bytes`.
FileFingerprint FingerprintOf(std::string name, std::string_view bytes);
// The file `name`, of which nothing was read.
FileFingerprint NothingRead(std::string name);

// Whether the two describe the same files. A file named on one side alone counts as not read on
// the other, so a journal written before a new data file existed still fits while it is absent.
bool SameFiles(const std::vector<FileFingerprint>& some,
               const std::vector<FileFingerprint>& others);

}  // namespace larkspin
