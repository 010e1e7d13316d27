#include "ChartFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <QSvgGenerator>
#include <QWidget>

namespace larkspin {

PictureFormat PictureFormatOf(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("png")) return PictureFormat::kPng;
  if (suffix == QLatin1String("svg")) return PictureFormat::kSvg;
  return PictureFormat::kNone;
}

QByteArray PictureBytes(QWidget& widget, PictureFormat format, const QString& title) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (format == PictureFormat::kPng) {
    widget.grab().save(&buffer, "PNG");
  } else if (format == PictureFormat::kSvg) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(widget.size());
    svg.setViewBox(QRect(QPoint(0, 0), widget.size()));
    svg.setTitle(title);
    QPainter painter(&svg);
    widget.render(&painter);
  }
  return bytes;
}

}  // namespace larkspin
