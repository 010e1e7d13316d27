#pragma once

#include <QObject>
#include <QPointer>
#include <map>

class QWindow;

namespace larkspin {

// Lets a key act only in the window it went down in. While a key is held, the display repeats it
// (a release and a press with the same time stamp, every few tens of milliseconds). When the
// window it went down in closes under it (Escape or Enter in the wizard), the repeats land in
// the window below, which would take them for keys of its own: an Escape or an Enter meant for
// the wizard would close the main window. Installed on the application, the filter drops every
// repeat and every release of a key in a window other than the one the key went down in, and in
// a window that a dialog has covered since. Keys sent straight to a widget, as tests do, pass.
class StrayKeyFilter final : public QObject {
  Q_OBJECT

 public:
  explicit StrayKeyFilter(QObject* parent = nullptr);

  bool eventFilter(QObject* receiver, QEvent* event) override;

 private:
  std::map<int, QPointer<QWindow>> wentDownIn_;  // by key
  int lastReleasedKey_ = 0;
  quint64 lastReleaseTime_ = 0;
};

}  // namespace larkspin
