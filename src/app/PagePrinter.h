#pragma once

#include <string>

#include "PageDrawing.h"

class QWidget;

namespace larkspin {

class Prompter;

// Printing a page: Qt's print preview, printed from through the print dialog. Tests record
// the job instead.
class PagePrinter {
 public:
  virtual ~PagePrinter() = default;
  virtual void Preview(const PrintJob& job, QWidget* parent) = 0;
};

// The preview of the chart library, which brings Qt Print Support with it: a start that prints
// nothing does not load it. When the library cannot be loaded, `prompter` tells why.
class LibraryPagePrinter final : public PagePrinter {
 public:
  LibraryPagePrinter(Prompter& prompter, std::string appName)
      : prompter_(prompter), appName_(std::move(appName)) {}
  void Preview(const PrintJob& job, QWidget* parent) override;

 private:
  Prompter& prompter_;
  std::string appName_;
};

}  // namespace larkspin
