#pragma once

#include "core/tide/TideReading.h"
#include "core/worksheet/WorksheetRecord.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class QPainter;
class QPrinter;
class QRectF;

namespace ondal {

// A record of the tide curve for the passage plan, as the window stands
// when it is made.
struct TideRecord
{
    QDateTime made;
    // The filled-in worksheet fields in step order, a time on one row, stale
    // read-outs marked. None without a worksheet.
    QList<worksheet::RecordRow> fields;
    bool worksheetOpen = false;
    // The window's own entries as they are printed, a group to a line:
    // "Draught: 2.5 m   Under-keel clearance: 10 %   …".
    QStringList entries;
    tide::TideReading reading;
    QList<ResultLine> lines; // as the window shows them
    QString hint;            // for a plot without a curve
    // The secondary port's working, while the worksheet still holds the
    // tides it was given from it; empty otherwise.
    QStringList secondaryPort;
};

// The record on one page: a title with the time it was made, the worksheet's
// fields, the draught and clearance, the plot and the lines, in black on
// white whatever the screen's colours.
void paintRecord(QPainter &painter, const QRectF &page, const TideRecord &record);

// Writes the record as a one-page A4 PDF file. An existing file is replaced
// only once the new one is complete. Returns why the file could not be
// written, in the system's words, or an empty text when it was.
QString saveRecordAsPdf(const QString &fileName, const TideRecord &record);

// A4 upright, for the print dialog to start from.
void setUpForRecord(QPrinter &printer);

// Prints the record on the printer as set up. Returns why it could not be
// printed, or an empty text when it went to the printer.
QString printRecord(QPrinter &printer, const TideRecord &record);

} // namespace ondal
