#include "FigureWidths.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <cmath>
#include <vector>

namespace larkspin {

namespace {

constexpr std::string_view kSigns = "+-./:";

bool IsFigureText(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if ((c < '0' || c > '9') && kSigns.find(c) == std::string_view::npos) return false;
  }
  return true;
}

// Whether every digit is as wide as every other, and every pair of figures stands as wide
// together as apart: then only a text's shape decides its width.
bool FiguresAreUniform(const QFont& font) {
  const QFontMetricsF metrics(font);
  const qreal digit = metrics.horizontalAdvance(QLatin1Char('0'));
  for (char c = '1'; c <= '9'; ++c) {
    if (metrics.horizontalAdvance(QLatin1Char(c)) != digit) return false;
  }
  // Every ordered pair of figures once, side by side in one text (a de Bruijn sequence: each
  // figure, then each pair of it and a later one, wrapping round to the first figure at the end):
  // kerning of any pair shows in the text's width.
  const std::string alphabet = std::string("0123456789") + std::string(kSigns);
  std::vector<qreal> advance;
  for (const char figure : alphabet)
    advance.push_back(metrics.horizontalAdvance(QLatin1Char(figure)));
  QString pairs;
  qreal apart = 0;
  const auto add = [&](std::size_t figure) {
    pairs += QLatin1Char(alphabet[figure]);
    apart += advance[figure];
  };
  for (std::size_t first = 0; first < alphabet.size(); ++first) {
    add(first);
    for (std::size_t second = first + 1; second < alphabet.size(); ++second) {
      add(first);
      add(second);
    }
  }
  add(0);
  // Advances are whole 64ths of a pixel: any kerning is at least one of them.
  return std::abs(metrics.horizontalAdvance(pairs) - apart) < 1.0 / 128;
}

}  // namespace

FigureWidths::FigureWidths(const QFont& font) : font_(font), uniform_(FiguresAreUniform(font)) {}

bool FigureShape(std::string_view text, std::string& shape) {
  if (!IsFigureText(text)) return false;
  shape.assign(text);
  for (char& c : shape) {
    if (c >= '0' && c <= '9') c = '0';
  }
  return true;
}

std::optional<int> FigureWidths::Width(std::string_view text) {
  std::string shape;
  if (!uniform_ || !FigureShape(text, shape)) return std::nullopt;
  const auto known = widthOfShape_.find(shape);
  if (known != widthOfShape_.end()) return known->second;
  const int width = QFontMetrics(font_).horizontalAdvance(QString::fromLatin1(shape));
  widthOfShape_.emplace(std::move(shape), width);
  return width;
}

}  // namespace larkspin
