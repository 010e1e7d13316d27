#include "ChartFile.h"

#include <QBuffer>
#include <QChart>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include "ChartDrawing.h"

namespace larkspin {

namespace {

// The chart is laid out at this size, with the window's fonts; a PNG draws it one and a half
// times as large, 1,200 by 750 pixels, so its text reads as well as on the screen.
constexpr QSize kPictureSize(800, 500);
constexpr qreal kPngScale = 1.5;

}  // namespace

PictureFormat PictureFormatOf(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("png")) return PictureFormat::kPng;
  if (suffix == QLatin1String("svg")) return PictureFormat::kSvg;
  return PictureFormat::kNone;
}

QByteArray PictureBytes(const Chart& values, PictureFormat format) {
  if (format == PictureFormat::kNone) return {};
  // Drawn in a scene of its own, which no view shows: laid out now, not when a window would be.
  QGraphicsScene scene;
  QChart* chart = DrawChart(values);
  scene.addItem(chart);  // the scene owns the chart
  chart->resize(kPictureSize);
  chart->layout()->activate();
  const QRectF area(QPointF(0, 0), QSizeF(kPictureSize));
  const auto draw = [&scene, &area](QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, area, area);
  };
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (format == PictureFormat::kPng) {
    QImage image(kPictureSize * kPngScale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(kPngScale);
    image.fill(Qt::white);
    QPainter painter(&image);
    draw(painter);
    painter.end();
    image.save(&buffer, "PNG");
  } else {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(kPictureSize);
    svg.setViewBox(QRect(QPoint(0, 0), kPictureSize));
    svg.setTitle(QString::fromStdString(values.title));
    QPainter painter(&svg);
    draw(painter);
  }
  return bytes;
}

}  // namespace larkspin
