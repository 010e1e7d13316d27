#include "StorableText.h"

#include "TextEncoding.h"

namespace larkspin {

std::string StorableText(std::string_view text) {
  std::string converted;
  std::string out(DecodeFileValue(text, converted));
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  out.erase(out.find_last_not_of(' ') + 1);
  return out;
}

bool IsStorable(std::string_view text) {
  bool ascii = true;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
    ascii = ascii && byte < 0x80;
  }
  return (text.empty() || text.back() != ' ') && (ascii || IsValidUtf8(text));
}

void MakeStorable(RoundRecord& record) {
  for (std::string& cell : record)
    cell = StorableText(cell);
}

}  // namespace larkspin
