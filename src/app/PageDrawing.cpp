#include "PageDrawing.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <array>

#include "DiskFile.h"

namespace larkspin {

namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QFont Font(qreal pixels, bool bold = false) {
  QFont font;
  font.setPixelSize(std::max(1, qRound(pixels)));
  font.setBold(bold);
  return font;
}

// The facts under a title: label and value in columns, a blank value a line to write on.
qreal DrawFacts(QPainter& painter, const std::vector<CardFact>& facts, QRectF area, int columns,
                qreal rowHeight) {
  const qreal columnWidth = area.width() / columns;
  const qreal labelWidth = columnWidth * 0.45;
  for (std::size_t i = 0; i < facts.size(); ++i) {
    const int row = static_cast<int>(i) / columns;
    const int column = static_cast<int>(i) % columns;
    const QRectF cell(area.left() + column * columnWidth, area.top() + row * rowHeight, columnWidth,
                      rowHeight);
    painter.setFont(Font(rowHeight * 0.45));
    painter.drawText(cell.adjusted(0, 0, -(columnWidth - labelWidth), 0),
                     Qt::AlignLeft | Qt::AlignVCenter, Text(facts[i].label));
    // The last fact of a row may take the rest of it.
    const bool last = column + 1 == columns || i + 1 == facts.size();
    const QRectF value(cell.left() + labelWidth, cell.top(),
                       (last ? area.right() - cell.left() : columnWidth) - labelWidth -
                           (last ? 0 : rowHeight * 0.4),
                       rowHeight);
    if (facts[i].value.empty()) {
      painter.drawLine(QLineF(value.left(), value.bottom() - rowHeight * 0.2, value.right(),
                              value.bottom() - rowHeight * 0.2));
    } else {
      painter.setFont(Font(rowHeight * 0.45, true));
      painter.drawText(value, Qt::AlignLeft | Qt::AlignVCenter, Text(facts[i].value));
    }
  }
  const int rows = (static_cast<int>(facts.size()) + columns - 1) / columns;
  return rows * rowHeight;
}

void DrawCard(QPainter& painter, const ScorecardLayout& card, const QRectF& area) {
  // In cells: a heading column of 4.5, a hole 1, a total 1.4; the title, three rows of facts and
  // 8 of the table in rows of 0.9.
  constexpr qreal kHeadingCells = 4.5;
  constexpr qreal kTotalCells = 1.4;
  constexpr qreal kRowCells = 0.9;
  std::array<qreal, kCardColumns + 1> left{};  // in cells, from the table's left edge
  left[0] = kHeadingCells;
  for (int column = 0; column < kCardColumns; ++column) {
    const bool total = column == kOutColumn || column == kInColumn || column == kTotalColumn;
    left[column + 1] = left[column] + (total ? kTotalCells : 1.0);
  }
  const qreal cells = left[kCardColumns];
  const qreal cell = std::min(area.width() / cells, area.height() / (kRowCells * 15));
  const qreal row = cell * kRowCells;
  const qreal width = cell * cells;
  const auto x = [&](int column) { return area.left() + cell * left[column]; };
  QPen pen(Qt::black);
  pen.setWidthF(cell / 40);
  painter.setPen(pen);

  qreal y = area.top();
  painter.setFont(Font(row * 0.8, true));
  painter.drawText(QRectF(area.left(), y, width, row * 1.5), Qt::AlignLeft | Qt::AlignVCenter,
                   Text(card.title));
  y += row * 1.7;
  y += DrawFacts(painter, card.facts, QRectF(area.left(), y, width, row * 3), 3, row);
  y += row * 0.6;

  std::vector<const CardRow*> rows = {&card.holes};
  for (const CardRow& shown : card.rows)
    rows.push_back(&shown);
  const qreal table = y;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    // The headings and the totals stand out; the rows to write on stay white.
    if (r == 0) painter.fillRect(QRectF(area.left(), y, width, row), QColor(225, 225, 225));
    for (const int total : {kOutColumn, kInColumn, kTotalColumn}) {
      const int shade = r == 0 ? 205 : 238;
      painter.fillRect(QRectF(x(total), y, x(total + 1) - x(total), row),
                       QColor(shade, shade, shade));
    }
    painter.setFont(Font(row * 0.42, r == 0));
    painter.drawText(QRectF(area.left() + cell * 0.2, y, cell * kHeadingCells, row),
                     Qt::AlignLeft | Qt::AlignVCenter, Text(rows[r]->heading));
    // Dots are small in the text's size.
    const bool marks = r == static_cast<std::size_t>(kReceivedRow) + 1;
    for (int column = 0; column < kCardColumns; ++column) {
      const bool total = column == kOutColumn || column == kInColumn || column == kTotalColumn;
      painter.setFont(Font(row * (marks && !total ? 0.6 : 0.42), r == 0 || total));
      painter.drawText(QRectF(x(column), y, x(column + 1) - x(column), row), Qt::AlignCenter,
                       Text(rows[r]->cells[static_cast<std::size_t>(column)]));
    }
    y += row;
  }
  for (std::size_t r = 0; r <= rows.size(); ++r)
    painter.drawLine(QLineF(area.left(), table + r * row, area.left() + width, table + r * row));
  painter.drawLine(QLineF(area.left(), table, area.left(), y));
  for (int column = 0; column <= kCardColumns; ++column)
    painter.drawLine(QLineF(x(column), table, x(column), y));
}

void DrawRecord(QPainter& painter, const RecordLayout& record, const QRectF& area) {
  // Column widths in parts of the page: the course takes what the figures leave.
  std::vector<qreal> parts(record.headings.size(), 1.0);
  if (parts.size() > 1) {
    parts[0] = 1.5;
    parts[1] = 3.5;
  }
  qreal sum = 0;
  for (const qreal part : parts)
    sum += part;
  const qreal row = std::min(area.width() / 32, area.height() / 30);
  qreal y = area.top();
  painter.setPen(Qt::black);
  painter.setFont(Font(row * 1.1, true));
  painter.drawText(QRectF(area.left(), y, area.width(), row * 1.8),
                   Qt::AlignLeft | Qt::AlignVCenter, Text(record.title));
  y += row * 2;
  y += DrawFacts(painter, record.facts, QRectF(area.left(), y, area.width(), row), 2, row * 1.2);
  y += row * 0.6;
  const auto drawRow = [&](const std::vector<std::string>& cells, bool heading) {
    painter.setFont(Font(row * 0.55, heading));
    qreal x = area.left();
    for (std::size_t c = 0; c < cells.size() && c < parts.size(); ++c) {
      const qreal w = area.width() * parts[c] / sum;
      const Qt::Alignment align =
          (record.numeric[c] ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
      const QRectF box(x + row * 0.2, y, w - row * 0.4, row);
      painter.drawText(
          box, align,
          painter.fontMetrics().elidedText(Text(cells[c]), Qt::ElideRight, qRound(box.width())));
      x += w;
    }
    y += row;
    painter.drawLine(QLineF(area.left(), y, area.right(), y));
  };
  drawRow(record.headings, true);
  for (const auto& cells : record.rows)
    drawRow(cells, false);
}

}  // namespace

PrintJob ScorecardJob(ScorecardLayout card) {
  QString title = QStringLiteral("Scorecard: ") + Text(card.title);
  return {std::move(title), [card = std::move(card)](QPainter& painter, const QRectF& area) {
            DrawCard(painter, card, area);
          }};
}

PrintJob RecordJob(RecordLayout record) {
  return {Text(record.title), [record = std::move(record)](QPainter& painter, const QRectF& area) {
            DrawRecord(painter, record, area);
          }};
}

QPageSize LocalPageSize() {
  return QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
                       ? QPageSize::Letter
                       : QPageSize::A4);
}

std::optional<QString> WritePdf(const PrintJob& job, const QString& path,
                                const QPageSize& pageSize) {
  const QString shown = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&pdf);
    writer.setPageSize(pageSize);
    writer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
    writer.setTitle(job.title);
    writer.setCreator(QStringLiteral("Larkspin"));
    QPainter painter;
    if (!painter.begin(&writer)) return shown + QStringLiteral(": the PDF could not be drawn.");
    job.draw(painter, QRectF(0, 0, writer.width(), writer.height()));
    painter.end();
  }
  QString error;
  if (!WriteFileAtomically(
          path,
          std::string_view(pdf.data().constData(), static_cast<std::size_t>(pdf.data().size())),
          &error)) {
    return shown + QStringLiteral(": ") + error;
  }
  return std::nullopt;
}

}  // namespace larkspin
