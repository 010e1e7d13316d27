#pragma once

class QSettings;
class QWidget;

namespace larkspin {

// Where a window stands, kept between runs in the user's settings, and never where the user
// cannot reach it.

// Puts the window where `settings` last saw it, or in the middle of its screen when there are
// none or they hold nothing; either way wholly on a screen (see KeepOnScreen).
void RestorePlacement(QWidget& window, const QSettings* settings);
void SavePlacement(const QWidget& window, QSettings& settings);

// Moves the window, and shrinks it when it is larger than the screen allows, so that its frame,
// title bar included, lies within the available area of the screen it is mostly on. Before the
// window is shown its frame is not known yet: a title bar of the style's height is assumed.
void KeepOnScreen(QWidget& window);

// Shows the window, brought back if minimised, in front of the others and active; and a box or
// dialog open over the windows, which waits for an answer, in front of it.
void BringToFront(QWidget& window);

}  // namespace larkspin
