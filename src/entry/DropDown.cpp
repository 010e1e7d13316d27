#include "entry/DropDown.h"

#include <QCollator>
#include <algorithm>
#include <numeric>

namespace larkspin {

namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const QCollator& CaseBlindCollator() {
  static const QCollator collator = [] {
    QCollator c;
    c.setCaseSensitivity(Qt::CaseInsensitive);
    return c;
  }();
  return collator;
}

}  // namespace

DropDown::DropDown(Order order, const std::vector<std::string>& entries) : order_(order) {
  AddEntries(entries);
}

void DropDown::Show(std::string_view text) {
  if (!text.empty()) {
    const QString wanted = ToQString(text);
    for (std::size_t i = 0; i < shownEntries_.size(); ++i) {
      if (shownEntries_[i].startsWith(wanted, Qt::CaseInsensitive)) {
        selected_ = static_cast<int>(i);
        text_ = entries_[i];
        return;
      }
    }
  }
  text_ = text;
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
  return CaseBlindCollator().compare(a, b) < 0;
}

int DropDown::AddEntry(std::string_view entry) {
  QString shown = ToQString(entry);
  auto position = shownEntries_.end();
  if (order_ == Order::kAlphabetical) {
    position = std::upper_bound(
        shownEntries_.begin(), shownEntries_.end(), shown,
        [this](const QString& a, const QString& b) { return IsAlphabeticallyBefore(a, b); });
  }
  const auto index = static_cast<int>(position - shownEntries_.begin());
  shownEntries_.insert(position, std::move(shown));
  entries_.insert(entries_.begin() + index, std::string(entry));
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
    shownEntries_.push_back(ToQString(entry));
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
