#include "gui/shell/frmMain.h"
#include "gui/streams/frmTidalStream.h"
#include "support/FakeServices.h"
#include "support/ShownLines.h"
#include "support/WorksheetTexts.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;
using ondal::test::FakeServices;
using ondal::test::MemoryStore;
using ondal::test::shownLines;

namespace {

// The worked example: the station's row HW+2 and its ranges, and the leg
// from 11:00 to make good 140° T for 4.0 M at 6.0 kn, 6° of leeway with the
// wind on the starboard side, variation 4° W and deviation 5° E. The day
// (high water 09:29, range 4.90 m) comes from the worksheet.
const QList<std::pair<QString, QString>> ExampleStation{
    {u"txtReferencePort"_s, u"Bigport"_s}, {u"txtSpringRange"_s, u"4.9"_s},
    {u"txtNeapRange"_s, u"2.4"_s},         {u"txtSetP2"_s, u"230"_s},
    {u"txtSpringP2"_s, u"2.8"_s},          {u"txtNeapP2"_s, u"1.4"_s}};
const QList<std::pair<QString, QString>> ExampleLeg{
    {u"txtDeparture"_s, u"1100"_s},  {u"txtTrack"_s, u"140"_s}, {u"txtDistance"_s, u"4.0"_s},
    {u"txtStreamSpeed"_s, u"6.0"_s}, {u"txtLeeway"_s, u"6"_s},  {u"txtVariation"_s, u"4W"_s},
    {u"txtDeviation"_s, u"5E"_s}};
// High water 09:29, 5.3 m and low water 0.4 m.
const ondal::test::Texts ExampleDay{{1, u"5.3"_s}, {2, u"0.4"_s}, {4, u"9"_s}, {5, u"29"_s}};

const QStringList ExampleLines{
    u"Tidal hour at 11:00: HW+2 (1 h 31 min after high water 09:29)"_s,
    u"Stream HW+2: 230° 2.8 kn (2.8 kn at springs, 1.4 kn at neaps; range today 4.90 m)"_s,
    u"Course to steer 112° T to make good 140° T"_s,
    u"Allowing 6° leeway, wind on the starboard side: 118° T"_s,
    u"122° M (variation 4° W) · 117° C (deviation 5° E)"_s,
    u"Speed over the ground 5.3 kn · 4.0 M in 45 min · arrive 11:45"_s,
    u"The stream is taken as constant through each tidal hour and holds at the station only; "
    u"eddies and wind-driven currents are not allowed for."_s};

// One screen, as large as a desktop's.
frmMain::ScreenAreas screens()
{
    return [] { return QList<QRect>{QRect(0, 0, 1920, 1040)}; };
}

QLineEdit *edit(const QWidget *window, const QString &name)
{
    return window->findChild<QLineEdit *>(name);
}

void type(const QWidget *window, const QList<std::pair<QString, QString>> &texts)
{
    for (const auto &[field, text] : texts)
        QTest::keyClicks(edit(window, field), text);
}

QPushButton *button(const QWidget *window, const QString &name)
{
    return window->findChild<QPushButton *>(name);
}

frmTidalStream *openStream(frmMain &w)
{
    w.findChild<QAction *>(u"mnuStream"_s)->trigger();
    return w.stream();
}

} // namespace

class tst_frmTidalStream : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init()
    {
        m_fakes.messages = {};
        m_fakes.dialogs.asked.clear();
    }
    void workedExampleThroughTheMenu();
    void stationIsSavedAndChosenAfterARestart();
    void recordIsSavedAsPdf();

private:
    // The list of stations is kept in the fakes' scratch folder.
    FakeServices m_fakes;
    ondal::Worksheet m_sheet;
};

void tst_frmTidalStream::workedExampleThroughTheMenu()
{
    MemoryStore settings;
    frmMain w(m_fakes.windowServices(settings), screens());
    frmTidalStream *stream = openStream(w);
    QVERIFY(stream && stream->isVisible() && !stream->parent());
    QCOMPARE(stream->windowTitle(), u"Tidal Stream"_s);
    QCOMPARE(openStream(w), stream); // one window, brought forward
    QCOMPARE(&stream->stations(), &m_fakes.stations);

    // Every field has its label; every caption's access key is its own.
    QStringList captions;
    QSet<const QWidget *> labelled;
    for (const QLabel *label : stream->findChildren<QLabel *>()) {
        captions << label->text();
        labelled << label->buddy();
    }
    for (const QWidget *field : stream->findChildren<QWidget *>()) {
        if (qobject_cast<const QLineEdit *>(field) || qobject_cast<const QComboBox *>(field))
            QVERIFY2(labelled.contains(field) || qobject_cast<QComboBox *>(field->parent()),
                     qPrintable(field->objectName()));
    }
    for (const QPushButton *pressed : stream->findChildren<QPushButton *>())
        captions << pressed->text();
    QList<QChar> keys;
    for (const QString &caption : std::as_const(captions)) {
        if (const qsizetype at = caption.indexOf(u'&'); at >= 0)
            keys << caption.at(at + 1).toLower();
    }
    QCOMPARE(keys.size(), 19);
    QCOMPARE(QSet<QChar>(keys.cbegin(), keys.cend()).size(), keys.size());
    // Tab reads the table row by row, then goes on to the day.
    QCOMPARE(edit(stream, u"txtNeapP1"_s)->nextInFocusChain(), edit(stream, u"txtSetP2"_s));
    QCOMPARE(edit(stream, u"txtNeapP6"_s)->nextInFocusChain(), edit(stream, u"txtStreamHw"_s));

    // From Worksheet waits for a worksheet it can read, then takes the day.
    auto *fromWorksheet = button(stream, u"cmdFromWorksheet"_s);
    QVERIFY(!fromWorksheet->isEnabled());
    ondal::test::fill(w.worksheetModel(), ExampleDay);
    QVERIFY(fromWorksheet->isEnabled());
    fromWorksheet->click();
    QCOMPARE(edit(stream, u"txtStreamHw"_s)->text(), u"0929"_s);
    QCOMPARE(edit(stream, u"txtRangeToday"_s)->text(), u"4.90"_s);
    QCOMPARE(w.worksheetModel().text(4), u"9"_s); // read, never written

    // Live as typed: the leg reaching a row not typed names it.
    type(stream, ExampleLeg);
    QVERIFY(shownLines(stream, u"lblStreamResults"_s)
                .contains(u"Stream HW+2: not in the table; no stream is given"_s));
    auto *triangle = stream->findChild<QWidget *>(u"picTriangle"_s);
    QCOMPARE(triangle->accessibleName(), u"Vector triangle"_s);
    QVERIFY(triangle->accessibleDescription().startsWith(u"The triangle is drawn once"_s));

    type(stream, ExampleStation);
    stream->findChild<QComboBox *>(u"cboWindSide"_s)->setCurrentIndex(1);
    QCOMPARE(shownLines(stream, u"lblStreamResults"_s), ExampleLines);
    QCOMPARE(triangle->accessibleDescription(), u"Track made good 140° T, 4.0 M\n"
                                                u"Stream HW+2 230°, 2.1 M (2.8 kn for 45 min)\n"
                                                u"Water track 112° T, 4.5 M (6.0 kn for 45 min)"_s);
    QVERIFY(m_fakes.messages.prompts.isEmpty());

    // The leg is kept as typed beside the window's place.
    QVERIFY(stream->close());
    QCOMPARE(settings.stored(u"Track"_s, u"Stream"_s), u"140"_s);
    QCOMPARE(settings.stored(u"HighWater"_s, u"Stream"_s), u"0929"_s);
    QCOMPARE(settings.stored(u"WindSide"_s, u"Stream"_s), u"starboard side"_s);
    QVERIFY(!settings.stored(u"Width"_s, u"Stream"_s).isEmpty());
}

void tst_frmTidalStream::stationIsSavedAndChosenAfterARestart()
{
    MemoryStore settings;
    auto *window = new frmTidalStream(m_fakes.windowServices(settings), m_sheet, screens());
    auto *cboStation = window->findChild<QComboBox *>(u"cboStation"_s);
    QCOMPARE(cboStation->lineEdit()->maxLength(), 60);
    QCOMPARE(edit(window, u"txtSetM6"_s)->maxLength(), ondal::ValueFieldLength);
    QCOMPARE(edit(window, u"txtSetM6"_s)->accessibleName(), u"Set at HW-6"_s);
    QTest::keyClicks(cboStation->lineEdit(), u"Diamond A"_s);
    type(window, ExampleStation);
    button(window, u"cmdSaveStation"_s)->click();
    QVERIFY(m_fakes.messages.prompts.isEmpty());

    // The same name in other letters asks first; No keeps the saved one.
    edit(window, u"txtNeapP2"_s)->setText(u"1.5"_s);
    cboStation->setEditText(u"DIAMOND A"_s);
    button(window, u"cmdSaveStation"_s)->click();
    QCOMPARE(m_fakes.messages.prompts,
             QStringList{u"A station named “Diamond A” is saved already. Replace it?"_s});
    QVERIFY(window->close());

    // After a restart, choosing the station fills the table as saved.
    window = new frmTidalStream(m_fakes.windowServices(settings), m_sheet, screens());
    cboStation = window->findChild<QComboBox *>(u"cboStation"_s);
    QCOMPARE(cboStation->count(), 1);
    QVERIFY(edit(window, u"txtSetP2"_s)->text().isEmpty());
    cboStation->setCurrentIndex(0);
    emit cboStation->activated(0);
    QCOMPARE(edit(window, u"txtSetP2"_s)->text(), u"230"_s);
    QCOMPARE(edit(window, u"txtNeapP2"_s)->text(), u"1.4"_s);
    QCOMPARE(edit(window, u"txtReferencePort"_s)->text(), u"Bigport"_s);

    m_fakes.messages.answers = {true};
    button(window, u"cmdDeleteStation"_s)->click();
    QCOMPARE(m_fakes.messages.prompts.last(), u"Delete the saved station “Diamond A”?"_s);
    QCOMPARE(cboStation->count(), 0);
    QVERIFY(!button(window, u"cmdDeleteStation"_s)->isEnabled());
    // Its access key, the button disabled, types nothing into a field.
    QTest::keyClick(edit(window, u"txtReferencePort"_s), Qt::Key_D, Qt::AltModifier);
    QCOMPARE(edit(window, u"txtReferencePort"_s)->text(), u"Bigport"_s);
    QVERIFY(window->close());
}

void tst_frmTidalStream::recordIsSavedAsPdf()
{
    QTemporaryDir dir;
    m_fakes.dialogs.pdfAnswer = dir.filePath(u"stream.pdf"_s);
    MemoryStore settings;
    frmMain w(m_fakes.windowServices(settings), screens());
    frmTidalStream *stream = openStream(w);
    type(stream, ExampleStation);
    type(stream, ExampleLeg + QList<std::pair<QString, QString>>{{u"txtStreamHw"_s, u"0929"_s},
                                                                 {u"txtRangeToday"_s, u"4.9"_s}});
    const ondal::streams::StreamRecord record = stream->record();
    QVERIFY(record.leg);
    QCOMPARE(record.rows.size(), 1);
    QVERIFY(record.entries.contains(u"Deviation: 5E"_s));

    button(stream, u"cmdStreamPdf"_s)->click();
    QCOMPARE(m_fakes.dialogs.asked.size(), 1);
    QVERIFY2(QRegularExpression(u"^pdf .*/Tidal stream \\d{4}-\\d\\d-\\d\\d \\d{4}\\.pdf$"_s)
                 .match(m_fakes.dialogs.asked.constFirst())
                 .hasMatch(),
             qPrintable(m_fakes.dialogs.asked.constFirst()));
    QFile pdf(m_fakes.dialogs.pdfAnswer);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray content = pdf.readAll();
    QVERIFY(content.startsWith("%PDF"));
    static const QRegularExpression page(u"/Type\\s*/Page(?!s)"_s);
    QCOMPARE(QString::fromLatin1(content).count(page), 1);
    QVERIFY(m_fakes.messages.prompts.isEmpty());
}

QTEST_MAIN(tst_frmTidalStream)
#include "tst_frmtidalstream.moc"
