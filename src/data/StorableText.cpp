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

void MakeStorable(RoundRecord& record) {
  for (std::string& cell : record)
    cell = StorableText(cell);
}

}  // namespace larkspin
