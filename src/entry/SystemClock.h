#pragma once

#include <QDate>

#include "Services.h"

namespace larkspin {

// The computer's local clock. A report asks for today's date once per round, so the day is
// worked out once and kept until the clock passes its end (or goes back before its start).
class SystemClock final : public Clock {
 public:
  QDate Today() const override;

 private:
  mutable QDate today_;
  mutable qint64 dayStart_ = 0;  // milliseconds since 1970, UTC
  mutable qint64 dayEnd_ = 0;
};

}  // namespace larkspin
