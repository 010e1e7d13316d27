#include "AllowanceSetting.h"

#include <QSettings>

namespace larkspin {

namespace {

// By name, so that the choice survives a change in the list's order.
const QString kFormatKey = QStringLiteral("handicap/format");
const QString kCustomKey = QStringLiteral("handicap/customAllowance");

}  // namespace

Allowance ReadAllowance(const QSettings* settings) {
  Allowance allowance;
  if (!settings) return allowance;
  const std::string name = settings->value(kFormatKey).toString().toStdString();
  for (std::size_t i = 0; i < kAllowanceFormats.size(); ++i) {
    if (kAllowanceFormats[i].name == name) allowance.format = i;
  }
  bool number = false;
  const int custom = settings->value(kCustomKey).toInt(&number);
  if (number && custom >= kLowestAllowance && custom <= kHighestAllowance)
    allowance.customPercent = custom;
  return allowance;
}

void WriteAllowance(QSettings* settings, const Allowance& allowance) {
  if (!settings) return;
  settings->setValue(
      kFormatKey,
      QString::fromUtf8(kAllowanceFormats[allowance.format].name.data(),
                        static_cast<qsizetype>(kAllowanceFormats[allowance.format].name.size())));
  settings->setValue(kCustomKey, allowance.customPercent);
  settings->sync();
}

}  // namespace larkspin
