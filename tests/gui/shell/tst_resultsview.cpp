#include "gui/shell/ResultLines.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using ondal::ResultLine;
using Kind = ResultLine::Kind;

namespace {

// Counts the layout requests a widget's parent is sent.
class LayoutRequests : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::LayoutRequest;
        return false;
    }
};

} // namespace

class tst_ResultsView : public QObject
{
    Q_OBJECT

private slots:
    void relaysTheWindowOnlyWhenItsHeightChanges_data();
    void relaysTheWindowOnlyWhenItsHeightChanges();
    void keepsEveryRowInTheSmallestWindow_data();
    void keepsEveryRowInTheSmallestWindow();
    void copiesItsLines();
};

void tst_ResultsView::relaysTheWindowOnlyWhenItsHeightChanges_data()
{
    QTest::addColumn<QList<ResultLine>>("next");
    QTest::addColumn<bool>("laidOut");
    const ResultLine summary{Kind::Summary, u"Tides: HW 02:08 4.10 m"_s};
    const ResultLine window{Kind::Result, u"Enough water from 11:55 until 17:05"_s};
    QTest::newRow("a height typed over")
        << QList<ResultLine>{{Kind::Summary, u"Tides: HW 02:08 4.11 m"_s}, window} << false;
    QTest::newRow("a line more") << QList<ResultLine>{summary, window, {Kind::Note, u"Note"_s}}
                                 << true;
    QTest::newRow("a line less") << QList<ResultLine>{summary} << true;
}

// Typing that changes a line but not the lines' height lays out that line,
// not the window: a key press costs one line's layout and a repaint.
void tst_ResultsView::relaysTheWindowOnlyWhenItsHeightChanges()
{
    QFETCH(QList<ResultLine>, next);
    QFETCH(bool, laidOut);
    QWidget window;
    auto *view = ondal::resultsLabel(&window, u"lblResults"_s, u"Results"_s);
    (new QVBoxLayout(&window))->addWidget(view);
    window.resize(600, 200);
    window.show();
    view->setLines({{Kind::Summary, u"Tides: HW 02:08 4.10 m"_s},
                    {Kind::Result, u"Enough water from 11:55 until 17:05"_s}});
    QCoreApplication::sendPostedEvents();
    LayoutRequests requests;
    window.installEventFilter(&requests);
    view->setLines(next);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(requests.count > 0, laidOut);
    QCOMPARE(view->accessibleDescription(), view->plainText());
    QCOMPARE(view->plainText().count(u'\n'), next.size() - 1);
}

void tst_ResultsView::keepsEveryRowInTheSmallestWindow_data()
{
    QTest::addColumn<Qt::Orientation>("placed"); // the lines under a field, or beside it
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("least"); // in rows
    QTest::newRow("under a field") << Qt::Vertical << 12 << 0;
    QTest::newRow("beside a field") << Qt::Horizontal << 12 << 0;
    QTest::newRow("room kept for fewer") << Qt::Vertical << 1 << 6;
}

// A window made as small as it goes shows every row of its lines, wrapped at
// their width, and the field beside or above them at its full height.
void tst_ResultsView::keepsEveryRowInTheSmallestWindow()
{
    QFETCH(Qt::Orientation, placed);
    QFETCH(int, lines);
    QFETCH(int, least);
    QWidget window;
    auto *field = new QLineEdit(&window);
    auto *view = ondal::resultsLabel(&window, u"lblResults"_s, u"Results"_s);
    view->setLeastHeight(least * view->fontMetrics().lineSpacing());
    auto *layout = new QBoxLayout(
        placed == Qt::Vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, &window);
    layout->addWidget(field);
    layout->addWidget(view);
    window.show();
    view->setLines(QList<ResultLine>(
        lines, {Kind::Result, u"Overhead limit: 3.34 m of tide (clearance datum 4.00 m)"_s}));
    window.resize(1, 1);
    QCoreApplication::sendPostedEvents();
    QVERIFY(view->height() >= view->heightForWidth(view->width()));
    QVERIFY(view->height() >= least * view->fontMetrics().lineSpacing());
    QCOMPARE(field->height(), field->sizeHint().height());
}

void tst_ResultsView::copiesItsLines()
{
    ondal::ResultsView view;
    view.setLines({{Kind::Result, u"Course to steer 112° T"_s}, {Kind::Note, u"note"_s}});
    QTest::keySequence(&view, QKeySequence::Copy);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"Course to steer 112° T\nnote"_s);
}

QTEST_MAIN(tst_ResultsView)
#include "tst_resultsview.moc"
