#pragma once

#include "core/runtime/LineText.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <memory>

class QTextLayout;

namespace ondal {

// A window's worked-out lines: notes and reasons set apart in italics, a
// disclaimer smaller, no colours of its own so that any scheme reads it,
// each line wrapped at the view's width. Each line is laid out once and kept
// until its text changes, so a key press that changes one line lays out one
// line, and the window is laid out again only when the lines' height
// changes. Shown, the view is never lower than its rows at its width, so a
// window's layout counts them in its smallest size: a small window never
// cuts a line off, nor squeezes the fields beside or above to make room. A
// screen reader gets the lines in the view's description, one to a line;
// Copy (Ctrl+C, or the context menu) puts them on the clipboard.
class ResultsView : public QWidget
{
    Q_OBJECT
public:
    explicit ResultsView(QWidget *parent = nullptr);
    ~ResultsView() override;

    void setLines(const QList<ResultLine> &lines);
    // Room kept for the lines however few they are, in pixels.
    void setLeastHeight(int height);
    // The lines as shown, one to a line of text.
    QString plainText() const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    void copy() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Keeps the view's smallest height at its rows at its width.
    void fitRows();

    struct Laid
    {
        ResultLine line;
        std::shared_ptr<QTextLayout> layout;
        qreal width = -1; // laid out for; -1 not yet
        qreal height = 0;
    };
    // Every line laid out for the text width, and their height together.
    qreal layOut(qreal width) const;

    mutable QList<Laid> m_laid;
    int m_leastHeight = 0;
};

// A line's font: notes and reasons in italics, the disclaimer smaller; on
// screen and on paper alike.
QFont lineFont(const QFont &body, ResultLine::Kind kind);

// Shows the lines in the view, and in its description for screen readers.
void showLines(ResultsView &view, const QList<ResultLine> &lines);

// The view for a window's lines, taking the focus so that a screen reader
// and Copy reach it.
ResultsView *resultsLabel(QWidget *parent, const QString &objectName,
                          const QString &accessibleName);

} // namespace ondal
