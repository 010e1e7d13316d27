#include "DateText.h"

#include <cstdio>

namespace larkspin {

std::string FormatDateText(QDate day) {
  if (!day.isValid() || day.year() < kFirstDateYear || day.year() > kLastDateYear) return {};
  char text[16];
  std::snprintf(text, sizeof(text), "%d-%02d-%02d", day.year(), day.month(), day.day());
  return text;
}

}  // namespace larkspin
