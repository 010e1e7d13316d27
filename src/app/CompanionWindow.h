#pragma once

#include <QDialog>
#include <QSize>

namespace larkspin {

// A window of its own beside the main window, which it never blocks ("Trends" and those after
// it): a dialog to assistive technology, so a screen reader announces it as a window by its
// title; a title bar that minimises and maximises it; Esc or the close box hide it, and it keeps
// what it showed for the next opening. The main window's keys (Ctrl+Z, Ctrl+T, Ctrl+H…) work in
// it as they do there.
class CompanionWindow : public QDialog {
  Q_OBJECT

 public:
  CompanionWindow(const QString& title, QWidget* mainWindow);

  // Shows the window, brought back if minimised, in front of the others.
  void ShowInFront();

 protected:
  // Opens at `preferred` size, as far as the main window's screen allows with the window's frame,
  // in the middle of that screen.
  void OpenAt(QSize preferred);

  void showEvent(QShowEvent* event) override;

 private:
  bool shown_ = false;
};

}  // namespace larkspin
