#include "gui/streams/StreamRecord.h"

#include "gui/streams/VectorTrianglePlot.h"

#include <QPainter>
#include <QPalette>

#include <algorithm>

using namespace Qt::StringLiterals;
using ondal::streams::StreamRecord;

namespace ondal {
namespace {

// The station's table as the chart prints it, a row an hour, the set and
// the two rates side by side; returns its height.
qreal paintTable(QPainter &painter, const RecordPager &pager, const QRectF &column,
                 const QList<StreamRecord::Row> &rows, bool measureOnly)
{
    const QFont body = pager.body();
    QFont bold = body;
    bold.setBold(true);
    const qreal line = pager.lineSpacing(body);
    if (rows.isEmpty()) {
        if (!measureOnly)
            painter.drawText(QRectF(column.left(), column.top(), column.width(), line),
                             RecordPager::Wrap, u"No row of the table is typed."_s);
        return line;
    }
    if (measureOnly)
        return line * (rows.size() + 2);
    const qreal cell = column.width() / 4;
    const auto row = [&](qreal top, const QStringList &texts, const QFont &font) {
        painter.setFont(font);
        for (qsizetype i = 0; i < texts.size(); ++i)
            painter.drawText(QRectF(column.left() + i * cell, top, cell - 4 * pager.pt(), line),
                             Qt::AlignLeft | Qt::AlignTop, texts.at(i));
    };
    row(column.top(), {u"Hour"_s, u"Set"_s, u"Springs"_s, u"Neaps"_s}, bold);
    row(column.top() + line, {QString(), u"°T"_s, u"kn"_s, u"kn"_s}, bold);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const StreamRecord::Row &r = rows.at(i);
        row(column.top() + line * (i + 2), {r.hour, r.set, r.spring, r.neap}, body);
    }
    painter.setFont(body);
    return line * (rows.size() + 2);
}

// The day's and the leg's values, one under another; returns their height.
qreal paintEntries(QPainter &painter, const RecordPager &pager, const QRectF &column,
                   const QStringList &entries, bool measureOnly)
{
    qreal y = column.top();
    painter.setFont(pager.body());
    for (const QString &entry : entries) {
        const qreal height = pager.wrappedHeight(pager.body(), entry, column.width());
        if (!measureOnly)
            painter.drawText(QRectF(column.left(), y, column.width(), height), RecordPager::Wrap,
                             entry);
        y += height;
    }
    return y - column.top();
}

} // namespace

int paintStreamRecord(QPainter &painter, const QRectF &page, const StreamRecord &record,
                      const NewPage &newPage)
{
    RecordPager pager(painter, page, u"Tidal Stream"_s, record.made, newPage);
    const qreal pt = pager.pt();

    pager.headline(record.station);
    pager.paragraph(record.stationValues.join(u"     "_s), pager.body(), 6 * pt);

    // The table on the left, the day and the leg on the right.
    const qreal gutter = 18 * pt;
    const qreal tableWidth = (pager.width() - gutter) * 0.5;
    QRectF table(pager.left(), 0, tableWidth, 0);
    QRectF entries(pager.left() + tableWidth + gutter, 0, pager.width() - tableWidth - gutter, 0);
    const qreal height = std::max(paintTable(painter, pager, table, record.rows, true),
                                  paintEntries(painter, pager, entries, record.entries, true));
    const qreal top = pager.take(height, 12 * pt);
    table.moveTop(top);
    entries.moveTop(top);
    paintTable(painter, pager, table, record.rows, false);
    paintEntries(painter, pager, entries, record.entries, false);

    // The triangle takes the room the lines leave, within bounds.
    const QRectF plot = pager.plotArea(record.lines, pager.width() * 0.35,
                                       std::min(pager.width() * 0.6, pager.height() * 0.45));
    paintVectorTriangle(painter, plot, record.leg, paperPalette(), record.hint);

    pager.lines(record.lines);
    return pager.pages();
}

RecordPainter streamRecordPainter(const StreamRecord &record)
{
    return [record](QPainter &painter, const QRectF &page, const NewPage &newPage) {
        return paintStreamRecord(painter, page, record, newPage);
    };
}

} // namespace ondal
