#include "DataFileKeeper.h"

#include <QDir>
#include <QFileInfo>
#include <cstddef>

#include "RoundFile.h"

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

}  // namespace

DataFileKeeper::DataFileKeeper(QString path, std::string records)
    : path_(std::move(path)), records_(std::move(records)) {}

std::string DataFileKeeper::ShownPath() const {
  return Utf8(QDir::toNativeSeparators(QFileInfo(path_).absoluteFilePath()));
}

void DataFileKeeper::NotRead(const std::string& what) {
  keptPath_ = FreeKeptName(path_);
  unread_ = what + " It is left as it is; if the " + records_ +
            "s are changed, it is first kept as " + Utf8(QFileInfo(keptPath_).fileName()) +
            " beside it.";
}

std::string_view DataFileKeeper::Read() {
  unread_.clear();
  keptAside_ = false;
  bytes_.clear();
  text_ = DataFileText{};
  CreateFileIfMissing(path_);
  FileReadResult result = ReadRegularFile(path_);
  switch (result.outcome) {
    case FileReadResult::Outcome::kRead:
      bytes_ = std::move(result.bytes);
      text_ = FindDataFileText(bytes_);
      if (text_.unreadBytes > 0) {
        NotRead(ShownPath() + ": the " + Grouped(text_.unreadBytes) +
                " bytes after the control-Z character at byte " + Grouped(text_.controlZ + 1) +
                " were not read.");
      }
      break;
    case FileReadResult::Outcome::kMissing:
      break;  // not even an empty one could be made: there is nothing to lose
    case FileReadResult::Outcome::kNotRegular:
      NotRead(ShownPath() + " is " + Utf8(result.reason) + " and was not read.");
      break;
    case FileReadResult::Outcome::kUnreadable:
      NotRead(ShownPath() + " could not be read: " + Utf8(result.reason) + ".");
      break;
  }
  return text_.text;
}

void DataFileKeeper::Loaded(std::size_t records, std::uint64_t tableRevision) {
  loadedRevision_ = tableRevision;
  if (records == 0 && unread_.empty() && HoldsMoreThanHeader(text_.text)) {
    NotRead(ShownPath() + ": no " + records_ + " could be read from its " + Grouped(bytes_.size()) +
            " bytes (its line ends, its encoding or its keys are not those of a " + records_ +
            " file).");
  }
  // Assigning an empty string would keep the file's whole buffer (libstdc++ keeps the capacity
  // when the new text is short), as much memory again as the table for as long as the window
  // is open.
  std::string().swap(bytes_);
  text_ = DataFileText{};
}

std::optional<std::string> DataFileKeeper::Write(
    std::uint64_t tableRevision, const std::function<bool(const ByteSink&)>& produce) {
  if (!unread_.empty()) {
    if (tableRevision == loadedRevision_) return std::nullopt;  // nothing new to keep
    if (!keptAside_) {
      QString kept = keptPath_;
      if (kept.isEmpty() || QFileInfo::exists(kept) || QFileInfo(kept).isSymLink()) {
        kept = FreeKeptName(path_);
      }
      QString error;
      if (!KeepFileAside(path_, kept, &error)) {
        return ShownPath() + ": it could not be kept as " + Utf8(QFileInfo(kept).fileName()) +
               " (" + Utf8(error) + "), so it was not written over.";
      }
      keptAside_ = true;
    }
  }
  QString error;
  if (!WriteFileAtomically(path_, produce, &error)) return ShownPath() + ": " + Utf8(error);
  unread_.clear();  // the file now holds the whole table
  return std::nullopt;
}

}  // namespace larkspin
