#include "CompanionWindow.h"

#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

#include "WindowPlacement.h"

namespace larkspin {

namespace {

// The items of these menus, and of the menus under them, that have a key.
void AddKeyedItems(QWidget& window, const QList<QAction*>& items) {
  for (QAction* item : items) {
    if (QMenu* menu = item->menu()) {
      AddKeyedItems(window, menu->actions());
    } else if (!item->shortcuts().isEmpty()) {
      window.addAction(item);
    }
  }
}

}  // namespace

CompanionWindow::CompanionWindow(const QString& title, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint) {
  setWindowTitle(title);
  setModal(false);
  setSizeGripEnabled(true);
  // The main window's own items: a key does here what it does there, and is off when they are.
  if (mainWindow) {
    for (const QMenuBar* bar : mainWindow->findChildren<QMenuBar*>(Qt::FindDirectChildrenOnly))
      AddKeyedItems(*this, bar->actions());
  }
}

void CompanionWindow::ShowInFront() {
  BringToFront(*this);
}

void CompanionWindow::OpenAt(QSize preferred) {
  resize(preferred.expandedTo(minimumSizeHint()));
  const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
  if (screen) {
    QRect frame(QPoint(), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  KeepOnScreen(*this);
}

void CompanionWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  // Once the window manager has framed the window, its title bar is known.
  QTimer::singleShot(0, this, [this] { KeepOnScreen(*this); });
}

}  // namespace larkspin
