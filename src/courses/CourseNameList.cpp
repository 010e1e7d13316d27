#include "CourseNameList.h"

#include <algorithm>
#include <numeric>

#include "CourseNameOrder.h"

namespace larkspin {

int CourseNameList::Add(std::string_view name) {
  QString shown = QString::fromUtf8(name);
  auto position = shown_.end();
  if (order_ == Order::kAlphabetical) {
    position = std::upper_bound(shown_.begin(), shown_.end(), shown, IsBeforeInCourseList);
  }
  const auto index = static_cast<int>(position - shown_.begin());
  shown_.insert(position, std::move(shown));
  names_.insert(names_.begin() + index, std::string(name));
  return index;
}

void CourseNameList::AddMany(const std::vector<std::string>& names) {
  names_.insert(names_.end(), names.begin(), names.end());
  for (const auto& name : names)
    shown_.push_back(QString::fromUtf8(name));
  if (order_ != Order::kAlphabetical) return;
  // One sort for the lot. (Collator sort keys would be quicker, but in the C locale they heed
  // letter case.)
  std::vector<std::size_t> order(names_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
    return IsBeforeInCourseList(shown_[a], shown_[b]);
  });
  std::vector<std::string> sortedNames;
  std::vector<QString> sortedShown;
  sortedNames.reserve(order.size());
  sortedShown.reserve(order.size());
  for (const auto index : order) {
    sortedNames.push_back(std::move(names_[index]));
    sortedShown.push_back(std::move(shown_[index]));
  }
  names_ = std::move(sortedNames);
  shown_ = std::move(sortedShown);
}

void CourseNameList::RemoveAt(int index) {
  if (index < 0 || index >= Count()) return;
  names_.erase(names_.begin() + index);
  shown_.erase(shown_.begin() + index);
}

int CourseNameList::FindExact(std::string_view name) const {
  const auto it = std::find(names_.begin(), names_.end(), name);
  return it == names_.end() ? -1 : static_cast<int>(it - names_.begin());
}

}  // namespace larkspin
