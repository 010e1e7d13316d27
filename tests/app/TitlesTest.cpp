// Title bars read exactly as the program names its windows. On Linux, Qt appends the application
// display name to every title ("Date Selection — Larkspin") once one is set, so none is.
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "CAboutDlg.h"
#include "CDateDlg.h"
#include "CScorecardApp.h"
#include "CScorecardDlg.h"
#include "ProgramIcon.h"
#include "QtServices.h"
#include "support/FakeServices.h"

using namespace larkspin;

class TitlesTest : public QObject {
  Q_OBJECT

 private slots:
  void application_setsNoDisplayNameForQtToAppend() {
    // Unless one was set, the display name is the application name, whatever it becomes.
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("probe"));
    QCoreApplication::setApplicationName(name);
  }

  void programIcon_givesEachRenderingAtItsSize() {
    // The renderings are read only when a size is first asked for: a wrong name would show only
    // as an empty title-bar icon on a desktop.
    const QIcon icon = ProgramIcon();
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.availableSizes().size(), 6);
    for (const QSize size : icon.availableSizes()) {
      const QImage rendering(QStringLiteral(":/icons/larkspin-%1.png").arg(size.width()), "PNG");
      QCOMPARE(rendering.size(), size);
      QCOMPARE(icon.pixmap(size).toImage(), QPixmap::fromImage(rendering).toImage());
    }
  }

  void windowsAndBoxes_carryTheirExactTitles() {
    testing::ScorecardHarness harness;
    QCOMPARE(CScorecardDlg(harness.services).windowTitle(), QStringLiteral("Larkspin"));
    QCOMPARE(CAboutDlg().windowTitle(), QStringLiteral("About LKS"));
    QCOMPARE(CDateDlg().windowTitle(), QStringLiteral("Date Selection"));
    for (const char* title : {"Error", "Error Writing File", "Error Reading File"}) {
      const auto box = MessageBoxPrompter::MakeMessageBox("text", title);
      QCOMPARE(box->windowTitle(), QString::fromLatin1(title));
      QCOMPARE(box->standardButtons(), QMessageBox::Ok);
      QCOMPARE(box->icon(), QMessageBox::NoIcon);
    }
  }

  void questions_carryTheAppNameAndTheirDefaultAnswer() {
    const auto duplicate = MessageBoxPrompter::MakeQuestion("Add?", "larkspin", false);
    QCOMPARE(duplicate->windowTitle(), QStringLiteral("larkspin"));
    QCOMPARE(duplicate->icon(), QMessageBox::Warning);
    QCOMPARE(duplicate->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(duplicate->standardButton(duplicate->defaultButton()), QMessageBox::Yes);
    const auto loseChanges = MessageBoxPrompter::MakeQuestion("Close?", "larkspin", true);
    QCOMPARE(loseChanges->standardButton(loseChanges->defaultButton()), QMessageBox::No);
    QCOMPARE(loseChanges->text(), QStringLiteral("Close?"));
  }

  void questions_answerAsTheButtonPressed_data() {
    QTest::addColumn<bool>("noByDefault");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("yes");
    QTest::newRow("Y on the duplicate question") << false << int(Qt::Key_Y) << true;
    QTest::newRow("N on the duplicate question") << false << int(Qt::Key_N) << false;
    QTest::newRow("Enter on the duplicate question") << false << int(Qt::Key_Return) << true;
    QTest::newRow("Y on closing anyway") << true << int(Qt::Key_Y) << true;
    QTest::newRow("Enter on closing anyway") << true << int(Qt::Key_Return) << false;
  }
  void questions_answerAsTheButtonPressed() {
    QFETCH(bool, noByDefault);
    QFETCH(int, key);
    QFETCH(bool, yes);
    // The box is modal: answered from the event loop.
    QTimer::singleShot(100, [key] {
      if (QWidget* box = QApplication::activeModalWidget()) {
        QTest::keyClick(box, static_cast<Qt::Key>(key));
      }
    });
    MessageBoxPrompter prompter;
    const bool answer = noByDefault ? prompter.AskYesNoDefaultNo("Close?", "larkspin")
                                    : prompter.AskYesNo("Add?", "larkspin");
    QCOMPARE(answer, yes);
  }
};

int main(int argc, char** argv) {
  CScorecardApp app(argc, argv, QDir::currentPath());
  TitlesTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "TitlesTest.moc"
