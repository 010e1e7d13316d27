#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

namespace larkspin {

enum class PictureFormat { kPng, kSvg, kNone };

// PNG or SVG by the file name's extension, without regard to case; kNone for any other name.
PictureFormat PictureFormatOf(const QString& path);

// The widget as it shows now, as the bytes of a PNG or SVG file titled `title`.
QByteArray PictureBytes(QWidget& widget, PictureFormat format, const QString& title);

}  // namespace larkspin
