#include "TrendsWindow.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ChartDrawing.h"
#include "ChartFile.h"
#include "DiskFile.h"
#include "Sentence.h"
#include "Services.h"

namespace larkspin {

namespace {

// The charts' names as the window calls them, whatever their titles say.
constexpr std::array<const char*, kTrendsCharts> kChartNames = {
    "Score by round", "Scoring mix", "Average by hole", "Putts and greens", "Driving distance"};

// The least a chart (or the summary) is given: enough for its axes, its labels and its legend.
constexpr QSize kLeastCell(300, 220);
constexpr int kMostColumns = 3;

QString DialogFileChooser(QWidget* parent, const QString& suggested) {
  QFileDialog dialog(parent, QObject::tr("Save Chart"), suggested,
                     QObject::tr("PNG picture (*.png);;SVG drawing (*.svg)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("png"));
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

}  // namespace

TrendsWindow::TrendsWindow(Sources sources, QWidget* parent)
    : CompanionWindow(tr("Trends"), parent),
      sources_(std::move(sources)),
      chooseFile_(DialogFileChooser) {
  BuildControls();
  LayOut();
  // As large as the charts need to be read, as far as the screen allows.
  OpenAt(QSize(1400, 900));
  connect(controls_.course, &QComboBox::currentIndexChanged, this, [this] {
    if (isVisible()) Refresh();
  });
  connect(controls_.rounds, &QComboBox::currentIndexChanged, this, [this] {
    if (isVisible()) Refresh();
  });
  for (int chart = 0; chart < kTrendsCharts; ++chart) {
    connect(controls_.saveChart[chart], &QPushButton::clicked, this,
            [this, chart] { SaveChart(chart); });
  }
}

void TrendsWindow::BuildControls() {
  auto& c = controls_;
  c.course = new QComboBox(this);
  c.course->setAccessibleName(tr("Trends course"));
  c.course->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  c.rounds = new QComboBox(this);
  c.rounds->setAccessibleName(tr("Trends rounds"));
  for (const std::string_view entry : kRoundsChoiceEntries)
    c.rounds->addItem(QString::fromUtf8(entry));

  c.summary = new QTableWidget(0, 2, this);
  c.summary->setAccessibleName(tr("Summary"));
  c.summary->setHorizontalHeaderLabels({tr("Figure"), tr("Value")});
  c.summary->verticalHeader()->hide();
  c.summary->setEditTriggers(QAbstractItemView::NoEditTriggers);
  c.summary->setSelectionMode(QAbstractItemView::NoSelection);
  c.summary->setTabKeyNavigation(false);  // one stop: Tab goes on to the charts
  c.summary->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  c.summary->horizontalHeader()->setStretchLastSection(true);
  c.summary->verticalHeader()->setDefaultSectionSize(c.summary->fontMetrics().height() + 6);
  c.summary->setMinimumSize(kLeastCell);

  for (int chart = 0; chart < kTrendsCharts; ++chart) {
    c.charts[chart] = new QChartView(this);
    c.charts[chart]->setAccessibleName(tr(kChartNames[chart]));
    c.charts[chart]->setRenderHint(QPainter::Antialiasing);
    c.charts[chart]->setMinimumSize(kLeastCell);
    ShowPointTips(*c.charts[chart]);
    c.saveChart[chart] = new QPushButton(tr("Save Chart\u2026"), this);
    c.saveChart[chart]->setAutoDefault(false);  // Enter in a chooser saves no chart
    c.saveChart[chart]->setAccessibleName(tr("Save %1 chart").arg(tr(kChartNames[chart])));
  }
}

void TrendsWindow::LayOut() {
  auto& c = controls_;
  auto* choosers = new QHBoxLayout;
  auto* courseLabel = new QLabel(tr("&Course:"), this);
  courseLabel->setBuddy(c.course);
  auto* roundsLabel = new QLabel(tr("&Rounds:"), this);
  roundsLabel->setBuddy(c.rounds);
  choosers->addWidget(courseLabel);
  choosers->addWidget(c.course);
  choosers->addSpacing(12);
  choosers->addWidget(roundsLabel);
  choosers->addWidget(c.rounds);
  choosers->addStretch();

  // The summary first, then the charts; Reflow places them.
  auto* content = new QWidget;
  grid_ = new QGridLayout(content);
  grid_->setContentsMargins(0, 0, 0, 0);
  cells_[0] = c.summary;
  for (int chart = 0; chart < kTrendsCharts; ++chart) {
    auto* cell = new QWidget(content);
    auto* column = new QVBoxLayout(cell);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(c.charts[chart], 1);
    column->addWidget(c.saveChart[chart], 0, Qt::AlignRight);
    cells_[chart + 1] = cell;
  }
  scroll_ = new QScrollArea(this);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setWidgetResizable(true);
  scroll_->setWidget(content);
  scroll_->setFocusPolicy(Qt::NoFocus);  // no stop of its own between the last button and the first
  scroll_->installEventFilter(this);
  Reflow(kMostColumns * kLeastCell.width());

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choosers);
  layout->addWidget(scroll_, 1);
}

bool TrendsWindow::eventFilter(QObject* watched, QEvent* event) {
  // The room a scroll bar would take is left for it, so that its coming does not reflow.
  if (watched == scroll_ && event->type() == QEvent::Resize) {
    Reflow(scroll_->width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_));
  }
  return CompanionWindow::eventFilter(watched, event);
}

void TrendsWindow::Reflow(int width) {
  const int spacing = grid_->horizontalSpacing();
  const int columns =
      std::clamp((width + spacing) / (kLeastCell.width() + spacing), 1, kMostColumns);
  if (columns == columns_) return;
  columns_ = columns;
  for (QWidget* cell : cells_)
    grid_->removeWidget(cell);
  for (int i = 0; i < static_cast<int>(cells_.size()); ++i)
    grid_->addWidget(cells_[i], i / columns, i % columns);
  for (int column = 0; column < kMostColumns; ++column)
    grid_->setColumnStretch(column, column < columns ? 1 : 0);
  const int rows = (static_cast<int>(cells_.size()) + columns - 1) / columns;
  for (int row = 0; row < static_cast<int>(cells_.size()); ++row)
    grid_->setRowStretch(row, row < rows ? 1 : 0);
}

void TrendsWindow::OnTablesChanged() {
  stale_ = true;
  if (isVisible()) Refresh();
}

void TrendsWindow::showEvent(QShowEvent* event) {
  CompanionWindow::showEvent(event);
  if (stale_) Refresh();
}

void TrendsWindow::FillCourseChooser() {
  std::vector<std::string> entries = sources_.courseEntries();
  if (entries == courseEntries_ && controls_.course->count() > 0) return;
  courseEntries_ = std::move(entries);
  // The choice stays on its course while the course is there.
  const QString chosen =
      controls_.course->currentIndex() > 0 ? controls_.course->currentText() : QString();
  const QSignalBlocker quiet(controls_.course);
  controls_.course->clear();
  controls_.course->addItem(QString::fromUtf8(kAllCourses));
  for (const std::string& entry : courseEntries_)
    controls_.course->addItem(QString::fromUtf8(entry));
  const int index = chosen.isEmpty() ? 0 : controls_.course->findText(chosen, Qt::MatchExactly);
  controls_.course->setCurrentIndex(std::max(index, 0));
}

void TrendsWindow::Refresh() {
  FillCourseChooser();
  TrendsChoice choice;
  if (const int course = controls_.course->currentIndex(); course > 0)
    choice.course = courseEntries_[course - 1];
  choice.rounds = static_cast<RoundsChoice>(std::max(controls_.rounds->currentIndex(), 0));
  ShowTrends(ComputeTrends(sources_.rounds, sources_.courses, choice, sources_.clock.Today()));
  stale_ = false;
}

void TrendsWindow::ShowTrends(const Trends& trends) {
  QTableWidget* summary = controls_.summary;
  summary->setRowCount(static_cast<int>(trends.summary.size()));
  for (int row = 0; row < summary->rowCount(); ++row) {
    const SummaryRow& line = trends.summary[row];
    summary->setItem(row, 0, new QTableWidgetItem(QString::fromUtf8(line.figure)));
    auto* value = new QTableWidgetItem(QString::fromUtf8(line.value));
    value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setToolTip(value->text());  // the whole text of a value cut short
    summary->setItem(row, 1, value);
  }
  for (int chart = 0; chart < kTrendsCharts; ++chart) {
    QChartView* view = controls_.charts[chart];
    QChart* old = view->chart();
    view->setChart(DrawChart(trends.charts[chart]));
    delete old;
  }
  shown_ = trends.charts;
}

void TrendsWindow::SaveChart(int chart) {
  QString name = QString::fromLatin1(kChartNames[chart]).toLower().replace(' ', '-');
  const QString suggested = QDir(sources_.folder).filePath(name + QStringLiteral(".png"));
  const QString path = chooseFile_(this, suggested);
  if (path.isEmpty()) return;
  const QString shownPath = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
  const auto tell = [this, &shownPath](const QString& reason) {
    sources_.prompter.ShowMessage(
        std::string(kChartFailedMessage) + "\r\n" +
            EndSentence(shownPath.toStdString() + ": " + reason.toStdString()),
        kChartFailedTitle);
  };
  const PictureFormat format = PictureFormatOf(path);
  if (format == PictureFormat::kNone) {
    tell(tr("the name must end in .png or .svg"));
    return;
  }
  const QByteArray bytes = PictureBytes(shown_[chart], format);
  if (bytes.isEmpty()) {
    tell(tr("the picture could not be made"));
  } else if (QString error; !WriteFileAtomically(
                 path, std::string_view(bytes.constData(), bytes.size()), &error)) {
    tell(error);
  }
}

}  // namespace larkspin
