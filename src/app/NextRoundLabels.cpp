#include "NextRoundLabels.h"

#include <QLabel>

#include "NextRoundText.h"

namespace larkspin {

namespace {

void Put(QLabel* label, const std::string& text) {
  label->setText(QString::fromStdString(text));
  label->setAccessibleName(label->text());
}

}  // namespace

NextRoundLabels::NextRoundLabels(QWidget* parent)
    : change(new QLabel(parent)),
      leaving(new QLabel(parent)),
      lower(new QLabel(parent)),
      keep(new QLabel(parent)) {
  for (QLabel* label : {change, leaving, lower, keep})
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  ShowTargets({});
}

void NextRoundLabels::ShowOutlook(const IndexOutlook& outlook) {
  Put(change, IndexChangeText(outlook.change));
  Put(leaving, LeavingText(outlook.leaving));
}

void NextRoundLabels::ShowTargets(const NextRoundTargets& targets) {
  Put(lower, LowerText(targets.lower));
  Put(keep, KeepText(targets.keep));
}

}  // namespace larkspin
