#pragma once

#include "core/tide/CurveRecord.h"

#include <QString>

#include <functional>

class QPainter;
class QPrinter;
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

// Writes the record as an A4 PDF file. An existing file is replaced
// only once the new one is complete. Returns why the file could not be
// written, in the system's words, or an empty text when it was.
QString saveRecordAsPdf(const QString &fileName, const TideRecord &record);

// A4 upright, for the print dialog to start from.
void setUpForRecord(QPrinter &printer);

// Prints the record on the printer as set up. Returns why it could not be
// printed, or an empty text when it went to the printer.
QString printRecord(QPrinter &printer, const TideRecord &record);

} // namespace ondal
