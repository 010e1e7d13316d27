#include "StrayKeyFilter.h"

#include <QKeyEvent>
#include <QWindow>

namespace larkspin {

StrayKeyFilter::StrayKeyFilter(QObject* parent) : QObject(parent) {}

bool StrayKeyFilter::eventFilter(QObject* receiver, QEvent* event) {
  // What the display sends reaches the window first, and the focused widget through it.
  if (!receiver->isWindowType()) return false;
  auto* window = static_cast<QWindow*>(receiver);
  const QEvent::Type type = event->type();
  if (type == QEvent::WindowBlocked) {
    // A dialog opened over the window: a key held in it goes on in the dialog, or nowhere.
    std::erase_if(wentDownIn_, [window](const auto& down) { return down.second == window; });
    return false;
  }
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;

  const auto* key = static_cast<const QKeyEvent*>(event);
  const auto down = wentDownIn_.find(key->key());
  const bool ownKey = down != wentDownIn_.end() && down->second == window;
  if (type == QEvent::KeyRelease) {
    lastReleasedKey_ = key->key();
    lastReleaseTime_ = key->timestamp();
    return !ownKey;
  }
  // Qt marks a repeat only when its release and press arrive together; one that crosses into
  // another window often arrives apart, and then only the shared time stamp tells.
  const bool repeat = key->isAutoRepeat() ||
                      (key->key() == lastReleasedKey_ && key->timestamp() == lastReleaseTime_);
  if (repeat) return !ownKey;
  wentDownIn_[key->key()] = window;
  return false;
}

}  // namespace larkspin
