#include "DropDown.h"

#include <algorithm>
#include <numeric>

#include "CourseNameOrder.h"

namespace larkspin {

namespace {

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithAsciiCaseBlind(std::string_view entry, std::string_view prefix) {
  if (entry.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (AsciiLower(entry[i]) != AsciiLower(prefix[i])) return false;
  }
  return true;
}

}  // namespace

DropDown::DropDown(Order order, const std::vector<std::string>& entries) : order_(order) {
  AddEntries(entries);
}

void DropDown::Show(std::string_view text) {
  if (const int entry = Match(text); entry >= 0) {
    selected_ = entry;
    text_ = entries_[entry];
    return;
  }
  text_ = text;
}

int DropDown::Match(std::string_view text) const {
  if (text.empty()) return -1;
  // Reports show the form once per round, so the usual case, ASCII against ASCII, skips Qt.
  // Anything else goes through Qt's case folding, which also matches, say, the Kelvin sign to k.
  const bool asciiText = IsAscii(text);
  QString wanted;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (asciiText && asciiEntries_[i]) {
      if (StartsWithAsciiCaseBlind(entries_[i], text)) return static_cast<int>(i);
      continue;
    }
    if (wanted.isNull()) wanted = QString::fromUtf8(text);
    if (shownEntries_[i].startsWith(wanted, Qt::CaseInsensitive)) return static_cast<int>(i);
  }
  return -1;
}

void DropDown::Pick(int index) {
  if (index < 0 || index >= static_cast<int>(entries_.size())) {
    selected_ = -1;
    return;
  }
  selected_ = index;
  text_ = entries_[index];
}

bool DropDown::IsAlphabeticallyBefore(const QString& a, const QString& b) const {
  return IsBeforeInCourseList(a, b);
}

int DropDown::AddEntry(std::string_view entry) {
  QString shown = QString::fromUtf8(entry);
  auto position = shownEntries_.end();
  if (order_ == Order::kAlphabetical) {
    position = std::upper_bound(
        shownEntries_.begin(), shownEntries_.end(), shown,
        [this](const QString& a, const QString& b) { return IsAlphabeticallyBefore(a, b); });
  }
  const auto index = static_cast<int>(position - shownEntries_.begin());
  shownEntries_.insert(position, std::move(shown));
  entries_.insert(entries_.begin() + index, std::string(entry));
  asciiEntries_.insert(asciiEntries_.begin() + index, IsAscii(entry));
  if (selected_ >= index) ++selected_;
  ++revision_;
  return index;
}

void DropDown::AddEntries(const std::vector<std::string>& entries) {
  if (entries.empty()) return;
  const std::string selectedEntry = selected_ >= 0 ? entries_[selected_] : std::string();
  const int selectedOccurrence =
      selected_ >= 0 ? static_cast<int>(std::count(entries_.begin(), entries_.begin() + selected_,
                                                   selectedEntry))
                     : -1;
  entries_.insert(entries_.end(), entries.begin(), entries.end());
  for (const auto& entry : entries)
    shownEntries_.push_back(QString::fromUtf8(entry));
  if (order_ == Order::kAlphabetical) {
    // One sort for the lot. (Collator sort keys would be quicker, but in the C locale they heed
    // letter case.)
    std::vector<std::size_t> order(entries_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
      return IsAlphabeticallyBefore(shownEntries_[a], shownEntries_[b]);
    });
    std::vector<std::string> sortedEntries;
    std::vector<QString> sortedShown;
    sortedEntries.reserve(order.size());
    sortedShown.reserve(order.size());
    for (const auto index : order) {
      sortedEntries.push_back(std::move(entries_[index]));
      sortedShown.push_back(std::move(shownEntries_[index]));
    }
    entries_ = std::move(sortedEntries);
    shownEntries_ = std::move(sortedShown);
  }
  asciiEntries_.clear();
  for (const auto& entry : entries_)
    asciiEntries_.push_back(IsAscii(entry));
  if (selectedOccurrence >= 0) {
    // The selection stays with its entry: the same occurrence of the same text.
    int seen = -1;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (entries_[i] == selectedEntry && ++seen == selectedOccurrence) {
        selected_ = static_cast<int>(i);
        break;
      }
    }
  }
  ++revision_;
}

void DropDown::RemoveEntry(int index) {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return;
  entries_.erase(entries_.begin() + index);
  shownEntries_.erase(shownEntries_.begin() + index);
  asciiEntries_.erase(asciiEntries_.begin() + index);
  if (selected_ == index) {
    selected_ = -1;
  } else if (selected_ > index) {
    --selected_;
  }
  ++revision_;
}

int DropDown::FindExact(std::string_view text) const {
  const auto it = std::find(entries_.begin(), entries_.end(), text);
  return it == entries_.end() ? -1 : static_cast<int>(it - entries_.begin());
}

}  // namespace larkspin
