#include "core/ports/PortList.h"
#include "gui/curve/frmTideCurve.h"
#include "gui/ports/frmSecondaryPort.h"
#include "gui/shell/frmMain.h"
#include "gui/worksheet/frmOndal.h"
#include "support/FakeServices.h"
#include "support/ShownLines.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

using namespace Qt::StringLiterals;
using ondal::test::FakeServices;
using ondal::test::MemoryStore;
using ondal::test::shownLines;

namespace {

frmMain::ScreenAreas screens()
{
    return [] { return QList<QRect>{QRect(0, 0, 1920, 1040)}; };
}

// The worked example's table row and day, typed as the tables print them.
const QList<std::pair<const char16_t *, QString>> ExampleRow{{u"txtStandardPort", u"Bigport"_s},
                                                             {u"txtHwTime1", u"0000"_s},
                                                             {u"txtHwDiff1", u"+0035"_s},
                                                             {u"txtHwTime2", u"0600"_s},
                                                             {u"txtHwDiff2", u"+0023"_s},
                                                             {u"txtLwTime1", u"0500"_s},
                                                             {u"txtLwDiff1", u"+0047"_s},
                                                             {u"txtLwTime2", u"1100"_s},
                                                             {u"txtLwDiff2", u"+0004"_s},
                                                             {u"txtMhws", u"4.2"_s},
                                                             {u"txtMhwn", u"3.4"_s},
                                                             {u"txtMlwn", u"1.1"_s},
                                                             {u"txtMlws", u"0.4"_s},
                                                             {u"txtMhwsDiff", u"+1.1"_s},
                                                             {u"txtMhwnDiff", u"+0.8"_s},
                                                             {u"txtMlwnDiff", u"+0.2"_s},
                                                             {u"txtMlwsDiff", u"+0.1"_s},
                                                             {u"txtStdHwTime", u"0638"_s},
                                                             {u"txtStdHwHeight", u"4.2"_s},
                                                             {u"txtStdLwTime", u"1300"_s},
                                                             {u"txtStdLwHeight", u"0.75"_s}};

QLineEdit *edit(const QWidget *window, const char16_t *name)
{
    return window->findChild<QLineEdit *>(QString::fromUtf16(name));
}

void typeExample(frmSecondaryPort *window, const QString &name)
{
    QTest::keyClicks(window->findChild<QComboBox *>(u"cboPort"_s)->lineEdit(), name);
    for (const auto &[field, text] : ExampleRow)
        QTest::keyClicks(edit(window, field), text);
}

void click(const QWidget *window, const char16_t *button)
{
    window->findChild<QPushButton *>(QString::fromUtf16(button))->click();
}

} // namespace

class tst_frmSecondaryPort : public QObject
{
    Q_OBJECT

private:
    // The list of ports is kept in the fakes' scratch folder.
    FakeServices m_fakes;
    ondal::Worksheet m_sheet;

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { m_fakes.messages = {}; }

    void useInWorksheetOpensItAndTheCurveFollows();
    void useInCurveOpensItWithTheDay();
    void portsAreSavedReplacedAndDeleted();
    void storedTextTooLongIsNeverCut();
    void tabAndAccessKeys();
};

void tst_frmSecondaryPort::useInWorksheetOpensItAndTheCurveFollows()
{
    MemoryStore settings;
    frmMain w(m_fakes.windowServices(settings), screens());
    w.findChild<QAction *>(u"mnuCurve"_s)->trigger();
    w.findChild<QAction *>(u"mnuSecondary"_s)->trigger();
    frmSecondaryPort *port = w.secondaryPort();
    QVERIFY(port && port->isVisible() && !port->parent());
    QCOMPARE(port->windowTitle(), u"Secondary Port"_s);
    QCOMPARE(&port->ports(), &m_fakes.ports);
    QVERIFY(!w.worksheet());

    typeExample(port, u"Littleport"_s);
    QCOMPARE(shownLines(port, u"lblPortResults"_s),
             (QStringList{u"High water at Littleport: 07:02, 5.30 m"_s,
                          u"Standard port 06:38, 4.20 m · time difference +24 min (between +23 "
                          u"at 06:00 and +35 at 12:00) · height difference +1.10 m"_s,
                          u"Low water at Littleport: 13:18, 0.90 m"_s,
                          u"Standard port 13:00, 0.75 m · time difference +18 min (between +4 "
                          u"at 11:00 and +47 at 17:00) · height difference +0.15 m"_s,
                          u"Range at Littleport 4.40 m · duration 6 h 16 min"_s}));

    click(port, u"cmdUseInWorksheet");
    frmOndal *sheet = w.worksheet();
    QVERIFY(sheet && sheet->isVisible());
    const QList<std::pair<int, QString>> written{
        {1, u"5.3"_s}, {2, u"0.9"_s}, {4, u"7"_s},  {5, u"2"_s},    {6, u"13"_s},
        {7, u"18"_s},  {10, u"7"_s},  {11, u"2"_s}, {3, QString()}, {12, QString()}};
    for (const auto &[field, text] : written)
        QCOMPARE(sheet->worksheet().text(field), text);

    frmTideCurve *curve = w.curve();
    QCOMPARE(shownLines(curve, u"lblResults"_s).value(0),
             u"High water 07:02, 5.30 m · Low water 13:18, 0.90 m · Duration 6 h 16 min · "
             u"Range 4.40 m"_s);
    QVERIFY(curve->record().secondaryPort.contains(u"High water at Littleport: 07:02, 5.30 m"_s));

    // Once a tide value is typed over, the record no longer claims the port.
    sheet->field(2)->setText(u"0.95"_s);
    QVERIFY(curve->record().secondaryPort.isEmpty());
    QVERIFY(m_fakes.messages.prompts.isEmpty());
}

// The standard port's day, turned into the secondary port's, goes to the
// tide curve's "Tides of the day" through the main window, the curve opened
// for it; the curve's lines follow.
void tst_frmSecondaryPort::useInCurveOpensItWithTheDay()
{
    MemoryStore settings;
    frmMain w(m_fakes.windowServices(settings), screens());
    w.findChild<QAction *>(u"mnuSecondary"_s)->trigger();
    frmSecondaryPort *port = w.secondaryPort();
    auto *useInCurve = port->findChild<QPushButton *>(u"cmdUseInCurve"_s);
    QCOMPARE(useInCurve->text(), u"Use in Tide &Curve"_s);
    typeExample(port, u"Littleport"_s);
    QVERIFY(!useInCurve->isEnabled());
    QLineEdit *day = edit(port, u"txtStdDayTides");
    QCOMPARE(day->accessibleName(), u"Standard port's tides of the day"_s);
    QCOMPARE(day->maxLength(), 200);

    // The first tide, moved to the day before, stays first.
    edit(port, u"txtLwDiff1")->setText(u"-0110"_s);
    edit(port, u"txtLwDiff2")->setText(u"-0050"_s);
    QTest::keyClicks(day, u"0005 0.4  0600 4.2  1300 0.75"_s);
    QVERIFY(useInCurve->isEnabled());
    const QStringList results = shownLines(port, u"lblPortResults"_s);
    QCOMPARE(results.filter(u"Tides of the day at Littleport: 23:11 previous day"_s).size(), 1);
    QCOMPARE(results.filter(u"falls on the day before"_s).size(), 1);
    QVERIFY(!w.curve());
    useInCurve->click();
    frmTideCurve *curve = w.curve();
    QVERIFY(curve && curve->isVisible());
    QCOMPARE(edit(curve, u"txtDayTides")->text(), u"2311 0.50  0623 5.30  1203 0.90"_s);
    const QStringList lines = shownLines(curve, u"lblResults"_s);
    QVERIFY2(lines.value(0).startsWith(u"Tides: LW 23:11 0.50 m · HW 06:23 next day 5.30 m"_s),
             qPrintable(lines.value(0)));

    // A list not worked out whole is not handed over.
    day->setText(u"0638 4.2  1300 4.2"_s);
    QVERIFY(!useInCurve->isEnabled());
    QVERIFY(m_fakes.messages.prompts.isEmpty());
}

void tst_frmSecondaryPort::portsAreSavedReplacedAndDeleted()
{
    const QString file = m_fakes.ports.path();
    {
        QFile damaged(file);
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("not a list");
    }
    MemoryStore settings;
    auto *window = new frmSecondaryPort(m_fakes.windowServices(settings), m_sheet, screens());
    QVERIFY(window->findChild<QLabel *>(u"lblPortFile"_s)->text().contains(u"could not be read"_s));
    typeExample(window, u"Littleport"_s);
    click(window, u"cmdSavePort");
    QCOMPARE(m_fakes.messages.prompts.size(), 1);
    QVERIFY(m_fakes.messages.prompts.at(0).startsWith(
        u"The list of ports that could not be read was kept as\n%1.unreadable-"_s.arg(
            QDir::toNativeSeparators(file))));
    QCOMPARE(window->findChild<QLabel *>(u"lblPortFile"_s)->text(),
             u"Littleport saved; 1 port in the list"_s);

    // The same name in other letters asks first; No keeps the saved port.
    const auto mhws = [window](int at) {
        return window->ports().entries().at(at).values.value(u"mhws"_s);
    };
    edit(window, u"txtMhws")->setText(u"4.3"_s);
    window->findChild<QComboBox *>(u"cboPort"_s)->setEditText(u"LITTLEPORT"_s);
    m_fakes.messages.answers = {false};
    click(window, u"cmdSavePort");
    QCOMPARE(m_fakes.messages.prompts.value(1),
             u"A port named “Littleport” is saved already. Replace it?"_s);
    QCOMPARE(mhws(0), u"4.2"_s);

    // Another Ondal changes the port while the question is open: asked again.
    ondal::lists::ListStore other(file, ondal::ports::portListKind());
    other.reload();
    ondal::lists::ListEntry changed = other.entries().at(0);
    changed.values.insert(u"mhws"_s, u"4.25"_s);
    m_fakes.messages.answers = {true, true};
    bool changedOnce = false;
    m_fakes.messages.onMessage = [&](const QString &) {
        if (!std::exchange(changedOnce, true))
            QVERIFY(other.save(changed, other.entries().at(0)).failure.isEmpty());
    };
    click(window, u"cmdSavePort");
    m_fakes.messages.onMessage = nullptr;
    QCOMPARE(m_fakes.messages.prompts.size(), 4);
    QCOMPARE(m_fakes.messages.prompts.at(3), m_fakes.messages.prompts.at(1));
    QCOMPARE(mhws(0), u"4.3"_s);
    QVERIFY(window->close());

    // After a restart, choosing the port fills the table.
    window = new frmSecondaryPort(m_fakes.windowServices(settings), m_sheet, screens());
    auto *cboPort = window->findChild<QComboBox *>(u"cboPort"_s);
    QCOMPARE(cboPort->count(), 1);
    QVERIFY(edit(window, u"txtMhws")->text().isEmpty());
    cboPort->setCurrentIndex(0);
    emit cboPort->activated(0);
    QCOMPARE(edit(window, u"txtMhws")->text(), u"4.3"_s);
    QCOMPARE(edit(window, u"txtLwDiff2")->text(), u"+0004"_s);

    m_fakes.messages.answers = {true};
    click(window, u"cmdDeletePort");
    QCOMPARE(m_fakes.messages.prompts.last(), u"Delete the saved port “LITTLEPORT”?"_s);
    QCOMPARE(cboPort->count(), 0);
    QCOMPARE(edit(window, u"txtMhws")->text(), u"4.3"_s); // what was typed stays
    QVERIFY(window->close());
    QVERIFY(!settings.stored(u"Width"_s, u"Secondary"_s).isEmpty());
}

// A saved value longer than its field makes the list unreadable: named,
// kept whole, and never put into a field cut.
void tst_frmSecondaryPort::storedTextTooLongIsNeverCut()
{
    // Saved by an earlier Ondal, whose fields held more.
    const QString file = m_fakes.ports.path();
    const QByteArray saved = R"({"format": 1, "ports": [{"name": "Littleport", "mhws": "4.2)" +
                             QByteArray(60, ' ') + R"(x"}]})";
    {
        QFile earlier(file);
        QVERIFY(earlier.open(QIODevice::WriteOnly | QIODevice::Truncate));
        earlier.write(saved);
    }
    MemoryStore settings;
    auto *window = new frmSecondaryPort(m_fakes.windowServices(settings), m_sheet, screens());
    QCOMPARE(edit(window, u"txtMhws")->maxLength(), ondal::ValueFieldLength);
    auto *box = window->findChild<QComboBox *>(u"cboPort"_s);
    QCOMPARE(box->count(), 1);
    edit(window, u"txtMhws")->setText(u"4.3"_s);
    m_fakes.messages.prompts.clear();
    emit box->activated(0);
    QCOMPARE(m_fakes.messages.prompts.size(), 1);
    QVERIFY(m_fakes.messages.prompts.constFirst().contains(u"MHWS at the standard port"_s));
    QCOMPARE(edit(window, u"txtMhws")->text(), u"4.3"_s); // neither cut nor emptied
    QVERIFY(window->close());
    QFile kept(file);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), saved);
}

// Tab runs as the tables are printed; Alt and the letter of a button that is
// disabled for now types nothing into the field.
void tst_frmSecondaryPort::tabAndAccessKeys()
{
    MemoryStore settings;
    auto *window = new frmSecondaryPort(m_fakes.windowServices(settings), m_sheet, screens());
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    edit(window, u"txtHwTime1")->setFocus();
    QStringList visited;
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, (QStringList{u"txtHwTime2"_s, u"txtLwTime1"_s, u"txtLwTime2"_s, u"txtMhws"_s,
                                   u"txtMhwn"_s, u"txtMlwn"_s, u"txtMlws"_s, u"txtHwDiff1"_s,
                                   u"txtHwDiff2"_s}));
    edit(window, u"txtStdLwHeight")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), u"txtStdDayTides"_s);

    QLineEdit *field = edit(window, u"txtHwDiff2");
    QVERIFY(!window->findChild<QPushButton *>(u"cmdDeletePort"_s)->isEnabled());
    QVERIFY(!window->findChild<QPushButton *>(u"cmdUseInWorksheet"_s)->isEnabled());
    QVERIFY(!window->findChild<QPushButton *>(u"cmdUseInCurve"_s)->isEnabled());
    QTest::keyClick(field, Qt::Key_D, Qt::AltModifier);
    QTest::keyClick(field, Qt::Key_U, Qt::AltModifier);
    QTest::keyClick(field, Qt::Key_C, Qt::AltModifier);
    QTest::keyClick(field, Qt::Key_5);
    QCOMPARE(field->text(), u"5"_s);
    // The port's box takes the keys itself and hands them to its line.
    auto *box = window->findChild<QComboBox *>(u"cboPort"_s);
    QTest::keyClicks(box, u"New"_s);
    QTest::keyClick(box, Qt::Key_D, Qt::AltModifier);
    QCOMPARE(box->currentText(), u"New"_s);
    QVERIFY(window->close());
}

QTEST_MAIN(tst_frmSecondaryPort)
#include "tst_frmsecondaryport.moc"
