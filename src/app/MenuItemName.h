#pragma once

#include <QString>

class QAction;
class QMenu;

namespace larkspin {

// Gives a menu item an accessible name of its own: "Export Rounds" for "Export Rounds…". Qt names
// a menu item after its text, so a screen reader would read the dots too.
void NameMenuItem(QMenu* menu, QAction* action, const QString& name);

}  // namespace larkspin
