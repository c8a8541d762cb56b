#include "gui/curve/TideRecord.h"

#include "gui/curve/TideCurvePlot.h"

#include <QPainter>
#include <QPalette>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ondal {
namespace {

const QString TideCurveTitle = u"Tide Curve"_s;

// A row as printed: "Time of high water 14:30", a stale read-out marked.
QString rowText(const worksheet::RecordRow &row)
{
    const QString text = row.label + u' ' + row.value;
    if (!row.stale)
        return text;
    return u"%1 (%2)"_s.arg(text, QString::fromUtf16(worksheet::NotRecalculated));
}

// The worksheet's filled-in fields in two columns read downwards; a row too
// long for its column wraps, nothing is cut.
void paintWorksheet(QPainter &painter, RecordPager &pager,
                    const QList<worksheet::RecordRow> &fields)
{
    pager.headline(u"Worksheet"_s);
    const QFont body = pager.body();
    if (fields.isEmpty()) {
        pager.paragraph(u"Every field is empty."_s, body, 0);
        return;
    }
    const qsizetype rows = (fields.size() + 1) / 2;
    const qreal gutter = 18 * pager.pt();
    const qreal column = (pager.width() - gutter) / 2;
    QFont staleFont = body;
    staleFont.setItalic(true);
    // A stale read-out stands apart in italics, as notes do below.
    const auto fontOf = [&](const worksheet::RecordRow &row) {
        return row.stale ? staleFont : body;
    };
    qreal heights[2] = {0, 0};
    for (qsizetype i = 0; i < fields.size(); ++i)
        heights[i < rows ? 0 : 1] +=
            pager.wrappedHeight(fontOf(fields.at(i)), rowText(fields.at(i)), column);
    const qreal top = pager.take(std::max(heights[0], heights[1]));
    qreal y[2] = {top, top};
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const int side = i < rows ? 0 : 1;
        const worksheet::RecordRow &row = fields.at(i);
        painter.setFont(fontOf(row));
        const QString text = rowText(row);
        const qreal height = pager.wrappedHeight(painter.font(), text, column);
        painter.drawText(QRectF(pager.left() + side * (column + gutter), y[side], column, height),
                         RecordPager::Wrap, text);
        y[side] += height;
    }
    painter.setFont(body);
}

} // namespace

int paintRecord(QPainter &painter, const QRectF &page, const TideRecord &record,
                const std::function<bool()> &newPage)
{
    RecordPager pager(painter, page, TideCurveTitle, record.made, newPage);
    const qreal pt = pager.pt();

    paintWorksheet(painter, pager, record.fields);
    pager.skip(6 * pt);
    for (const QString &given : record.entries)
        pager.paragraph(given, pager.body(), 2 * pt);
    pager.skip(8 * pt);
    if (!record.secondaryPort.isEmpty()) {
        pager.headline(u"Secondary port"_s);
        for (const QString &text : record.secondaryPort)
            pager.paragraph(text, pager.body(), 1 * pt);
        pager.skip(9 * pt);
    }

    // The plot takes the room the lines leave, within bounds; where too
    // little is left it goes on a new page with the lines after it.
    const QRectF plot = pager.plotArea(record.lines, pager.width() * 0.45,
                                       std::min(pager.width() * 0.7, pager.height() * 0.6));
    paintTideCurve(painter, plot, record.reading, paperPalette(), record.hint);

    pager.lines(record.lines);
    return pager.pages();
}

QString saveRecordAsPdf(const QString &fileName, const TideRecord &record)
{
    return saveRecordPdf(fileName, TideCurveTitle, recordPainter(record));
}

RecordPainter recordPainter(const TideRecord &record)
{
    return [record](QPainter &painter, const QRectF &page, const NewPage &newPage) {
        return paintRecord(painter, page, record, newPage);
    };
}

} // namespace ondal
