#pragma once

// Walks the keyboard focus with real Tab presses and checks where it lands at each step.

#include <QApplication>
#include <QComboBox>
#include <QList>
#include <QWidget>
#include <QtTest>

namespace larkspin::testing {

// `expected[0]` must have the focus; each Tab press must then reach the next widget in turn.
inline void VerifyTabOrder(const QList<QWidget*>& expected) {
  for (int i = 1; i < expected.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focus = QApplication::focusWidget();
    // An editable box takes the focus in its line edit.
    if (focus && qobject_cast<QComboBox*>(focus->parentWidget())) focus = focus->parentWidget();
    QVERIFY2(focus == expected[i], qPrintable(QStringLiteral("step %1: %2 instead of %3")
                                                  .arg(i)
                                                  .arg(focus ? focus->accessibleName() : "none")
                                                  .arg(expected[i]->accessibleName())));
  }
}

}  // namespace larkspin::testing
