#pragma once

#include <QString>

namespace larkspin {

// The order of the course selector's list: names compared without regard to letter case, by the
// collator, so "oak Hills" stands between "Birch" and "Pine" and accents sort with their letters.
// Equal names keep the order they came in.
bool IsBeforeInCourseList(const QString& a, const QString& b);

}  // namespace larkspin
