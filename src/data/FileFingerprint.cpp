#include "FileFingerprint.h"

#include <QByteArrayView>
#include <QCryptographicHash>
#include <algorithm>
#include <cstring>
#include <utility>

namespace larkspin {

FileFingerprint FingerprintOf(std::string name, std::string_view bytes) {
  FileFingerprint fingerprint{std::move(name), true, bytes.size(), {}};
  QCryptographicHash hash(QCryptographicHash::Sha256);
  // In pieces: QByteArrayView holds a qsizetype, and a file may be larger than one piece.
  constexpr std::size_t kPiece = std::size_t{1} << 30;
  for (std::size_t at = 0; at < bytes.size(); at += kPiece) {
    const std::string_view piece = bytes.substr(at, kPiece);
    hash.addData(QByteArrayView(piece.data(), static_cast<qsizetype>(piece.size())));
  }
  const QByteArrayView digest = hash.resultView();
  std::memcpy(fingerprint.sha256.data(), digest.data(),
              std::min<std::size_t>(fingerprint.sha256.size(), digest.size()));
  return fingerprint;
}

FileFingerprint NothingRead(std::string name) {
  return FileFingerprint{std::move(name), false, 0, {}};
}

bool SameFiles(const std::vector<FileFingerprint>& some,
               const std::vector<FileFingerprint>& others) {
  const auto find = [](const std::vector<FileFingerprint>& files, const std::string& name) {
    const auto it = std::find_if(files.begin(), files.end(),
                                 [&](const FileFingerprint& file) { return file.name == name; });
    return it != files.end() ? *it : NothingRead(name);
  };
  const auto fits = [&](const std::vector<FileFingerprint>& from,
                        const std::vector<FileFingerprint>& to) {
    return std::all_of(from.begin(), from.end(),
                       [&](const FileFingerprint& file) { return find(to, file.name) == file; });
  };
  return fits(some, others) && fits(others, some);
}

}  // namespace larkspin
