#include "SystemClock.h"

#include <QDateTime>

namespace larkspin {

QDate SystemClock::Today() const {
  const qint64 now = QDateTime::currentMSecsSinceEpoch();
  if (now < dayStart_ || now >= dayEnd_) {
    today_ = QDateTime::fromMSecsSinceEpoch(now).date();
    dayStart_ = today_.startOfDay().toMSecsSinceEpoch();
    dayEnd_ = today_.addDays(1).startOfDay().toMSecsSinceEpoch();
  }
  return today_;
}

}  // namespace larkspin
