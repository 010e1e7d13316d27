#pragma once

class QWidget;

namespace larkspin {

struct PrintJob;

// Qt's print preview of the job over `parent`, on the printer's own page size; its Print button
// opens the print dialog. Returns when it closes.
void PreviewPrintJob(const PrintJob& job, QWidget* parent);

}  // namespace larkspin
