#pragma once

#include <QFont>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace larkspin {

// Writes into `shape` the text with every digit made "0", when it is made of figures alone.
bool FigureShape(std::string_view text, std::string& shape);

// Widths of texts made of figures: dates, strokes, yards. In a font whose digits are all as wide
// and are kerned neither against each other nor against the signs between them, as in nearly
// every font, such a text is exactly as wide as any other of its shape ("2023-05-17" as
// "0000-00-00"), so a list of thousands of dates is measured once, not thousands of times. The
// font is tried for that once; where it does not hold, every text is measured as it is.
class FigureWidths {
 public:
  explicit FigureWidths(const QFont& font);

  const QFont& Font() const { return font_; }
  // Whether the font measures every text of figures as its shape.
  bool Uniform() const { return uniform_; }
  // The width of `text` as QFontMetrics measures it, when it is made of figures and the font
  // allows; none otherwise.
  std::optional<int> Width(std::string_view text);

 private:
  QFont font_;
  bool uniform_ = false;
  std::unordered_map<std::string, int> widthOfShape_;
};

}  // namespace larkspin
