#include "TextEncoding.h"

#include <QUtf8StringView>
#include <array>

namespace larkspin {

bool IsValidUtf8(std::string_view bytes) {
  return QUtf8StringView(bytes).isValidUtf8();
}

namespace {

// Code points of bytes 0x80 to 0x9F; 0xA0 to 0xFF are the same as Latin-1.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char16_t codePoint) {
  if (codePoint < 0x80) {
    out.push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
}

}  // namespace

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out.push_back(c);
    } else if (byte < 0xA0) {
      AppendUtf8(out, kWindows1252High[byte - 0x80]);
    } else {
      AppendUtf8(out, static_cast<char16_t>(byte));
    }
  }
  return out;
}

std::string_view DecodeFileValue(std::string_view value, std::string& converted) {
  if (IsValidUtf8(value)) return value;
  converted = Windows1252ToUtf8(value);
  return converted;
}

DataFileText FindDataFileText(std::string_view bytes) {
  DataFileText found;
  found.text = bytes;
  if (const auto stop = bytes.find('\x1A'); stop != std::string_view::npos) {
    found.controlZ = stop;
    found.text = bytes.substr(0, stop);
    const std::string_view after = bytes.substr(stop + 1);
    if (after.find_first_not_of('\x1A') != std::string_view::npos) found.unreadBytes = after.size();
  }
  if (found.text.starts_with("\xEF\xBB\xBF")) found.text.remove_prefix(3);  // editors add one
  return found;
}

DataFileTextPieces::DataFileTextPieces(TextSink onText) : onText_(std::move(onText)) {}

void DataFileTextPieces::Hand(std::string_view text) {
  if (!started_) {
    // A byte-order mark holds no line feed, so the first piece holds all of it.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    started_ = true;
  }
  if (!text.empty()) onText_(text);
}

void DataFileTextPieces::Add(std::string_view bytes) {
  const std::size_t offset = added_;
  added_ += bytes.size();
  if (controlZ_ != DataFileText::kNone) {
    notPadding_ = notPadding_ || bytes.find_first_not_of('\x1A') != std::string_view::npos;
    return;
  }
  std::string_view text = bytes;
  if (const auto stop = bytes.find('\x1A'); stop != std::string_view::npos) {
    controlZ_ = offset + stop;
    text = bytes.substr(0, stop);
    notPadding_ = bytes.find_first_not_of('\x1A', stop + 1) != std::string_view::npos;
  }
  if (const auto lastLineFeed = text.rfind('\n'); lastLineFeed != std::string_view::npos) {
    std::string_view lines = text.substr(0, lastLineFeed + 1);
    if (!partial_.empty()) {
      const std::size_t firstLineFeed = lines.find('\n');
      partial_.append(lines.substr(0, firstLineFeed + 1));
      Hand(partial_);
      partial_.clear();
      lines.remove_prefix(firstLineFeed + 1);
    }
    Hand(lines);
    text.remove_prefix(lastLineFeed + 1);
  }
  partial_.append(text);
  if (controlZ_ != DataFileText::kNone) {
    Hand(partial_);  // the control-Z ends the text
    std::string().swap(partial_);
  }
}

void DataFileTextPieces::Finish() {
  if (controlZ_ == DataFileText::kNone) Hand(partial_);
  std::string().swap(partial_);
}

std::size_t DataFileTextPieces::UnreadBytes() const {
  return notPadding_ ? added_ - controlZ_ - 1 : 0;
}

}  // namespace larkspin
