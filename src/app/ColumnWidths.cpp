#include "ColumnWidths.h"

#include <algorithm>
#include <array>

#include "FigureWidths.h"

namespace larkspin {

ColumnWidthTracker::ColumnWidthTracker(const RoundTable& table, const TextMeasure& measure)
    : table_(table), measure_(measure), columns_(kRoundColumns) {
  table_.AddObserver(this);
  if (table_.RowCount() > 0) RowsInserted(0, table_.RowCount() - 1);
}

ColumnWidthTracker::~ColumnWidthTracker() {
  table_.RemoveObserver(this);
}

int ColumnWidthTracker::WidestCell(int column) const {
  if (column < 0 || column >= kRoundColumns) return 0;
  return columns_[column].widest;
}

int ColumnWidthTracker::FittedWidth(int column) const {
  return std::max(WidestCell(column), measure_.HeadingWidth(column));
}

inline std::size_t ColumnWidthTracker::ShortTextMap::SlotOf(std::uint64_t key) const {
  // Fibonacci hashing: the multiplier spreads the few distinct short texts over the table.
  const std::size_t mask = keys_.size() - 1;
  return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & mask;
}

const int* ColumnWidthTracker::ShortTextMap::Find(std::uint64_t key) const {
  const std::size_t mask = keys_.size() - 1;
  for (std::size_t slot = SlotOf(key);; slot = (slot + 1) & mask) {
    if (keys_[slot] == key) return &values_[slot];
    if (keys_[slot] == kNoKey) return nullptr;
  }
}

inline int& ColumnWidthTracker::ShortTextMap::operator[](std::uint64_t key) {
  for (;;) {
    const std::size_t mask = keys_.size() - 1;
    std::size_t slot = SlotOf(key);
    for (; keys_[slot] != kNoKey; slot = (slot + 1) & mask) {
      if (keys_[slot] == key) return values_[slot];
    }
    if (2 * (used_ + 1) <= keys_.size()) {
      keys_[slot] = key;
      values_[slot] = 0;
      ++used_;
      return values_[slot];
    }
    Grow();
  }
}

void ColumnWidthTracker::ShortTextMap::Grow() {
  std::vector<std::uint64_t> oldKeys(2 * keys_.size(), kNoKey);
  std::vector<int> oldValues(2 * values_.size(), 0);
  oldKeys.swap(keys_);
  oldValues.swap(values_);
  used_ = 0;
  for (std::size_t slot = 0; slot < oldKeys.size(); ++slot) {
    if (oldKeys[slot] != kNoKey) (*this)[oldKeys[slot]] = oldValues[slot];
  }
}

inline std::uint64_t ColumnWidthTracker::ShortTextKey(std::string_view text) {
  // The length in the low byte keeps "" apart from "\0".
  std::uint64_t key = text.size();
  for (std::size_t i = 0; i < text.size(); ++i) {
    key |= std::uint64_t{static_cast<unsigned char>(text[i])} << (8 * (i + 1));
  }
  return key;
}

bool ColumnWidthTracker::FiguresAlike() {
  if (figures_ == Figures::kUnasked)
    figures_ = measure_.FiguresAlike() ? Figures::kAlike : Figures::kApart;
  return figures_ == Figures::kAlike;
}

int ColumnWidthTracker::ShortTextWidth(std::uint64_t key) {
  if (const int* width = shortTextWidths_.Find(key)) return *width;
  const int width = MeasuredShortText(key);
  shortTextWidths_[key] = width;
  return width;
}

int ColumnWidthTracker::MeasuredShortText(std::uint64_t key) {
  std::array<char, kShortText> text{};
  const auto length = static_cast<std::size_t>(key & 0xFF);
  for (std::size_t i = 0; i < length; ++i)
    text[i] = static_cast<char>(key >> (8 * (i + 1)));
  const std::string_view view(text.data(), length);
  if (FiguresAlike() && FigureShape(view, shape_)) {
    const std::uint64_t shapeKey = ShortTextKey(shape_);
    if (shapeKey != key) return ShortTextWidth(shapeKey);
  }
  return measure_.TextWidth(view);
}

int ColumnWidthTracker::CellWidth(std::string_view text) {
  if (text.size() <= kShortText) return ShortTextWidth(ShortTextKey(text));
  // A text of figures is kept under its shape alone, measured at the first of that shape.
  const bool figures = FiguresAlike() && FigureShape(text, shape_);
  const std::string_view key = figures ? std::string_view(shape_) : text;
  if (const auto it = longTextWidths_.find(key); it != longTextWidths_.end()) return it->second;
  const int width = measure_.TextWidth(key);
  longTextWidths_.emplace(std::string(key), width);
  return width;
}

void ColumnWidthTracker::Count(Column& column, int width, int delta) {
  width = std::max(width, 0);
  int remaining;
  if (width < kDirectWidths) {
    // As long as the widest width counted: a few hundred, where a table for every width a cell
    // could take would be half a megabyte to clear for each table.
    if (static_cast<std::size_t>(width) >= column.countOfWidth.size()) {
      column.countOfWidth.resize(static_cast<std::size_t>(width) + 1, 0);
    }
    remaining = column.countOfWidth[width] += delta;
  } else {
    remaining = column.countOfWider[width] += delta;
    if (remaining == 0) column.countOfWider.erase(width);
  }
  if (delta > 0) {
    column.widest = std::max(column.widest, width);
    return;
  }
  if (remaining > 0 || width != column.widest) return;
  // The last cell of the widest width went: look for the next widest.
  if (!column.countOfWider.empty()) {
    column.widest = column.countOfWider.rbegin()->first;
    return;
  }
  int candidate = std::max(0, std::min(width, static_cast<int>(column.countOfWidth.size()) - 1));
  while (candidate > 0 && column.countOfWidth[candidate] == 0)
    --candidate;
  column.widest = candidate;
}

void ColumnWidthTracker::CountRow(int row, int delta) {
  // The row's cells at once: quicker than one by one.
  const RoundCells cells = table_.Cells(row);
  for (int column = 0; column < kRoundColumns; ++column) {
    Count(columns_[column], CellWidth(cells[column]), delta);
  }
}

void ColumnWidthTracker::CountRows(int first, int last) {
  // Each column's short texts are counted under their bytes first and each distinct one then
  // counted under its width at once: a file of a thousand rounds holds a few dozen of them. Half
  // the cells are one byte (strokes, putts): those are counted in a plain table.
  std::vector<std::array<int, 256>> oneByteTexts(kRoundColumns);
  std::vector<ShortTextMap> shortTexts(kRoundColumns);
  const auto count = [this, &oneByteTexts, &shortTexts](int column, std::string_view text) {
    if (text.size() == 1) {
      ++oneByteTexts[column][static_cast<unsigned char>(text[0])];
    } else if (text.size() <= kShortText) {
      ++shortTexts[column][ShortTextKey(text)];
    } else {
      Count(columns_[column], CellWidth(text), +1);
    }
  };
  for (int row = first; row <= last; ++row)
    table_.StoredRow(row).ForEachCell(count);
  for (int column = 0; column < kRoundColumns; ++column) {
    for (std::size_t byte = 0; byte < 256; ++byte) {
      if (const int cells = oneByteTexts[column][byte]) {
        const char text = static_cast<char>(byte);
        Count(columns_[column], ShortTextWidth(ShortTextKey({&text, 1})), cells);
      }
    }
    shortTexts[column].ForEach([this, column](std::uint64_t key, int cells) {
      Count(columns_[column], ShortTextWidth(key), cells);
    });
  }
}

void ColumnWidthTracker::RowsInserted(int first, int last) {
  if (last - first >= 64) {
    CountRows(first, last);
    return;
  }
  for (int row = first; row <= last; ++row)
    CountRow(row, +1);
}

void ColumnWidthTracker::RowAboutToBeRemoved(int row) {
  CountRow(row, -1);
}

void ColumnWidthTracker::RowsAboutToBeRemoved(const std::vector<int>& rows) {
  for (const int row : rows)
    CountRow(row, -1);
}

void ColumnWidthTracker::RowAboutToChange(int row) {
  CountRow(row, -1);
}

void ColumnWidthTracker::RowChanged(int row) {
  CountRow(row, +1);
}

}  // namespace larkspin
