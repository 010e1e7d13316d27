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

}  // namespace larkspin
