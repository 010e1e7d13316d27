#pragma once

#include <QDialog>

namespace larkspin {

// "About LKS": the program's icon, its name and version, its licence, and "OK".
class CAboutDlg final : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace larkspin
