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
#include <functional>

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

// Writes the record down the page, block after block, and starts a new page
// with the heading repeated where the next block would pass the bottom
// margin. Nothing is drawn past the margin: a block is moved on whole, and
// the painter is clipped to the page besides.
class Pager
{
public:
    Pager(QPainter &painter, const QRectF &page, const TideRecord &record,
          const std::function<bool()> &newPage)
        : m_painter(painter), m_page(page), m_record(record), m_newPage(newPage),
          m_pt(painter.device()->logicalDpiY() / 72.0)
    {
        m_body = painter.font();
        m_body.setPointSizeF(10);
        m_heading = m_body;
        m_heading.setBold(true);
        m_title = m_heading;
        m_title.setPointSizeF(16);
        m_y = page.top();
        heading(false);
    }

    qreal pt() const { return m_pt; }
    const QFont &body() const { return m_body; }
    qreal width() const { return m_page.width(); }
    qreal left() const { return m_page.left(); }
    qreal room() const { return m_page.bottom() - m_y; }
    int pages() const { return m_pages; }

    qreal lineSpacing(const QFont &font) const
    {
        return QFontMetricsF(font, m_painter.device()).lineSpacing();
    }
    qreal wrappedHeight(const QFont &font, const QString &text, qreal width) const
    {
        return QFontMetricsF(font, m_painter.device())
            .boundingRect(QRectF(0, 0, width, 1e9), Wrap, text)
            .height();
    }

    // The top of a block of the given height, on a new page where it does
    // not fit the rest of this one; the block is taken.
    qreal take(qreal height, qreal after = 0)
    {
        if (height > room() && m_y > m_top && m_newPage && m_pages < MostPages && m_newPage()) {
            ++m_pages;
            m_y = m_page.top();
            heading(true);
        }
        const qreal top = m_y;
        m_y += height + after;
        return top;
    }
    void skip(qreal height) { m_y = std::min(m_y + height, m_page.bottom()); }

    // A text wrapped to the page's width, as one block.
    void paragraph(const QString &text, const QFont &font, qreal after)
    {
        const qreal height = wrappedHeight(font, text, width());
        const qreal top = take(height, after);
        m_painter.setFont(font);
        m_painter.drawText(QRectF(left(), top, width(), height), Wrap, text);
    }
    void headline(const QString &text)
    {
        paragraph(text, m_heading, 2 * m_pt);
        m_painter.setFont(m_body);
    }

    static constexpr int Wrap = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

private:
    // The title and when the record was made (24-hour, unambiguous); on a
    // later page the same, continued.
    void heading(bool continued)
    {
        const qreal height = lineSpacing(m_title);
        m_painter.setPen(Qt::black);
        m_painter.setFont(m_title);
        m_painter.drawText(QRectF(left(), m_y, width(), height), Qt::AlignLeft | Qt::AlignBottom,
                           continued ? u"Tide Curve (continued)"_s : u"Tide Curve"_s);
        m_painter.setFont(m_body);
        QString made = u"Made "_s + m_record.made.toString(u"yyyy-MM-dd HH:mm"_s);
        if (continued)
            made += u" · page %1"_s.arg(m_pages);
        m_painter.drawText(QRectF(left(), m_y, width(), height), Qt::AlignRight | Qt::AlignBottom,
                           made);
        m_y += height + 10 * m_pt;
        m_top = m_y;
    }

    // However long the record, it ends: a page count no record reaches.
    static constexpr int MostPages = 20;

    QPainter &m_painter;
    const QRectF m_page;
    const TideRecord &m_record;
    const std::function<bool()> &m_newPage;
    const qreal m_pt; // device units per point
    QFont m_body;
    QFont m_heading;
    QFont m_title;
    qreal m_y = 0;
    qreal m_top = 0; // where a page's blocks start, under its heading
    int m_pages = 1;
};

// The worksheet's filled-in fields in two columns read downwards; a row too
// long for its column wraps, nothing is cut.
void paintWorksheet(QPainter &painter, Pager &pager, const QList<worksheet::RecordRow> &fields)
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
                         Pager::Wrap, text);
        y[side] += height;
    }
    painter.setFont(body);
}

} // namespace

int paintRecord(QPainter &painter, const QRectF &page, const TideRecord &record,
                const std::function<bool()> &newPage)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRect(page);
    Pager pager(painter, page, record, newPage);
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
    qreal linesHeight = 0;
    for (const ResultLine &entry : record.lines)
        linesHeight +=
            pager.wrappedHeight(lineFont(pager.body(), entry.kind), entry.text, pager.width()) +
            2 * pt;
    const qreal least = pager.width() * 0.45;
    const qreal most = std::min(pager.width() * 0.7, page.height() * 0.6);
    const qreal plotHeight = std::clamp(pager.room() - linesHeight - 12 * pt, least, most);
    QFont plotFont = pager.body();
    plotFont.setPointSizeF(9);
    const qreal plotTop = pager.take(plotHeight, 12 * pt);
    painter.setFont(plotFont);
    paintTideCurve(painter, QRectF(page.left(), plotTop, page.width(), plotHeight), record.reading,
                   paperPalette(), record.hint);

    painter.setPen(Qt::black);
    for (const ResultLine &entry : record.lines)
        pager.paragraph(entry.text, lineFont(pager.body(), entry.kind), 2 * pt);
    painter.restore();
    return pager.pages();
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
        paintRecord(painter, QRectF(0, 0, pdfWriter.width(), pdfWriter.height()), record,
                    [&pdfWriter] { return pdfWriter.newPage(); });
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
    paintRecord(painter, QRectF(0, 0, printer.width(), printer.height()), record,
                [&printer] { return printer.newPage(); });
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return u"the printer reported an error"_s;
    return QString();
}

} // namespace ondal
