#include "CompanionWindow.h"

#include <QScreen>
#include <QTimer>

#include "WindowPlacement.h"

namespace larkspin {

CompanionWindow::CompanionWindow(const QString& title, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint) {
  setWindowTitle(title);
  setModal(false);
  setSizeGripEnabled(true);
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
