#include "HtmlText.h"

#include <array>
#include <charconv>

namespace larkspin {

void AppendEscaped(std::string& html, std::string_view text) {
  std::size_t copied = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::string_view reference;
    switch (text[i]) {
      case '&':
        reference = "&amp;";
        break;
      case '<':
        reference = "&lt;";
        break;
      case '>':
        reference = "&gt;";
        break;
      case '"':
        reference = "&quot;";
        break;
      case '\'':
        reference = "&#39;";
        break;
      default:
        continue;
    }
    html.append(text.substr(copied, i - copied));
    html.append(reference);
    copied = i + 1;
  }
  html.append(text.substr(copied));
}

void AppendWholeNumber(std::string& html, std::int64_t number) {
  std::array<char, 24> digits;
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), number);
  html.append(digits.data(), result.ptr);
}

void AppendRealNumber(std::string& html, double number) {
  // printf's "%.2f" would follow the locale the application set (a comma in German).
  std::array<char, 400> digits;
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), number,
                                    std::chars_format::fixed, 2);
  html.append(digits.data(), result.ptr);
}

}  // namespace larkspin
