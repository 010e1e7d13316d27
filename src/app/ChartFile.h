#pragma once

#include <QByteArray>
#include <QString>

#include "Trends.h"

namespace larkspin {

enum class PictureFormat { kPng, kSvg, kNone };

// PNG or SVG by the file name's extension, without regard to case; kNone for any other name.
PictureFormat PictureFormatOf(const QString& path);

// The chart drawn afresh as the bytes of a PNG or SVG file titled with the chart's title. It is
// drawn at one size whatever the window's: a PNG is 1,200 pixels wide.
QByteArray PictureBytes(const Chart& values, PictureFormat format);

}  // namespace larkspin
