#include "ProgramIcon.h"

#include <QIconEngine>
#include <QImage>
#include <QPixmap>
#include <array>
#include <optional>

namespace larkspin {

namespace {

constexpr std::array kSizes{16, 32, 48, 64, 128, 256};

// PNG renderings of resources/larkspin.svg: drawing the SVG itself would load Qt SVG and its
// plugins at every start, for the title bar alone.
// Read as PNG by name: left to guess, the reader would load every image plugin to ask it.
QIcon DecodedIcon() {
  QIcon icon;
  for (const int size : kSizes) {
    icon.addPixmap(
        QPixmap::fromImage(QImage(QStringLiteral(":/icons/larkspin-%1.png").arg(size), "PNG")));
  }
  return icon;
}

// Names its sizes without decoding them: the renderings are read at the first drawing, which on
// a platform that shows no title bar (and so never asks) is never.
class ProgramIconEngine final : public QIconEngine {
 public:
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Decoded().pixmap(size, mode, state);
  }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    Decoded().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Decoded().actualSize(size, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                       qreal scale) override {
    return Decoded().pixmap(size, scale, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    for (const int size : kSizes)
      sizes.append(QSize(size, size));
    return sizes;
  }
  bool isNull() override { return false; }
  QString key() const override { return QStringLiteral("larkspin-program"); }
  QIconEngine* clone() const override { return new ProgramIconEngine(*this); }

 private:
  const QIcon& Decoded() {
    if (!decoded_) decoded_ = DecodedIcon();
    return *decoded_;
  }

  std::optional<QIcon> decoded_;
};

}  // namespace

QIcon ProgramIcon() {
  return QIcon(new ProgramIconEngine);
}

}  // namespace larkspin
