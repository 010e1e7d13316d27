#include "CAboutDlg.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace larkspin {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("About LKS"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* icon = new QLabel(this);
  icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
  icon->setAccessibleName(tr("Larkspin icon"));
  auto* text = new QLabel(tr("Larkspin Version 1.0"), this);
  auto* licence = new QLabel(
      tr("Free software under the GNU General Public License, version 3 or later"), this);
  auto* ok = new QPushButton(tr("OK"), this);
  ok->setDefault(true);
  ok->setAccessibleName(tr("OK"));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, Qt::AlignTop);
  layout->addWidget(text, 0, 1, Qt::AlignLeft | Qt::AlignVCenter);
  layout->addWidget(ok, 0, 2, Qt::AlignTop);
  layout->addWidget(licence, 1, 1, 1, 2, Qt::AlignLeft);
  layout->setColumnStretch(1, 1);
  layout->setHorizontalSpacing(16);
  setMinimumWidth(360);
  setFixedHeight(sizeHint().height());
}

}  // namespace larkspin
