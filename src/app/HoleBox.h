#pragma once

#include <QGroupBox>

class QComboBox;
class QLineEdit;

namespace larkspin {

// "Hole N:": the par (read-only), then strokes, drive, club and putts, marked S, D, C and P.
class HoleBox final : public QGroupBox {
  Q_OBJECT

 public:
  HoleBox(int hole, QWidget* parent = nullptr);

  QLineEdit* par;
  QLineEdit* strokes;
  QLineEdit* drive;
  QComboBox* club;
  QLineEdit* putts;
};

}  // namespace larkspin
