#pragma once

#include "core/tide/CurveRecord.h"
#include "gui/shell/RecordPages.h"

#include <QString>

#include <functional>

class QPainter;
class QRectF;

namespace ondal {

// The record on A4 pages: a title with the time it was made, the worksheet's
// fields, the draught and clearance, the secondary port's working, the plot
// and the lines, in black on white whatever the screen's colours. Where it
// runs past the page, newPage() starts the next one (with the title
// repeated); without it, what does not fit is left off. Nothing is drawn
// outside the page rectangle. Returns the pages it took.
int paintRecord(QPainter &painter, const QRectF &page, const TideRecord &record,
                const std::function<bool()> &newPage = {});

// Writes the record as an A4 PDF file, as saveRecordPdf() does.
QString saveRecordAsPdf(const QString &fileName, const TideRecord &record);

// The record's pages, for Print… and Save as PDF….
RecordPainter recordPainter(const TideRecord &record);

} // namespace ondal
