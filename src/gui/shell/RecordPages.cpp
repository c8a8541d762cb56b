#include "gui/shell/RecordPages.h"

#include "gui/shell/ResultLines.h"

#include "core/runtime/Clock.h"
#include "core/runtime/MessageBoxService.h"
#include "core/runtime/WholeFile.h"
#include "gui/shell/WindowServices.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ondal {

const QPageLayout &recordPageLayout()
{
    static const QPageLayout page(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    return page;
}

QPalette paperPalette()
{
    QPalette paper;
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::Text, Qt::black);
    paper.setColor(QPalette::Highlight, QColor(0x1f, 0x5f, 0xa8));
    return paper;
}

QString saveRecordPdf(const QString &fileName, const QString &title, const RecordPainter &paint)
{
    // Made whole in memory (a page is small), then written in one piece
    // beside the file and put in its place once complete, so that a failed
    // write leaves an earlier record whole and says why in the system's words.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdfWriter(&pdf);
        pdfWriter.setPageLayout(recordPageLayout());
        pdfWriter.setTitle(title);
        pdfWriter.setCreator(u"Ondal"_s);
        QPainter painter;
        if (!painter.begin(&pdfWriter))
            return u"the PDF could not be started"_s;
        paint(painter, QRectF(0, 0, pdfWriter.width(), pdfWriter.height()),
              [&pdfWriter] { return pdfWriter.newPage(); });
        if (!painter.end())
            return u"the PDF could not be completed"_s;
    }
    return writeWholeFile(fileName, pdf.data());
}

void printFromWindow(QWidget *window, const WindowServices &services, const RecordOutput &output)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(recordPageLayout());
    printer.setDocName(output.title);
    printer.setCreator(u"Ondal"_s);
    if (!services.dialogs.setUpPrinter(window, printer))
        return;
    QString failure;
    QPainter painter;
    if (!painter.begin(&printer)) {
        failure = u"the printer could not be started"_s;
    } else {
        output.paint(painter, QRectF(0, 0, printer.width(), printer.height()),
                     [&printer] { return printer.newPage(); });
        if (!painter.end() || printer.printerState() == QPrinter::Error)
            failure = u"the printer reported an error"_s;
    }
    if (!failure.isEmpty()) {
        const QString where =
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        services.messages.msgBox(u"%1 could not be printed on\n%2\n\n%3."_s.arg(
            output.what, where, asSentence(failure)));
    }
}

void savePdfFromWindow(QWidget *window, const WindowServices &services, const RecordOutput &output)
{
    // The documents folder, where there is one.
    QString folder = services.folders.documents;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QString suggested = QDir(folder).filePath(
        u"%1 %2.pdf"_s.arg(output.fileStem, services.clock.now().toString(u"yyyy-MM-dd HHmm"_s)));
    const QString fileName = services.dialogs.pdfFileName(window, suggested);
    if (fileName.isEmpty())
        return;
    const QString failure = saveRecordPdf(fileName, output.title, output.paint);
    if (!failure.isEmpty())
        services.messages.msgBox(u"%1 could not be saved as PDF in the file\n%2\n\n%3."_s.arg(
            output.what, QDir::toNativeSeparators(fileName), asSentence(failure)));
}

RecordPager::RecordPager(QPainter &painter, const QRectF &page, const QString &title,
                         const QDateTime &made, const NewPage &newPage)
    : m_painter(painter), m_page(page), m_title(title), m_made(made), m_newPage(newPage),
      m_pt(painter.device()->logicalDpiY() / 72.0)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRect(page);
    m_body = painter.font();
    m_body.setPointSizeF(10);
    m_heading = m_body;
    m_heading.setBold(true);
    m_titleFont = m_heading;
    m_titleFont.setPointSizeF(16);
    m_y = page.top();
    heading(false);
}

RecordPager::~RecordPager()
{
    m_painter.restore();
}

qreal RecordPager::width() const
{
    return m_page.width();
}

qreal RecordPager::height() const
{
    return m_page.height();
}

qreal RecordPager::left() const
{
    return m_page.left();
}

qreal RecordPager::room() const
{
    return m_page.bottom() - m_y;
}

qreal RecordPager::lineSpacing(const QFont &font) const
{
    return QFontMetricsF(font, m_painter.device()).lineSpacing();
}

qreal RecordPager::wrappedHeight(const QFont &font, const QString &text, qreal width) const
{
    return QFontMetricsF(font, m_painter.device())
        .boundingRect(QRectF(0, 0, width, 1e9), Wrap, text)
        .height();
}

qreal RecordPager::take(qreal height, qreal after)
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

void RecordPager::skip(qreal height)
{
    m_y = std::min(m_y + height, m_page.bottom());
}

void RecordPager::paragraph(const QString &text, const QFont &font, qreal after)
{
    const qreal height = wrappedHeight(font, text, width());
    const qreal top = take(height, after);
    m_painter.setFont(font);
    m_painter.drawText(QRectF(left(), top, width(), height), Wrap, text);
}

void RecordPager::headline(const QString &text)
{
    paragraph(text, m_heading, 2 * m_pt);
    m_painter.setFont(m_body);
}

QRectF RecordPager::plotArea(const QList<ResultLine> &linesAfter, qreal least, qreal most)
{
    const qreal height =
        std::clamp(room() - linesHeight(linesAfter) - 12 * m_pt, least, std::max(least, most));
    const qreal top = take(height, 12 * m_pt);
    QFont plotFont = m_body;
    plotFont.setPointSizeF(9);
    m_painter.setFont(plotFont);
    return QRectF(left(), top, width(), height);
}

void RecordPager::lines(const QList<ResultLine> &lines)
{
    m_painter.setPen(Qt::black);
    for (const ResultLine &entry : lines)
        paragraph(entry.text, lineFont(m_body, entry.kind), 2 * m_pt);
    m_painter.setFont(m_body);
}

qreal RecordPager::linesHeight(const QList<ResultLine> &lines) const
{
    qreal height = 0;
    for (const ResultLine &entry : lines)
        height += wrappedHeight(lineFont(m_body, entry.kind), entry.text, width()) + 2 * m_pt;
    return height;
}

// The title and when the record was made (24-hour, unambiguous); on a later
// page the same, continued.
void RecordPager::heading(bool continued)
{
    const qreal height = lineSpacing(m_titleFont);
    m_painter.setPen(Qt::black);
    m_painter.setFont(m_titleFont);
    m_painter.drawText(QRectF(left(), m_y, width(), height), Qt::AlignLeft | Qt::AlignBottom,
                       continued ? u"%1 (continued)"_s.arg(m_title) : m_title);
    m_painter.setFont(m_body);
    QString made = u"Made "_s + m_made.toString(u"yyyy-MM-dd HH:mm"_s);
    if (continued)
        made += u" · page %1"_s.arg(m_pages);
    m_painter.drawText(QRectF(left(), m_y, width(), height), Qt::AlignRight | Qt::AlignBottom,
                       made);
    m_y += height + 10 * m_pt;
    m_top = m_y;
}

} // namespace ondal
