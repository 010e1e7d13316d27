#include "DropDown.h"

#include <algorithm>
#include <numeric>

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

DropDown::DropDown(Order order, const std::vector<std::string>& entries) : entries_(order) {
  AddEntries(entries);
}

void DropDown::Show(std::string_view text) {
  if (const int entry = Match(text); entry >= 0) {
    selected_ = entry;
    text_ = Entries()[entry];
    return;
  }
  text_ = text;
}

int DropDown::Match(std::string_view text) const {
  if (text.empty()) return -1;
  // Reports show the form once per round, so the usual case, ASCII against ASCII, skips Qt.
  // Anything else goes through Qt's case folding, which also matches, say, the Kelvin sign to k.
  const bool asciiText = IsAscii(text);
  const std::vector<std::string>& entries = Entries();
  QString wanted;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (asciiText && asciiEntries_[i]) {
      if (StartsWithAsciiCaseBlind(entries[i], text)) return static_cast<int>(i);
      continue;
    }
    if (wanted.isNull()) wanted = QString::fromUtf8(text);
    if (entries_.ShownNames()[i].startsWith(wanted, Qt::CaseInsensitive)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

void DropDown::Pick(int index) {
  if (index < 0 || index >= entries_.Count()) {
    selected_ = -1;
    return;
  }
  selected_ = index;
  text_ = Entries()[index];
}

int DropDown::AddEntry(std::string_view entry) {
  const int index = entries_.Add(entry);
  asciiEntries_.insert(asciiEntries_.begin() + index, IsAscii(entry));
  if (selected_ >= index) ++selected_;
  ++revision_;
  return index;
}

void DropDown::AddEntries(const std::vector<std::string>& entries) {
  if (entries.empty()) return;
  const std::vector<std::string>& list = Entries();
  const std::string selectedEntry = selected_ >= 0 ? list[selected_] : std::string();
  const int selectedOccurrence =
      selected_ >= 0
          ? static_cast<int>(std::count(list.begin(), list.begin() + selected_, selectedEntry))
          : -1;
  entries_.AddMany(entries);
  asciiEntries_.clear();
  for (const auto& entry : list)
    asciiEntries_.push_back(IsAscii(entry));
  if (selectedOccurrence >= 0) {
    // The selection stays with its entry: the same occurrence of the same text.
    int seen = -1;
    for (std::size_t i = 0; i < list.size(); ++i) {
      if (list[i] == selectedEntry && ++seen == selectedOccurrence) {
        selected_ = static_cast<int>(i);
        break;
      }
    }
  }
  ++revision_;
}

void DropDown::RemoveEntry(int index) {
  if (index < 0 || index >= entries_.Count()) return;
  entries_.RemoveAt(index);
  asciiEntries_.erase(asciiEntries_.begin() + index);
  if (selected_ == index) {
    selected_ = -1;
  } else if (selected_ > index) {
    --selected_;
  }
  ++revision_;
}

int DropDown::FindExact(std::string_view text) const {
  return entries_.FindExact(text);
}

}  // namespace larkspin
