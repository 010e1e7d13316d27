#include "PlayingHandicapBox.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

#include "AllowanceSetting.h"
#include "HandicapText.h"
#include "Tenths.h"

namespace larkspin {

PlayingHandicapBox::PlayingHandicapBox(QSettings* settings, QWidget* parent)
    : QWidget(parent), settings_(settings), chosen_(ReadAllowance(settings)) {
  format = new QComboBox(this);
  format->setAccessibleName(tr("Format"));
  for (const AllowanceFormat& shown : kAllowanceFormats)
    format->addItem(QString::fromStdString(FormatChoiceText(shown)));
  format->setCurrentIndex(static_cast<int>(chosen_.format));
  custom = new QSpinBox(this);
  custom->setAccessibleName(tr("Custom allowance"));
  custom->setRange(kLowestAllowance, kHighestAllowance);
  custom->setSuffix(QStringLiteral(" %"));
  custom->setValue(chosen_.customPercent);
  custom->setVisible(chosen_.format == kCustomFormat);
  playingHandicap = new QLabel(this);
  QFont bold = playingHandicap->font();
  bold.setBold(true);
  playingHandicap->setFont(bold);
  auto* label = new QLabel(tr("F&ormat:"), this);
  label->setBuddy(format);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(label);
  layout->addWidget(format);
  layout->addWidget(custom);
  layout->addSpacing(12);
  layout->addWidget(playingHandicap);
  connect(format, &QComboBox::currentIndexChanged, this, &PlayingHandicapBox::TakeChoice);
  connect(custom, &QSpinBox::valueChanged, this, &PlayingHandicapBox::TakeChoice);
  Show(std::nullopt);
}

void PlayingHandicapBox::TakeChoice() {
  chosen_.format = static_cast<std::size_t>(std::max(format->currentIndex(), 0));
  chosen_.customPercent = custom->value();
  custom->setVisible(chosen_.format == kCustomFormat);
  WriteAllowance(settings_, chosen_);
  emit AllowanceChanged();
}

void PlayingHandicapBox::Show(const std::optional<CourseStrokes>& strokes) {
  const QString value = QString::fromStdString(
      strokes ? CourseHandicapText(strokes->playingHandicap) : IndexText(std::nullopt));
  playingHandicap->setText(tr("Playing handicap: %1").arg(value));
  playingHandicap->setAccessibleName(tr("Playing handicap %1").arg(value));
}

}  // namespace larkspin
