#include "PrintPreview.h"

#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "PageDrawing.h"

namespace larkspin {

void PreviewPrintJob(const PrintJob& job, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(job.title);
  QPrintPreviewDialog dialog(&printer, parent);
  dialog.setWindowTitle(QObject::tr("Print Preview"));
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&job](QPrinter* target) {
                     QPainter painter(target);
                     job.draw(painter, QRectF(0, 0, target->width(), target->height()));
                   });
  dialog.exec();
}

}  // namespace larkspin
