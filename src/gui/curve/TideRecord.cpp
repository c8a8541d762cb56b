#include "gui/curve/TideRecord.h"

#include "core/runtime/WholeFile.h"
#include "gui/curve/TideCurvePlot.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace ondal {
namespace {

using ondal::ResultLine;

const QPageLayout &recordPage()
{
    static const QPageLayout page(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    return page;
}

// The plot on paper: black on white, the curve in a dark blue that also
// prints legibly in grey.
QPalette paperPalette()
{
    QPalette paper;
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::Text, Qt::black);
    paper.setColor(QPalette::Highlight, QColor(0x1f, 0x5f, 0xa8));
    return paper;
}

// A row as printed: "Time of high water 14:30", a stale read-out marked.
QString rowText(const worksheet::RecordRow &row)
{
    const QString text = row.label + u' ' + row.value;
    if (!row.stale)
        return text;
    return u"%1 (%2)"_s.arg(text, QString::fromUtf16(worksheet::NotRecalculated));
}

QFont lineFont(const QFont &body, ResultLine::Kind kind)
{
    QFont font = body;
    switch (kind) {
    case ResultLine::Kind::Note:
    case ResultLine::Kind::Reason:
        font.setItalic(true);
        break;
    case ResultLine::Kind::Disclaimer:
        font.setPointSizeF(body.pointSizeF() * 0.85);
        break;
    case ResultLine::Kind::Summary:
    case ResultLine::Kind::Result:
        break;
    }
    return font;
}

// The secondary port's working under its own heading, from y; returns where
// the next section starts. Nothing without one.
qreal paintSecondaryPort(QPainter &painter, const QRectF &page, qreal y, const QStringList &working,
                         const QFont &heading, const QFont &body)
{
    if (working.isEmpty())
        return y;
    const QPaintDevice *device = painter.device();
    const qreal pt = device->logicalDpiY() / 72.0;
    const int wrap = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    painter.setFont(heading);
    painter.drawText(QPointF(page.left(), y + QFontMetricsF(heading, device).ascent()),
                     u"Secondary port"_s);
    y += QFontMetricsF(heading, device).lineSpacing() + 2 * pt;
    painter.setFont(body);
    const QFontMetricsF metrics(body, device);
    for (const QString &text : working) {
        const qreal height =
            metrics.boundingRect(QRectF(0, 0, page.width(), 1e9), wrap, text).height();
        painter.drawText(QRectF(page.left(), y, page.width(), height), wrap, text);
        y += height + 1 * pt;
    }
    return y + 9 * pt;
}

} // namespace

void paintRecord(QPainter &painter, const QRectF &page, const TideRecord &record)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QPaintDevice *device = painter.device();
    const qreal pt = device->logicalDpiY() / 72.0; // device units per point
    const int wrap = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

    QFont body = painter.font();
    body.setPointSizeF(10);
    QFont heading = body;
    heading.setBold(true);
    QFont title = heading;
    title.setPointSizeF(16);
    const auto lineHeight = [device](const QFont &font) {
        return QFontMetricsF(font, device).lineSpacing();
    };
    const auto wrappedHeight = [&](const QFont &font, const QString &text) {
        return QFontMetricsF(font, device)
            .boundingRect(QRectF(0, 0, page.width(), 1e9), wrap, text)
            .height();
    };

    painter.setPen(Qt::black);
    qreal y = page.top();

    // The title, and when the record was made (24-hour, unambiguous).
    painter.setFont(title);
    painter.drawText(QRectF(page.left(), y, page.width(), lineHeight(title)),
                     Qt::AlignLeft | Qt::AlignBottom, u"Tide Curve"_s);
    painter.setFont(body);
    painter.drawText(QRectF(page.left(), y, page.width(), lineHeight(title)),
                     Qt::AlignRight | Qt::AlignBottom,
                     u"Made "_s + record.made.toString(u"yyyy-MM-dd HH:mm"_s));
    y += lineHeight(title) + 10 * pt;

    // The worksheet's filled-in fields, in two columns read downwards.
    painter.setFont(heading);
    painter.drawText(QPointF(page.left(), y + QFontMetricsF(heading, device).ascent()),
                     u"Worksheet"_s);
    y += lineHeight(heading) + 2 * pt;
    painter.setFont(body);
    const qreal line = lineHeight(body);
    if (record.fields.isEmpty()) {
        painter.drawText(QRectF(page.left(), y, page.width(), line), Qt::AlignLeft,
                         record.worksheetOpen ? u"Every field is empty."_s
                                              : u"The worksheet is not open."_s);
        y += line;
    } else {
        // Two columns read downwards; a row too long for its column wraps,
        // nothing is cut.
        const qsizetype rows = (record.fields.size() + 1) / 2;
        const qreal gutter = 18 * pt;
        const qreal column = (page.width() - gutter) / 2;
        QFont staleFont = body;
        staleFont.setItalic(true);
        qreal columnBottom[2] = {y, y};
        for (qsizetype i = 0; i < record.fields.size(); ++i) {
            const int side = i < rows ? 0 : 1;
            const worksheet::RecordRow &row = record.fields.at(i);
            // A stale read-out stands apart in italics, as notes do below.
            painter.setFont(row.stale ? staleFont : body);
            const QString text = rowText(row);
            const qreal height = QFontMetricsF(painter.font(), device)
                                     .boundingRect(QRectF(0, 0, column, 1e9), wrap, text)
                                     .height();
            painter.drawText(
                QRectF(page.left() + side * (column + gutter), columnBottom[side], column, height),
                wrap, text);
            columnBottom[side] += height;
        }
        y = std::max(columnBottom[0], columnBottom[1]);
        painter.setFont(body);
    }
    y += 6 * pt;
    for (const QString &given : record.entries) {
        const qreal givenHeight = wrappedHeight(body, given);
        painter.drawText(QRectF(page.left(), y, page.width(), givenHeight), wrap, given);
        y += givenHeight + 2 * pt;
    }
    y += 8 * pt;
    y = paintSecondaryPort(painter, page, y, record.secondaryPort, heading, body);

    // The lines go at the foot; the plot takes the room between.
    qreal linesHeight = 0;
    for (const ResultLine &entry : record.lines)
        linesHeight += wrappedHeight(lineFont(body, entry.kind), entry.text) + 2 * pt;
    const qreal plotHeight =
        std::clamp(page.bottom() - y - linesHeight - 12 * pt, 80 * pt, page.width() * 0.7);
    QFont plotFont = body;
    plotFont.setPointSizeF(9);
    painter.setFont(plotFont);
    paintTideCurve(painter, QRectF(page.left(), y, page.width(), plotHeight), record.reading,
                   paperPalette(), record.hint);
    y += plotHeight + 12 * pt;

    painter.setPen(Qt::black);
    for (const ResultLine &entry : record.lines) {
        const QFont font = lineFont(body, entry.kind);
        painter.setFont(font);
        const qreal height = wrappedHeight(font, entry.text);
        painter.drawText(QRectF(page.left(), y, page.width(), height), wrap, entry.text);
        y += height + 2 * pt;
    }
    painter.restore();
}

QString saveRecordAsPdf(const QString &fileName, const TideRecord &record)
{
    // Made whole in memory (a page is small), then written in one piece
    // beside the file and put in its place once complete, so that a failed
    // write leaves an earlier record whole and says why in the system's words.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdfWriter(&pdf);
        pdfWriter.setPageLayout(recordPage());
        pdfWriter.setTitle(u"Tide Curve"_s);
        pdfWriter.setCreator(u"Ondal"_s);
        QPainter painter;
        if (!painter.begin(&pdfWriter))
            return u"the PDF could not be started"_s;
        paintRecord(painter, QRectF(0, 0, pdfWriter.width(), pdfWriter.height()), record);
        if (!painter.end())
            return u"the PDF could not be completed"_s;
    }
    return writeWholeFile(fileName, pdf.data());
}

void setUpForRecord(QPrinter &printer)
{
    printer.setPageLayout(recordPage());
    printer.setDocName(u"Tide Curve"_s);
    printer.setCreator(u"Ondal"_s);
}

QString printRecord(QPrinter &printer, const TideRecord &record)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return u"the printer could not be started"_s;
    paintRecord(painter, QRectF(0, 0, printer.width(), printer.height()), record);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return u"the printer reported an error"_s;
    return QString();
}

} // namespace ondal
