#pragma once

#include <QGroupBox>

#include "RoundTotals.h"

class QLineEdit;

namespace larkspin {

class HoleBox;

// "Out", "In" or "Total" beside the holes: the sums of the par, strokes and putts rows, level
// with those rows of the hole groups; the drive and club rows stay empty. Its fields are
// read-only and never take the focus. "Total" also shows the score to par below its strokes.
class TotalsBox final : public QGroupBox {
  Q_OBJECT

 public:
  // Level with the rows of `hole`.
  TotalsBox(const QString& title, bool showsToPar, const HoleBox& hole, QWidget* parent = nullptr);

  void Show(const HoleSums& sums);
  void ShowToPar(const std::string& text);

  QLineEdit* par;
  QLineEdit* strokes;
  QLineEdit* putts;
  QLineEdit* toPar = nullptr;  // "Total" alone
};

}  // namespace larkspin
