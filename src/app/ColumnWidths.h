#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "RoundTable.h"

namespace larkspin {

// How wide a column must be to show a text or a heading; the window measures with its font.
class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  virtual int TextWidth(std::string_view utf8) const = 0;
  virtual int HeadingWidth(int column) const = 0;
  // Whether every text of figures is as wide as its shape ("2023-05-17" as "0000-00-00").
  virtual bool FiguresAlike() const { return false; }
};

// Keeps, for every column of a round table, how many cells need each width, so the widest cell
// is known at once after any change: an added, changed or removed row costs 74 cached
// measurements, whatever the size of the table.
class ColumnWidthTracker final : public RoundTableObserver {
 public:
  ColumnWidthTracker(const RoundTable& table, const TextMeasure& measure);
  ~ColumnWidthTracker() override;
  ColumnWidthTracker(const ColumnWidthTracker&) = delete;
  ColumnWidthTracker& operator=(const ColumnWidthTracker&) = delete;

  // Widest cell of the column, 0 when the table is empty.
  int WidestCell(int column) const;
  // The larger of the widest cell and the heading.
  int FittedWidth(int column) const;

  void RowsInserted(int first, int last) override;
  void RowAboutToBeRemoved(int row) override;
  void RowsAboutToBeRemoved(const std::vector<int>& rows) override;
  void RowAboutToChange(int row) override;
  void RowChanged(int row) override;

 private:
  struct Column {
    std::vector<int> countOfWidth;    // widths below kDirectWidths, indexed by width, as far as
                                      // the widest counted
    std::map<int, int> countOfWider;  // the rare wider ones
    int widest = 0;
  };
  static constexpr int kDirectWidths = 2048;

  int CellWidth(std::string_view text);
  void Count(Column& column, int width, int delta);
  void CountRow(int row, int delta);

  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>{}(text);
    }
  };

  const RoundTable& table_;
  const TextMeasure& measure_;
  std::vector<Column> columns_;
  // Most cells are a few bytes ("4", "250", "7I"): those go under their bytes as a number, in an
  // open-addressing table, as a table of 100,000 rounds looks up 7.4 million of them.
  class ShortTextMap {
   public:
    ShortTextMap() : keys_(kInitialSlots, kNoKey), values_(kInitialSlots, 0) {}
    // The value under `key`, or nullptr.
    const int* Find(std::uint64_t key) const;
    // The value under `key`, made 0 when there was none.
    int& operator[](std::uint64_t key);
    template <typename Visit>
    void ForEach(Visit visit) const {
      for (std::size_t slot = 0; slot < keys_.size(); ++slot) {
        if (keys_[slot] != kNoKey) visit(keys_[slot], values_[slot]);
      }
    }

   private:
    static constexpr std::uint64_t kNoKey = ~std::uint64_t{0};  // no text packs to this
    static constexpr std::size_t kInitialSlots = 64;
    std::size_t SlotOf(std::uint64_t key) const;
    void Grow();

    std::vector<std::uint64_t> keys_;
    std::vector<int> values_;
    std::size_t used_ = 0;
  };
  static constexpr std::size_t kShortText = sizeof(std::uint64_t) - 1;
  static std::uint64_t ShortTextKey(std::string_view text);
  int ShortTextWidth(std::uint64_t key);
  int MeasuredShortText(std::uint64_t key);
  void CountRows(int first, int last);
  bool FiguresAlike();

  ShortTextMap shortTextWidths_;
  // Where figures measure alike, a text of figures is measured once for its shape: a thousand
  // dates are measured as one and kept as one, and "250" takes the width of "000".
  std::unordered_map<std::string, int, TextHash, std::equal_to<>> longTextWidths_;
  std::string shape_;
  enum class Figures { kUnasked, kAlike, kApart };
  Figures figures_ = Figures::kUnasked;  // the measure is asked once: widths are kept for good
};

}  // namespace larkspin
