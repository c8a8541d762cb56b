#include "gui/shell/ResultLines.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QResizeEvent>
#include <QShowEvent>
#include <QStringList>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace ondal {

QFont lineFont(const QFont &body, ResultLine::Kind kind)
{
    QFont font = body;
    switch (kind) {
    case ResultLine::Kind::Note:
    case ResultLine::Kind::Reason:
        font.setItalic(true);
        break;
    case ResultLine::Kind::Disclaimer:
        if (font.pointSizeF() > 0)
            font.setPointSizeF(font.pointSizeF() * 0.85);
        else
            font.setPixelSize(std::max(1, int(font.pixelSize() * 0.85)));
        break;
    case ResultLine::Kind::Summary:
    case ResultLine::Kind::Result:
        break;
    }
    return font;
}

namespace {

// Room around the lines, in pixels.
constexpr int Margin = 2;

// Lays the text out in lines of the width; returns their height. Bounded: a
// text breaks into no more lines than it has characters.
qreal layOutLines(QTextLayout &layout, qreal width)
{
    layout.clearLayout();
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal height = 0;
    const qsizetype most = layout.text().size() + 1;
    for (qsizetype i = 0; i < most; ++i) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(std::max<qreal>(width, 1));
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return height;
}

} // namespace

ResultsView::ResultsView(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    setFocusPolicy(Qt::StrongFocus);
}

ResultsView::~ResultsView() = default;

void ResultsView::setLines(const QList<ResultLine> &lines)
{
    const qreal width = this->width() - 2 * Margin;
    const qreal before = layOut(width);
    // A line whose text and kind are as before keeps its layout.
    QList<Laid> laid;
    laid.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const ResultLine &line = lines.at(i);
        const auto same = std::find_if(m_laid.cbegin(), m_laid.cend(),
                                       [&line](const Laid &old) { return old.line == line; });
        laid << (same != m_laid.cend() ? *same : Laid{line, nullptr});
    }
    m_laid = laid;
    setAccessibleDescription(plainText());
    if (layOut(width) != before) {
        updateGeometry();
        fitRows();
    }
    update();
}

void ResultsView::setLeastHeight(int height)
{
    m_leastHeight = height;
    setMinimumHeight(std::max(height, minimumSizeHint().height()));
    fitRows();
}

void ResultsView::fitRows()
{
    // Hidden, the width is not yet the one the window gives it.
    if (isVisible())
        setMinimumHeight(
            std::max({m_leastHeight, minimumSizeHint().height(), heightForWidth(width())}));
}

void ResultsView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (event->size().width() != event->oldSize().width())
        fitRows(); // narrower, the lines wrap onto more rows
}

void ResultsView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    fitRows();
}

QString ResultsView::plainText() const
{
    QStringList plain;
    for (const Laid &laid : m_laid)
        plain << laid.line.text;
    return plain.join(u'\n');
}

qreal ResultsView::layOut(qreal width) const
{
    qreal height = 0;
    for (Laid &laid : m_laid) {
        if (!laid.layout) {
            laid.layout =
                std::make_shared<QTextLayout>(laid.line.text, lineFont(font(), laid.line.kind));
            laid.width = -1;
        }
        if (laid.width != width) {
            laid.height = layOutLines(*laid.layout, width);
            laid.width = width;
        }
        height += laid.height;
    }
    return height;
}

int ResultsView::heightForWidth(int width) const
{
    return int(std::ceil(layOut(width - 2 * Margin))) + 2 * Margin;
}

QSize ResultsView::sizeHint() const
{
    const int width = fontMetrics().averageCharWidth() * 60;
    return {width, heightForWidth(width)};
}

QSize ResultsView::minimumSizeHint() const
{
    return {fontMetrics().averageCharWidth() * 10, fontMetrics().lineSpacing() + 2 * Margin};
}

void ResultsView::copy() const
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setText(plainText());
}

void ResultsView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const qreal width = this->width() - 2 * Margin;
    layOut(width);
    painter.setPen(palette().color(QPalette::WindowText));
    qreal y = Margin;
    for (const Laid &laid : std::as_const(m_laid)) {
        laid.layout->draw(&painter, QPointF(Margin, y));
        y += laid.height;
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void ResultsView::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy))
        copy();
    else
        QWidget::keyPressEvent(event);
}

void ResultsView::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.addAction(u"&Copy"_s, this, &ResultsView::copy);
    menu.exec(event->globalPos());
}

void ResultsView::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        // Every line is laid out afresh in the new font.
        for (Laid &laid : m_laid)
            laid.layout.reset();
        updateGeometry();
        fitRows();
    }
}

void showLines(ResultsView &view, const QList<ResultLine> &lines)
{
    view.setLines(lines);
}

ResultsView *resultsLabel(QWidget *parent, const QString &objectName, const QString &accessibleName)
{
    auto *view = new ResultsView(parent);
    view->setObjectName(objectName);
    view->setAccessibleName(accessibleName);
    return view;
}

} // namespace ondal
