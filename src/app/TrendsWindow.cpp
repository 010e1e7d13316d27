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
#include <QScreen>
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

QString DialogFileChooser(QWidget* parent, const QString& suggested) {
  QFileDialog dialog(parent, QObject::tr("Save Chart"), suggested,
                     QObject::tr("PNG picture (*.png);;SVG drawing (*.svg)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("png"));
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

}  // namespace

TrendsWindow::TrendsWindow(Sources sources, QWidget* parent)
    : QWidget(parent, Qt::Window), sources_(std::move(sources)), chooseFile_(DialogFileChooser) {
  setWindowTitle(tr("Trends"));
  setAttribute(Qt::WA_DeleteOnClose, false);
  BuildControls();
  LayOut();
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
  c.summary->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  c.summary->horizontalHeader()->setStretchLastSection(true);
  c.summary->verticalHeader()->setDefaultSectionSize(c.summary->fontMetrics().height() + 6);

  for (int chart = 0; chart < kTrendsCharts; ++chart) {
    c.charts[chart] = new QChartView(this);
    c.charts[chart]->setAccessibleName(tr(kChartNames[chart]));
    c.charts[chart]->setRenderHint(QPainter::Antialiasing);
    c.charts[chart]->setMinimumSize(360, 240);
    c.saveChart[chart] = new QPushButton(tr("Save Chart\u2026"), this);
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

  // The summary first, then the charts, three to a row.
  auto* grid = new QGridLayout;
  grid->addWidget(c.summary, 0, 0);
  for (int chart = 0; chart < kTrendsCharts; ++chart) {
    auto* cell = new QVBoxLayout;
    cell->addWidget(c.charts[chart], 1);
    auto* button = new QHBoxLayout;
    button->addStretch();
    button->addWidget(c.saveChart[chart]);
    cell->addLayout(button);
    grid->addLayout(cell, (chart + 1) / 3, (chart + 1) % 3);
  }
  for (int column = 0; column < 3; ++column)
    grid->setColumnStretch(column, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choosers);
  layout->addLayout(grid, 1);

  // As large as the charts need to be read, as far as the screen allows, in its middle.
  if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen()) {
    const QRect area = screen->availableGeometry();
    resize(QSize(1400, 900).boundedTo(area.size() * 19 / 20).expandedTo(minimumSizeHint()));
    move(area.center() - rect().center());
  }
}

void TrendsWindow::ShowInFront() {
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
}

void TrendsWindow::OnTablesChanged() {
  stale_ = true;
  if (isVisible()) Refresh();
}

void TrendsWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
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
    summary->setItem(row, 1, value);
  }
  for (int chart = 0; chart < kTrendsCharts; ++chart) {
    QChartView* view = controls_.charts[chart];
    QChart* old = view->chart();
    view->setChart(DrawChart(trends.charts[chart]));
    delete old;
  }
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
  QChartView* view = controls_.charts[chart];
  const QByteArray bytes = PictureBytes(*view, format, view->chart()->title());
  if (bytes.isEmpty()) {
    tell(tr("the picture could not be made"));
  } else if (QString error; !WriteFileAtomically(
                 path, std::string_view(bytes.constData(), bytes.size()), &error)) {
    tell(error);
  }
}

}  // namespace larkspin
