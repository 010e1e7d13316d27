#include "ProgramIcon.h"

#include <QImage>
#include <QPixmap>

namespace larkspin {

QIcon ProgramIcon() {
  // PNG renderings of resources/larkspin.svg: drawing the SVG itself would load Qt SVG and its
  // plugins at every start, for the title bar alone.
  // Read as PNG by name: left to guess, the reader would load every image plugin to ask it.
  QIcon icon;
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    icon.addPixmap(QPixmap::fromImage(
        QImage(QStringLiteral(":/icons/larkspin-%1.png").arg(size), "PNG")));
  }
  return icon;
}

}  // namespace larkspin
