#pragma once

#include "core/runtime/LineText.h"

#include <QDateTime>
#include <QFont>
#include <QRectF>
#include <QString>

#include <functional>

class QPageLayout;
class QPainter;
class QPalette;
class QPrinter;
class QWidget;

// What every record for the passage plan shares, whichever window makes
// it: the A4 page, black on white, the title with the time it was made on
// each page, the lines in their kinds' fonts, the PDF written whole, the
// printer, and the window's side of both.

namespace ondal {

struct WindowServices;

// Starts the next page; false where there is none.
using NewPage = std::function<bool()>;
// Paints a record into the page's rectangle, going on to newPage() where it
// runs past it (without one, what does not fit is left off). Returns the
// pages it took.
using RecordPainter =
    std::function<int(QPainter &painter, const QRectF &page, const NewPage &newPage)>;

// A window's record as Print… and Save as PDF… put it out.
struct RecordOutput
{
    QString title;    // "Tide Curve": of the PDF and the print job
    QString what;     // "The tide curve", as a failure names it
    QString fileStem; // "Tide curve": the PDF is first offered as "Tide curve 2026-06-14 0930.pdf"
    RecordPainter paint;
};

// A4 upright with 15 mm margins.
const QPageLayout &recordPageLayout();
// Black on white whatever the screen's colours, the highlight a dark blue
// that also prints legibly in grey.
QPalette paperPalette();

// Writes the record as an A4 PDF file. An existing file is replaced only
// once the new one is complete. Returns why the file could not be written,
// in the system's words, or an empty text when it was.
QString saveRecordPdf(const QString &fileName, const QString &title, const RecordPainter &paint);

// Print… and Save as PDF… of a window: asks through the services' dialogs
// (the PDF first offered in the documents folder, named with the clock's
// time), and tells a failure naming the printer or the file.
void printFromWindow(QWidget *window, const WindowServices &services, const RecordOutput &output);
void savePdfFromWindow(QWidget *window, const WindowServices &services, const RecordOutput &output);

// Writes a record down the page, block after block, and starts a new page
// with the heading repeated where the next block would pass the bottom
// margin. Nothing is drawn past the margin: a block is moved on whole, and
// the painter is clipped to the page besides, for as long as the pager
// lasts.
class RecordPager
{
public:
    // Writes the heading: the title and when the record was made.
    RecordPager(QPainter &painter, const QRectF &page, const QString &title, const QDateTime &made,
                const NewPage &newPage);
    // Gives the painter back as it was.
    ~RecordPager();
    RecordPager(const RecordPager &) = delete;
    RecordPager &operator=(const RecordPager &) = delete;

    qreal pt() const { return m_pt; }
    const QFont &body() const { return m_body; }
    qreal width() const;
    qreal height() const;
    qreal left() const;
    qreal room() const;
    int pages() const { return m_pages; }

    qreal lineSpacing(const QFont &font) const;
    qreal wrappedHeight(const QFont &font, const QString &text, qreal width) const;

    // The top of a block of the given height, on a new page where it does
    // not fit the rest of this one; the block is taken.
    qreal take(qreal height, qreal after = 0);
    void skip(qreal height);

    // A text wrapped to the page's width, as one block.
    void paragraph(const QString &text, const QFont &font, qreal after);
    void headline(const QString &text);
    // The room for a plot across the page with the lines still to come
    // after it: what the lines leave, within least and most (page heights
    // of the page's width), on a new page where less is left; the painter
    // is given the plot's 9-point font.
    QRectF plotArea(const QList<ResultLine> &linesAfter, qreal least, qreal most);
    // The lines as the window shows them, each in its kind's font.
    void lines(const QList<ResultLine> &lines);
    // Their height on the page.
    qreal linesHeight(const QList<ResultLine> &lines) const;

    static constexpr int Wrap = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

private:
    void heading(bool continued);

    // However long the record, it ends: a page count no record reaches.
    static constexpr int MostPages = 20;

    QPainter &m_painter;
    const QRectF m_page;
    const QString m_title;
    const QDateTime m_made;
    const NewPage &m_newPage;
    const qreal m_pt; // device units per point
    QFont m_body;
    QFont m_heading;
    QFont m_titleFont;
    qreal m_y = 0;
    qreal m_top = 0; // where a page's blocks start, under its heading
    int m_pages = 1;
};

} // namespace ondal
