#include "DataFileKeeper.h"

#include <QByteArrayView>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHashFunctions>
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <system_error>

#include "RoundFile.h"
#include "Sentence.h"
#include "StorableText.h"

namespace larkspin {

namespace {

std::string Utf8(const QString& text) {
  return text.toStdString();
}

// 200000002 as "200,000,002": file sizes run to hundreds of millions.
std::string Grouped(std::size_t number) {
  std::string digits = std::to_string(number);
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
    digits.insert(static_cast<std::size_t>(at), 1, ',');
  return digits;
}

std::string Counted(std::size_t count, const std::string& one, const std::string& many) {
  return Grouped(count) + " " + (count == 1 ? one : many);
}

// A key as the user may read it: one line, and not too long.
std::string ShownKey(std::string_view key) {
  std::string shown = StorableText(key);
  if (shown.size() > 40) {
    std::size_t cut = 40;
    while (cut > 0 && (static_cast<unsigned char>(shown[cut]) & 0xC0) == 0x80)
      --cut;
    shown.resize(cut);
    shown += "...";
  }
  return shown;
}

// "3 lines with keys Larkspin does not know (the first: "NOTE") and 1 record with an empty
// "COURSE=" line".
std::string Describe(const SkippedContent& skipped, const std::string& records) {
  std::vector<std::string> parts;
  if (skipped.unknownLines > 0) {
    parts.push_back(Counted(skipped.unknownLines, "line with a key", "lines with keys") +
                    " Larkspin does not know (the first: \"" + ShownKey(skipped.firstUnknownKey) +
                    "\")");
  }
  if (skipped.records > 0) {
    parts.push_back(Counted(skipped.records, records, records + "s") +
                    " with an empty \"COURSE=\" line");
  }
  if (skipped.repeatedLines > 0) {
    parts.push_back(Counted(skipped.repeatedLines, "value", "values") +
                    " given again in the same " + records + " (only the last is shown)");
  }
  std::string text;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) text += i + 1 == parts.size() ? " and " : ", ";
    text += parts[i];
  }
  return text;
}

// The fingerprint of the file at `path`, read again piece by piece: only when what this read
// finds is what the first read gave (the same file by its `stamp`, the same bytes as far as
// `check` over them tells) does it name the file; otherwise it names none, as no file's SHA-256
// is all zeros.
FileFingerprint FingerprintReadAgain(std::string name, const QString& path, const FileStamp& stamp,
                                     std::uint64_t size, std::size_t check,
                                     const std::atomic<bool>& stop) {
  QCryptographicHash hash(QCryptographicHash::Sha256);
  std::uint64_t bytes = 0;
  std::size_t again = 0;
  const FileReadResult result = ReadRegularFileInPieces(
      path,
      [&](std::string_view piece) {
        if (stop.load(std::memory_order_relaxed)) return;  // nobody waits for it any more
        hash.addData(QByteArrayView(piece.data(), static_cast<qsizetype>(piece.size())));
        again = qHashBits(piece.data(), piece.size(), again);
        bytes += piece.size();
      },
      kFilePieceSize, ReadCalls::kSystemOwn);
  FileFingerprint fingerprint{std::move(name), true, size, {}};
  if (result.outcome == FileReadResult::Outcome::kRead && result.stamp == stamp && bytes == size &&
      again == check && !stop) {
    const QByteArrayView digest = hash.resultView();
    std::memcpy(fingerprint.sha256.data(), digest.data(),
                std::min<std::size_t>(fingerprint.sha256.size(), digest.size()));
  }
  return fingerprint;
}

// qHashBits over `bytes` as ReadRegularFileInPieces would hand them on.
std::size_t CheckInPieces(std::string_view bytes) {
  std::size_t check = 0;
  for (std::size_t at = 0; at < bytes.size(); at += kFilePieceSize) {
    const std::size_t length = std::min(kFilePieceSize, bytes.size() - at);
    check = qHashBits(bytes.data() + at, length, check);
  }
  return check;
}

}  // namespace

DataFileKeeper::DataFileKeeper(QString path, std::string records, Missing missing)
    : path_(std::move(path)), records_(std::move(records)), missing_(missing) {}

DataFileKeeper::~DataFileKeeper() {
  // The thread's future waits for it as it goes: the thread stops hashing first.
  fingerprintStop_->store(true);
}

void DataFileKeeper::KeepForFingerprint(const FileStamp& stamp, std::uint64_t size,
                                        std::size_t check) {
  fingerprintSource_ = FingerprintSource{stamp, size, check};
  asRead_ = fingerprintSource_;
}

bool DataFileKeeper::HoldsAlready(const std::function<bool(const ByteSink&)>& produce) const {
  if (holdsTable_) return true;
  if (!asRead_) return false;
  // The bytes checked in the pieces the read handed on, so that the checks compare.
  std::string piece;
  piece.reserve(kFilePieceSize);
  std::uint64_t size = 0;
  std::size_t check = 0;
  const bool produced = produce([&](std::string_view bytes) {
    size += bytes.size();
    if (size > asRead_->size) return false;  // longer: no need to go on
    while (!bytes.empty()) {
      const std::size_t taken = std::min(bytes.size(), kFilePieceSize - piece.size());
      piece.append(bytes.substr(0, taken));
      bytes.remove_prefix(taken);
      if (piece.size() == kFilePieceSize) {
        check = qHashBits(piece.data(), piece.size(), check);
        piece.clear();
      }
    }
    return true;
  });
  if (!piece.empty()) check = qHashBits(piece.data(), piece.size(), check);
  return produced && size == asRead_->size && check == asRead_->check;
}

void DataFileKeeper::StartFingerprint() const {
  if (!fingerprintSource_) return;
  const FingerprintSource source = *fingerprintSource_;
  fingerprintSource_.reset();
  auto work = [name = fingerprint_.name, path = path_, source, stop = fingerprintStop_] {
    return FingerprintReadAgain(name, path, source.stamp, source.size, source.check, *stop);
  };
  try {
    fingerprinting_ = std::async(std::launch::async, std::move(work));
  } catch (const std::system_error&) {
    fingerprint_ = work();  // no thread to be had
  }
}

const FileFingerprint& DataFileKeeper::Fingerprint() const {
  if (fingerprintSource_) {
    const FingerprintSource source = *fingerprintSource_;
    fingerprintSource_.reset();
    fingerprint_ = FingerprintReadAgain(fingerprint_.name, path_, source.stamp, source.size,
                                        source.check, *fingerprintStop_);
  }
  if (fingerprinting_.valid()) fingerprint_ = fingerprinting_.get();
  return fingerprint_;
}

std::string DataFileKeeper::ShownPath() const {
  return Utf8(QDir::toNativeSeparators(QFileInfo(path_).absoluteFilePath()));
}

void DataFileKeeper::NotRead(const std::string& what) {
  keptPath_ = FreeKeptName(path_);
  unread_ = what + " It is left as it is; if the " + records_ +
            "s are changed, it is first kept as " + Utf8(QFileInfo(keptPath_).fileName()) +
            " beside it.";
}

void DataFileKeeper::StartReading() {
  if (fingerprinting_.valid()) {
    // A thread still at the last read's fingerprint ends before this read begins.
    fingerprintStop_->store(true);
    fingerprinting_.wait();
    fingerprintStop_ = std::make_shared<std::atomic<bool>>(false);
  }
  fingerprinting_ = {};
  fingerprintSource_.reset();
  asRead_.reset();
  holdsTable_ = false;
  fingerprint_ = NothingRead(QFileInfo(path_).fileName().toStdString());
  unread_.clear();
  keptAside_ = false;
  stamp_.reset();
  bytes_.reset();
  text_ = DataFileText{};
  fileBytes_ = 0;
  textBytes_ = 0;
  beyondHeader_.reset();
  absentWhenRead_ = false;
  if (missing_ == Missing::kMake) CreateFileIfMissing(path_);
}

void DataFileKeeper::NotReadBecause(const FileReadResult& result) {
  switch (result.outcome) {
    case FileReadResult::Outcome::kRead:
      break;
    case FileReadResult::Outcome::kMissing:
      absentWhenRead_ = true;  // there is nothing to lose
      break;
    case FileReadResult::Outcome::kNotRegular:
      NotRead(ShownPath() + " is " + Utf8(result.reason) + " and was not read.");
      break;
    case FileReadResult::Outcome::kUnreadable:
      NotRead(ShownPath() + " could not be read: " + Utf8(result.reason) + ".");
      break;
  }
}

void DataFileKeeper::ControlZFound(std::size_t unreadBytes, std::size_t controlZ) {
  if (unreadBytes == 0) return;
  NotRead(ShownPath() + ": the " + Grouped(unreadBytes) +
          " bytes after the control-Z character at byte " + Grouped(controlZ + 1) +
          " were not read.");
}

std::string_view DataFileKeeper::Read() {
  StartReading();
  FileReadResult result = ReadRegularFile(path_);
  if (result.outcome != FileReadResult::Outcome::kRead) {
    NotReadBecause(result);
    return {};
  }
  bytes_ = std::make_shared<const std::string>(std::move(result.bytes));
  fileBytes_ = bytes_->size();
  stamp_ = result.stamp;
  if (fingerprinted_) KeepForFingerprint(*stamp_, fileBytes_, CheckInPieces(*bytes_));
  text_ = FindDataFileText(*bytes_);
  ControlZFound(text_.unreadBytes, text_.controlZ);
  return text_.text;
}

bool DataFileKeeper::ReadInPieces(const std::function<void(std::string_view)>& onText) {
  StartReading();
  bool beyondHeader = false;
  std::size_t check = 0;
  DataFileTextPieces text([&](std::string_view lines) {
    beyondHeader = beyondHeader || HoldsMoreThanHeader(lines);
    textBytes_ += lines.size();
    onText(lines);
  });
  const FileReadResult result = ReadRegularFileInPieces(path_, [&](std::string_view bytes) {
    fileBytes_ += bytes.size();
    if (fingerprinted_) check = qHashBits(bytes.data(), bytes.size(), check);
    text.Add(bytes);
  });
  if (result.outcome != FileReadResult::Outcome::kRead) {
    fileBytes_ = 0;
    NotReadBecause(result);
    return false;
  }
  text.Finish();
  stamp_ = result.stamp;
  beyondHeader_ = beyondHeader;
  ControlZFound(text.UnreadBytes(), text.ControlZ());
  if (fingerprinted_) KeepForFingerprint(result.stamp, fileBytes_, check);
  return true;
}

void DataFileKeeper::Loaded(std::size_t records, std::uint64_t tableRevision,
                            const SkippedContent& skipped, bool inOwnForm) {
  savedRevision_ = tableRevision;
  holdsTable_ = inOwnForm && textBytes_ == fileBytes_ && unread_.empty() && !skipped.Any();
  if (unread_.empty()) {
    if (records == 0 && (beyondHeader_ ? *beyondHeader_ : HoldsMoreThanHeader(text_.text))) {
      NotRead(ShownPath() + ": no " + records_ + " could be read from its " + Grouped(fileBytes_) +
              " bytes (its line ends, its encoding or its keys are not those of a " + records_ +
              " file).");
    } else if (skipped.Any()) {
      NotRead(ShownPath() + ": " + Describe(skipped, records_) + " could not be read.");
    }
  }
  // The file's whole buffer would be as much memory again as the table for as long as the window
  // is open.
  bytes_.reset();
  text_ = DataFileText{};
}

std::optional<std::string> DataFileKeeper::CheckUnchanged(bool& changed, bool& same) const {
  changed = false;
  same = false;
  if (!stamp_ && !absentWhenRead_) return std::nullopt;
  const PathState now = StatPath(path_);
  if (now.kind == PathState::Kind::kUnknown) {
    return ShownPath() + ": Larkspin could not check that no other program changed it (" +
           Utf8(now.reason) + "), so it was not written over.";
  }
  // Only another version of the file is kept; a folder or the like in its place makes the save
  // fail and be told, and nothing at all is simply written.
  // A file where there was none was made by another program.
  changed = now.kind == PathState::Kind::kRegular && (!stamp_ || !(now.stamp == *stamp_));
  same = now.kind == PathState::Kind::kRegular && stamp_ && now.stamp == *stamp_;
  return std::nullopt;
}

std::optional<std::string> DataFileKeeper::Write(
    std::uint64_t tableRevision, const std::function<bool(const ByteSink&)>& produce) {
  notice_.clear();
  replaced_ = false;
  QString movedTo;      // where what stood at the path went, when it was moved rather than copied
  QString outsideCopy;  // where another program's version of the file was copied
  if (!unread_.empty()) {
    if (tableRevision == savedRevision_) return std::nullopt;  // nothing new to keep
    if (!keptAside_) {
      QString kept = keptPath_;
      if (kept.isEmpty() || QFileInfo::exists(kept) || QFileInfo(kept).isSymLink()) {
        kept = FreeKeptName(path_);
      }
      QString error;
      bool moved = false;
      if (!KeepFileAside(path_, kept, &error, &moved)) {
        return ShownPath() + ": it could not be kept as " + Utf8(QFileInfo(kept).fileName()) +
               " (" + Utf8(error) + "), so it was not written over.";
      }
      if (moved) movedTo = kept;
      keptAside_ = true;
    }
  } else {
    // No file and no change: the table is still the nothing the missing file stood for.
    if (missing_ == Missing::kLeave && absentWhenRead_ && tableRevision == savedRevision_) {
      return std::nullopt;
    }
    bool changed = false;
    bool same = false;
    if (auto failure = CheckUnchanged(changed, same)) return failure;
    if (changed) {
      // The other program's version is newer than anything of this window's but its changes.
      if (tableRevision == savedRevision_) return std::nullopt;
      outsideCopy = FreeKeptName(path_, kChangedOutsideSuffix);
      QString error;
      bool moved = false;
      if (!KeepFileAside(path_, outsideCopy, &error, &moved)) {
        return ShownPath() + ": another program changed it, and that version could not be kept " +
               "as " + Utf8(QFileInfo(outsideCopy).fileName()) + " (" + Utf8(error) +
               "), so it was not written over.";
      }
      if (moved) movedTo = outsideCopy;
    } else if (same && tableRevision == savedRevision_ && HoldsAlready(produce)) {
      return std::nullopt;  // writing it again would change nothing but its time
    }
  }
  QString error;
  FileStamp written;
  const bool saved = WriteFileAtomically(path_, produce, &error, &written);
  const PathState now = saved ? PathState{} : StatPath(path_);
  // A failure after the rename leaves the new file in place: it is this window's own.
  const bool replaced = saved || (now.kind == PathState::Kind::kRegular && now.stamp == written);
  replaced_ = replaced;
  if (replaced) {
    stamp_ = written;
    absentWhenRead_ = false;
    if (!outsideCopy.isEmpty()) {
      notice_ = ShownPath() + " was changed by another program while Larkspin was open. That " +
                "version is kept as " + Utf8(QFileInfo(outsideCopy).fileName()) +
                " beside it, and " + Utf8(QFileInfo(path_).fileName()) + " now holds the " +
                records_ + "s shown in Larkspin.";
    }
  } else if (!outsideCopy.isEmpty() && movedTo.isEmpty()) {
    QFile::remove(outsideCopy);  // the other program's version is still in its place
  }
  // What was moved aside goes back while its place is free, so it is found where it was.
  if (!saved && !movedTo.isEmpty() && now.kind == PathState::Kind::kMissing &&
      MoveFile(movedTo, path_)) {
    keptAside_ = false;
  }
  holdsTable_ = saved;
  if (!saved) return EndSentence(ShownPath() + ": " + Utf8(error));
  savedRevision_ = tableRevision;
  unread_.clear();  // the file now holds the whole table
  return std::nullopt;
}

}  // namespace larkspin
