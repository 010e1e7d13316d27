#include "HandicapWindow.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ChartDrawing.h"
#include "CourseStrokes.h"
#include "HandicapRecord.h"
#include "HandicapText.h"
#include "IndexChartPoints.h"
#include "NextRound.h"
#include "NextRoundLabels.h"
#include "NotCountedModel.h"
#include "PagePrinter.h"
#include "PlayingHandicapBox.h"
#include "RecordLayout.h"
#include "ScorecardCard.h"
#include "ScorecardPrinting.h"
#include "Services.h"
#include "Tenths.h"

namespace larkspin {

namespace {

// The scoring record shows the rounds the Index is worked out from.
constexpr int kRecordRows = 20;

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString DateText(int yyyymmdd) {
  return QDate(yyyymmdd / 10000, yyyymmdd / 100 % 100, yyyymmdd % 100).toString(Qt::ISODate);
}

// The Index at the end of each day, or of each month, as a line over the dates.
Chart IndexChart(const IndexChartPoints& series) {
  Chart chart;
  chart.title = series.monthly ? "Handicap Index at the end of each month" : "Handicap Index";
  chart.xTitle = series.monthly ? "Month" : "Date";
  chart.yTitle = "Index";
  if (series.points.empty()) {
    chart.emptyText = "The Index comes with the third counted round";
    return chart;
  }
  ChartLine line{.name = "Handicap Index", .points = {}, .onSecondAxis = false};
  chart.categories.reserve(series.points.size());
  line.points.reserve(series.points.size());
  for (const IndexPoint& point : series.points) {
    const std::string date = DateText(point.date).toStdString();
    line.points.push_back({static_cast<double>(chart.categories.size()), point.indexTenths / 10.0,
                           false, date + "\nHandicap Index: " + IndexText(point.indexTenths)});
    chart.categories.push_back(date);
  }
  chart.lines.push_back(std::move(line));
  return chart;
}

QTableWidgetItem* NumberItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

// A table that shows all its rows and columns without scrolling, as far as `rows` go.
void FitTableHeight(QTableView* table, int rows) {
  const int height = table->horizontalHeader()->sizeHint().height() +
                     rows * table->verticalHeader()->defaultSectionSize() + 2 * table->frameWidth();
  table->setMinimumHeight(height);
}

}  // namespace

HandicapWindow::HandicapWindow(Sources sources, QWidget* parent)
    : CompanionWindow(tr("Handicap"), parent), sources_(sources) {
  AddPrinting();
  BuildControls();
  LayOut();
  connect(controls_.course, &QComboBox::currentIndexChanged, this,
          &HandicapWindow::ShowCourseStrokes);
  // The format and "Print" follow the course chooser.
  setTabOrder(controls_.course, added_.playing->format);
  setTabOrder(added_.playing->format, added_.playing->custom);
  setTabOrder(added_.playing->custom, added_.print);
  setTabOrder(added_.print, controls_.strokes);
}

void HandicapWindow::BuildControls() {
  auto& c = controls_;
  // A screen reader hears each figure in its label's name, which is kept with the figure.
  c.index = new QLabel(QString::fromStdString(IndexText(std::nullopt)), this);
  c.index->setAccessibleName(tr("Handicap Index %1").arg(tr("none yet")));
  QFont large = c.index->font();
  large.setPointSizeF(large.pointSizeF() * 2.6);
  large.setBold(true);
  c.index->setFont(large);
  c.index->setTextInteractionFlags(Qt::TextSelectableByMouse);
  c.lowIndex = new QLabel(this);
  c.lowIndex->setAccessibleName(tr("Low Index %1").arg(tr("none yet")));
  QFont larger = c.lowIndex->font();
  larger.setPointSizeF(larger.pointSizeF() * 1.2);
  c.lowIndex->setFont(larger);
  c.cap = new QLabel(this);

  const int rowHeight = fontMetrics().height() + 6;
  c.record = new QTableWidget(0, 9, this);
  c.record->setAccessibleName(tr("Scoring record"));
  c.record->setHorizontalHeaderLabels({tr("Date"), tr("Course"), tr("Score"), tr("Adjusted"),
                                       tr("Rating"), tr("Slope"), tr("Differential"), tr("Used"),
                                       tr("Notes")});
  c.record->setTabKeyNavigation(false);  // a table to read: one stop for Tab
  c.record->verticalHeader()->hide();
  c.record->verticalHeader()->setDefaultSectionSize(rowHeight);
  c.record->setEditTriggers(QAbstractItemView::NoEditTriggers);
  c.record->setSelectionBehavior(QAbstractItemView::SelectRows);
  c.record->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  c.record->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  FitTableHeight(c.record, kRecordRows);

  notCounted_ = new NotCountedModel(this);
  c.notCounted = new QTableView(this);
  c.notCounted->setAccessibleName(tr("Not counted"));
  c.notCounted->setModel(notCounted_);
  c.notCounted->setTabKeyNavigation(false);
  c.notCounted->verticalHeader()->hide();
  c.notCounted->verticalHeader()->setDefaultSectionSize(rowHeight);
  c.notCounted->setSelectionBehavior(QAbstractItemView::SelectRows);
  // Sized by the headings and the first rows, not by measuring thousands.
  c.notCounted->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  c.notCounted->horizontalHeader()->setStretchLastSection(true);
  c.notCounted->setColumnWidth(
      0, c.notCounted->fontMetrics().horizontalAdvance(QStringLiteral("8888-88-88")) + 16);
  c.notCounted->setColumnWidth(1, 16 * c.notCounted->fontMetrics().averageCharWidth());
  FitTableHeight(c.notCounted, 4);

  c.chart = new QChartView(this);
  c.chart->setAccessibleName(tr("Handicap Index chart"));
  c.chart->setRenderHint(QPainter::Antialiasing);
  c.chart->setMinimumSize(300, 220);
  ShowPointTips(*c.chart);

  c.course = new QComboBox(this);
  c.course->setAccessibleName(tr("Course handicap for"));
  c.course->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  c.course->setMinimumContentsLength(16);
  c.courseHandicap = new QLabel(this);
  QFont bold = c.courseHandicap->font();
  bold.setBold(true);
  c.courseHandicap->setFont(bold);

  c.strokes = new QTableWidget(1, kHoles, this);
  c.strokes->setAccessibleName(tr("Strokes received"));
  QStringList holes;
  for (int hole = 1; hole <= kHoles; ++hole)
    holes << QString::number(hole);
  c.strokes->setHorizontalHeaderLabels(holes);
  c.strokes->setVerticalHeaderLabels({tr("Strokes")});
  c.strokes->setEditTriggers(QAbstractItemView::NoEditTriggers);
  c.strokes->setSelectionMode(QAbstractItemView::NoSelection);
  c.strokes->setTabKeyNavigation(false);
  c.strokes->verticalHeader()->setDefaultSectionSize(rowHeight);
  c.strokes->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  c.strokes->horizontalHeader()->setMinimumSectionSize(
      fontMetrics().horizontalAdvance(QStringLiteral("-88")) + 8);
  c.strokes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  c.strokes->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  c.strokes->setFixedHeight(c.strokes->horizontalHeader()->sizeHint().height() + rowHeight +
                            2 * c.strokes->frameWidth());
  c.strokes->setMinimumWidth(c.strokes->verticalHeader()->sizeHint().width() +
                             kHoles * c.strokes->horizontalHeader()->minimumSectionSize() +
                             2 * c.strokes->frameWidth());
}

void HandicapWindow::LayOut() {
  auto& c = controls_;
  auto* indexCaption = new QLabel(tr("Handicap Index"), this);
  indexCaption->setBuddy(c.index);
  auto* courseLabel = new QLabel(tr("&Course handicap for:"), this);
  courseLabel->setBuddy(c.course);

  // The Index with the Low Index beside it and the cap under it, and what it gives on one course.
  auto* top = new QGridLayout;
  top->addWidget(indexCaption, 0, 0, Qt::AlignLeft | Qt::AlignBottom);
  auto* index = new QHBoxLayout;
  index->addWidget(c.index, 0, Qt::AlignBottom);
  index->addSpacing(12);
  index->addWidget(c.lowIndex, 0, Qt::AlignBottom);
  index->addStretch();
  top->addLayout(index, 1, 0);
  top->addWidget(c.cap, 2, 0, Qt::AlignLeft | Qt::AlignTop);
  top->setColumnMinimumWidth(1, 24);
  auto* chooser = new QHBoxLayout;
  chooser->addWidget(courseLabel);
  chooser->addWidget(c.course);
  chooser->addSpacing(12);
  chooser->addWidget(c.courseHandicap);
  chooser->addStretch();
  top->addLayout(chooser, 0, 2);
  // The format and its playing handicap under the chooser; what the next round must be under
  // the Index.
  auto* playing = new QHBoxLayout;
  playing->addWidget(added_.playing);
  playing->addStretch();
  playing->addWidget(added_.print);
  top->addLayout(playing, 1, 2);
  top->addWidget(c.strokes, 2, 2, 2, 1);
  auto* outlook = new QVBoxLayout;
  outlook->addWidget(nextRound_->change);
  outlook->addWidget(nextRound_->leaving);
  outlook->addWidget(nextRound_->lower);
  outlook->addWidget(nextRound_->keep);
  top->addLayout(outlook, 3, 0);
  top->setColumnStretch(2, 1);

  // The record beside the chart and the rounds that do not count.
  auto* right = new QVBoxLayout;
  right->addWidget(c.chart, 3);
  auto* notCountedLabel = new QLabel(tr("&Not counted:"), this);
  notCountedLabel->setBuddy(c.notCounted);
  right->addWidget(notCountedLabel);
  right->addWidget(c.notCounted, 2);
  auto* left = new QVBoxLayout;
  auto* recordLabel = new QLabel(tr("&Scoring record, the most recent 20 rounds:"), this);
  recordLabel->setBuddy(c.record);
  left->addWidget(recordLabel);
  left->addWidget(c.record, 1);
  auto* lower = new QHBoxLayout;
  lower->addLayout(left, 5);
  lower->addLayout(right, 4);

  // On a small screen the whole scrolls rather than anything being cut off.
  auto* content = new QWidget;
  auto* layout = new QVBoxLayout(content);
  layout->addLayout(top);
  layout->addSpacing(6);
  layout->addLayout(lower, 1);
  auto* scroll = new QScrollArea(this);
  scroll->setFocusPolicy(Qt::NoFocus);  // no stop of its own between the chart and the chooser
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setWidget(content);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(scroll);
  setTabOrder(c.course, c.strokes);
  setTabOrder(c.strokes, c.record);
  setTabOrder(c.record, c.notCounted);
  setTabOrder(c.notCounted, c.chart);

  // As large as the content asks, as far as the screen allows, in its middle.
  if (const QScreen* shown = parentWidget() ? parentWidget()->screen() : screen()) {
    const QRect area = shown->availableGeometry();
    const QSize wanted = content->sizeHint().expandedTo(QSize(1240, 0)) + QSize(4, 4);
    OpenAt(wanted.boundedTo(area.size() * 19 / 20));
  }
}

void HandicapWindow::OnTablesChanged() {
  stale_ = true;
  if (isVisible()) Refresh();
}

void HandicapWindow::showEvent(QShowEvent* event) {
  CompanionWindow::showEvent(event);
  if (stale_) Refresh();
}

void HandicapWindow::Refresh() {
  HandicapRecord record = ComputeHandicapRecord(sources_.rounds, sources_.courses, sources_.ratings,
                                                sources_.clock.Today());
  indexTenths_ = record.indexTenths;
  const QString index = QString::fromStdString(IndexText(record.indexTenths));
  controls_.index->setText(index);
  controls_.index->setAccessibleName(
      tr("Handicap Index %1").arg(record.indexTenths ? index : tr("none yet")));
  const QString low = record.lowIndexTenths
                          ? tr("Low Index %1").arg(Text(IndexText(record.lowIndexTenths)))
                          : QString();
  controls_.lowIndex->setText(low);
  controls_.lowIndex->setAccessibleName(low.isEmpty() ? tr("Low Index %1").arg(tr("none yet"))
                                                      : low);
  const QString cap =
      record.counted.empty()
          ? QString()
          : Text(CapText(record.counted.back().cap, record.counted.back().uncappedTenths));
  controls_.cap->setText(cap);
  controls_.index->setAccessibleDescription(cap);

  QTableWidget* table = controls_.record;
  const int shown = std::min(kRecordRows, static_cast<int>(record.counted.size()));
  table->setRowCount(shown);
  for (int row = 0; row < shown; ++row) {
    const CountedRound& round = record.counted[record.counted.size() - 1 - row];
    table->setItem(row, 0, new QTableWidgetItem(DateText(round.date)));
    auto* course = new QTableWidgetItem(Text(round.course));
    course->setToolTip(course->text());  // a long name is cut short in a narrow window
    table->setItem(row, 1, course);
    table->setItem(row, 2, NumberItem(QString::number(round.score)));
    table->setItem(row, 3, NumberItem(QString::number(round.adjustedGross)));
    table->setItem(row, 4, NumberItem(Text(TenthsText(round.ratingTenths))));
    table->setItem(row, 5, NumberItem(QString::number(round.slope)));
    table->setItem(row, 6, NumberItem(Text(TenthsText(round.differentialTenths))));
    auto* used = new QTableWidgetItem(round.used ? QStringLiteral("\u2713") : QString());
    used->setTextAlignment(Qt::AlignCenter);
    table->setItem(row, 7, used);
    table->setItem(row, 8,
                   new QTableWidgetItem(round.exceptionalTenths > 0
                                            ? Text(ExceptionalScoreText(round.exceptionalTenths))
                                            : QString()));
  }
  // Every column shows whole beside the chart, but the course's name, which is cut short first.
  QHeaderView* header = table->horizontalHeader();
  header->resizeSections(QHeaderView::ResizeToContents);
  int width = 2 * table->frameWidth() + table->verticalScrollBar()->sizeHint().width() +
              12 * table->fontMetrics().averageCharWidth() - header->sectionSize(1);
  table->setMinimumWidth(width + header->length());
  header->setSectionResizeMode(1, QHeaderView::Stretch);  // stretched again, as it was
  nextRound_->ShowOutlook(IndexOutlookOf(record));
  notCounted_->Show(std::move(record.notCounted));

  QChart* old = controls_.chart->chart();
  controls_.chart->setChart(DrawChart(IndexChart(IndexChartSeries(record.indexSeries))));
  delete old;

  FillCourseChooser();
  ShowCourseStrokes();
  stale_ = false;
}

void HandicapWindow::FillCourseChooser() {
  std::vector<std::string> courses = RatedCourses(sources_.ratings, sources_.courses);
  if (courses == ratedCourses_ && controls_.course->count() == static_cast<int>(courses.size()))
    return;
  ratedCourses_ = std::move(courses);
  // The choice stays on its course while the course is there.
  const QString chosen = controls_.course->currentText();
  const QSignalBlocker quiet(controls_.course);
  controls_.course->clear();
  for (const std::string& course : ratedCourses_)
    controls_.course->addItem(QString::fromStdString(course));
  controls_.course->setCurrentIndex(
      std::max(controls_.course->findText(chosen, Qt::MatchExactly), 0));
}

void HandicapWindow::ShowCourseStrokes() {
  const int chosen = controls_.course->currentIndex();
  const std::optional<CourseStrokes> strokes =
      chosen < 0
          ? std::nullopt
          : CourseStrokesFor(ratedCourses_[static_cast<std::size_t>(chosen)], sources_.courses,
                             sources_.ratings, indexTenths_, added_.playing->Chosen().Percent());
  const QString courseHandicap = QString::fromStdString(
      strokes ? CourseHandicapText(strokes->courseHandicap) : IndexText(std::nullopt));
  controls_.courseHandicap->setText(tr("Course handicap: %1").arg(courseHandicap));
  controls_.courseHandicap->setAccessibleName(
      tr("Course handicap %1").arg(strokes ? courseHandicap : tr("none yet")));
  added_.playing->Show(strokes);
  added_.printCard->setEnabled(chosen >= 0);
  nextRound_->ShowTargets(chosen < 0
                              ? NextRoundTargets{}
                              : NextRoundTargetsFor(ratedCourses_[static_cast<std::size_t>(chosen)],
                                                    sources_.rounds, sources_.courses,
                                                    sources_.ratings, sources_.clock.Today()));
  for (int hole = 0; hole < kHoles; ++hole) {
    auto* item =
        new QTableWidgetItem(strokes ? QString::number(strokes->strokes[hole]) : QString());
    item->setTextAlignment(Qt::AlignCenter);
    controls_.strokes->setItem(0, hole, item);
  }
}

void HandicapWindow::AddPrinting() {
  added_.playing = new PlayingHandicapBox(sources_.settings, this);
  connect(added_.playing, &PlayingHandicapBox::AllowanceChanged, this,
          &HandicapWindow::ShowCourseStrokes);
  nextRound_ = std::make_unique<NextRoundLabels>(this);
  added_.nextRound = nextRound_.get();
  added_.print = new QPushButton(tr("&Print"), this);
  added_.print->setAccessibleName(tr("Print"));
  auto* menu = new QMenu(added_.print);
  added_.printCard = menu->addAction(tr("&Scorecard\u2026"), this, &HandicapWindow::PrintCard);
  added_.printRecord =
      menu->addAction(tr("Scoring &record\u2026"), this, &HandicapWindow::PrintRecord);
  added_.print->setMenu(menu);
}

void HandicapWindow::PrintCard() {
  const int chosen = controls_.course->currentIndex();
  if (chosen < 0) return;
  const GridRound grid = sources_.grid ? sources_.grid() : GridRound{};
  sources_.printer.Preview(
      ScorecardJob(LayOutScorecard(PrintedCard(
          ratedCourses_[static_cast<std::size_t>(chosen)], grid.round, grid.pars, sources_.rounds,
          sources_.courses, sources_.ratings, sources_.clock.Today(), added_.playing->Chosen()))),
      this);
}

void HandicapWindow::PrintRecord() {
  const QDate today = sources_.clock.Today();
  sources_.printer.Preview(
      RecordJob(LayOutRecord(
          ComputeHandicapRecord(sources_.rounds, sources_.courses, sources_.ratings, today),
          today)),
      this);
}

}  // namespace larkspin
