#include "WindowPlacement.h"

#include <QApplication>
#include <QMargins>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace larkspin {

namespace {

const QString kGeometryKey = QStringLiteral("MainWindow/geometry");

QMargins FrameMargins(const QWidget& window) {
  const QRect frame = window.frameGeometry();
  const QRect client = window.geometry();
  if (window.isVisible() && frame != client) {
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
  }
  if (window.isVisible()) return {};  // shown without a frame: no window manager draws one
  const int border = window.style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
  return {border, window.style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border, border};
}

QScreen* ScreenOf(const QWidget& window) {
  if (QScreen* screen = QGuiApplication::screenAt(window.frameGeometry().center())) return screen;
  if (QScreen* screen = window.screen()) return screen;
  return QGuiApplication::primaryScreen();
}

}  // namespace

void KeepOnScreen(QWidget& window) {
  const QScreen* screen = ScreenOf(window);
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  const QMargins margins = FrameMargins(window);
  const QSize room = area.size().shrunkBy(margins);
  const QSize size = window.size().boundedTo(room).expandedTo(window.minimumSize());
  if (size != window.size()) window.resize(size);
  const QSize frame = size.grownBy(margins);
  // A frame larger than the screen keeps its top left corner, where the title bar starts, on it.
  const QPoint wanted = window.frameGeometry().topLeft();
  const int x = std::max(area.left(), std::min(wanted.x(), area.right() + 1 - frame.width()));
  const int y = std::max(area.top(), std::min(wanted.y(), area.bottom() + 1 - frame.height()));
  if (QPoint(x, y) != wanted) window.move(x, y);
}

void BringToFront(QWidget& window) {
  window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.show();
  window.raise();
  window.activateWindow();
  // The main window runs as a modal dialog itself: only one over it counts, never the main
  // window behind a window of its own.
  QWidget* over = QApplication::activeModalWidget();
  for (const QWidget* below = &window; over && below; below = below->parentWidget()) {
    if (below == over) over = nullptr;
  }
  if (over) {
    over->raise();
    over->activateWindow();
  }
}

void RestorePlacement(QWidget& window, const QSettings* settings) {
  if (!settings || !window.restoreGeometry(settings->value(kGeometryKey).toByteArray())) {
    if (const QScreen* screen = ScreenOf(window)) {
      QRect frame(QPoint(), window.size().grownBy(FrameMargins(window)));
      frame.moveCenter(screen->availableGeometry().center());
      window.move(frame.topLeft());
    }
  }
  KeepOnScreen(window);
}

void SavePlacement(const QWidget& window, QSettings& settings) {
  // A window put back where it was leaves the settings file as it is: not written again.
  const QByteArray geometry = window.saveGeometry();
  if (settings.value(kGeometryKey).toByteArray() != geometry) {
    settings.setValue(kGeometryKey, geometry);
  }
}

}  // namespace larkspin
