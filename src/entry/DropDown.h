#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "CourseNameList.h"

namespace larkspin {

// An editable drop-down box as the program sees it: a list of entries, the selected entry (or
// none) and the text the box shows. The widget on screen mirrors this state; it decides nothing.
class DropDown {
 public:
  using Order = CourseNameList::Order;

  explicit DropDown(Order order = Order::kFixed) : entries_(order) {}
  DropDown(Order order, const std::vector<std::string>& entries);

  const std::vector<std::string>& Entries() const { return entries_.Names(); }
  int Selected() const { return selected_; }
  const std::string& Text() const { return text_; }
  // Changes whenever the list of entries changes.
  std::uint64_t ListRevision() const { return revision_; }

  // Shows a text: the first entry that begins with it, compared without regard to case, becomes
  // the selected entry and is shown in full. When none does, and always for the empty text, the
  // text itself is shown and the selection stays as it was.
  void Show(std::string_view text);
  // The entry showing `text` would select: the first that begins with it, compared without regard
  // to case; -1 for the empty text or when none does. Changes nothing.
  int Match(std::string_view text) const;

  // The user typed into the box: the text changes, the selection does not.
  void Type(std::string_view text) { text_ = text; }
  // The user picked an entry in the list (-1: none).
  void Pick(int index);

  // Adds an entry: at the end of a fixed list, in alphabetical order without regard to case in an
  // alphabetical one (after entries that compare equal). The selection stays with its entry.
  int AddEntry(std::string_view entry);
  // Adds many entries at once; much faster than one by one for a long list.
  void AddEntries(const std::vector<std::string>& entries);
  // The selection stays with its entry; removing the selected entry leaves none selected.
  void RemoveEntry(int index);
  // The first entry equal to the text byte for byte, or -1.
  int FindExact(std::string_view text) const;

 private:
  CourseNameList entries_;
  std::vector<bool> asciiEntries_;  // entries of plain ASCII, compared without Qt
  int selected_ = -1;
  std::string text_;
  std::uint64_t revision_ = 0;
};

}  // namespace larkspin
