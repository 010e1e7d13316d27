#pragma once

#include <QPageSize>
#include <QRectF>
#include <QString>
#include <functional>
#include <optional>

#include "RecordLayout.h"
#include "ScorecardLayout.h"

class QPainter;

namespace larkspin {

// One page to print or save: its document title and how it is drawn into the printable area of
// a page, in the device's own units. The window's print preview, its PDF and the command line's
// PDF all draw through it.
struct PrintJob {
  QString title;
  std::function<void(QPainter& painter, const QRectF& area)> draw;
};

// The card at the top of the page, as wide as the page and never taller than it: one page at any
// size and orientation.
PrintJob ScorecardJob(ScorecardLayout card);
PrintJob RecordJob(RecordLayout record);

// The paper size of the system's locale: Letter where inches are used, A4 elsewhere.
QPageSize LocalPageSize();

// The job as a one-page PDF at `pageSize`, its text real text in embedded fonts, written
// atomically to `path` (see WriteFileAtomically); what went wrong, for the user, when it was not.
std::optional<QString> WritePdf(const PrintJob& job, const QString& path,
                                const QPageSize& pageSize);

}  // namespace larkspin
