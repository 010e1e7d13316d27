#include <QtTest>

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void placeholder() { QVERIFY(true); }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
