#pragma once

#include <QGroupBox>

class QComboBox;
class QGridLayout;
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

// A field of the grid, as wide as the holes' fields; a read-only one is no tab stop.
QLineEdit* MakeGridField(QWidget* parent, const QString& name, bool readOnly);
// A hole's club box.
QComboBox* MakeClubBox(QWidget* parent, const QString& name);
// The layout of a group of the grid: a column of marks, then the fields, row by row.
QGridLayout* MakeGridGroupLayout(QWidget* group);

}  // namespace larkspin
