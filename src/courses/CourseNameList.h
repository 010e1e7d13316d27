#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace larkspin {

// The names of a drop-down list, in the order it shows them: in the order they came (a fixed
// list), or in the course selector's order (see IsBeforeInCourseList).
class CourseNameList {
 public:
  enum class Order { kFixed, kAlphabetical };

  explicit CourseNameList(Order order = Order::kAlphabetical) : order_(order) {}

  const std::vector<std::string>& Names() const { return names_; }
  // The names as Qt text, for comparing without regard to case.
  const std::vector<QString>& ShownNames() const { return shown_; }
  int Count() const { return static_cast<int>(names_.size()); }

  // Where the name goes: the end of a fixed list, after the names it does not sort before in an
  // alphabetical one. Its index.
  int Add(std::string_view name);
  // Many names at once; much faster than one by one for a long list, with the same result.
  void AddMany(const std::vector<std::string>& names);
  // Nothing for an index outside the list.
  void RemoveAt(int index);
  // The first name equal to the text byte for byte, or -1.
  int FindExact(std::string_view name) const;

 private:
  Order order_;
  std::vector<std::string> names_;
  std::vector<QString> shown_;
};

}  // namespace larkspin
