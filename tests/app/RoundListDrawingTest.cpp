// The round list draws its cells as Qt's own delegate would, pixel for pixel, however the list
// stands: as opened, with a round selected, with a column narrower than its text, in a larger
// font.
#include <QHeaderView>
#include <QImage>
#include <QStyledItemDelegate>
#include <QtTest>
#include <functional>

#include "CScorecardDlg.h"
#include "RoundListModel.h"
#include "RoundListView.h"
#include "support/FakeServices.h"
#include "support/Files.h"
#include "support/MainWindow.h"

using namespace larkspin;
using larkspin::testing::ScorecardHarness;

class RoundListDrawingTest : public QObject {
  Q_OBJECT

 private slots:
  void cells_drawnAsQtDrawsThem() {
    const struct {
      const char* behaviour;
      std::function<void(CScorecardDlg&)> before;
    } cases[] = {
        {"as opened", [](CScorecardDlg&) {}},
        {"a round selected", [](CScorecardDlg& window) { testing::ClickRound(window, 1); }},
        {"the course column narrower than its names",
         [](CScorecardDlg& window) {
           window.Widgets().rounds->horizontalHeader()->resizeSection(kCourseColumn, 23);
         }},
        {"a larger font",
         [](CScorecardDlg& window) {
           QFont font = window.Widgets().rounds->font();
           font.setPointSize(font.pointSize() + 5);
           window.Widgets().rounds->setFont(font);
         }},
    };
    for (const auto& c : cases) {
      ScorecardHarness harness;
      QVERIFY(testing::WriteFile(harness.FilePath("lks.dat"),
                                 testing::ReadFile(LARKSPIN_TEST_DATA "/three_rounds.dat")));
      auto window = testing::OpenMainWindow(harness.services);
      c.before(*window);
      RoundListView* view = window->Widgets().rounds;
      const QImage drawn = view->viewport()->grab().toImage();
      view->setItemDelegate(new QStyledItemDelegate(view));
      const QImage byQt = view->viewport()->grab().toImage();
      QVERIFY2(drawn == byQt, c.behaviour);
    }
  }
};

QTEST_MAIN(RoundListDrawingTest)
#include "RoundListDrawingTest.moc"
