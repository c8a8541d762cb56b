#include "gui/curve/frmTideCurve.h"
#include "gui/shell/frmMain.h"
#include "gui/worksheet/frmOndal.h"
#include "support/FakeServices.h"
#include "support/RefusedKinds.h"
#include "support/ShownLines.h"
#include "support/TextRecorder.h"
#include "support/WorksheetTexts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <QTimeZone>

#include <csignal>

#include <sys/resource.h>

using namespace Qt::StringLiterals;
using ondal::test::FakeServices;
using ondal::test::MemoryStore;
using ondal::test::Texts;

namespace {

const QString OpenTheWorksheet = u"Open the worksheet (Ondal ▸ Ondal Prediction) and enter the "
                                 u"times and heights of high and low water"_s;

frmMain::ScreenAreas screens()
{
    return [] { return QList<QRect>{QRect(0, 0, 1920, 1040)}; };
}

void choose(frmMain &main, const char16_t *item)
{
    main.findChild<QAction *>(QString::fromUtf16(item))->trigger();
}

QLineEdit *edit(const frmTideCurve *curve, const char16_t *name)
{
    return curve->findChild<QLineEdit *>(QString::fromUtf16(name));
}

// The results as shown, line by line; a screen reader gets the same.
QStringList shownLines(const frmTideCurve *curve)
{
    return ondal::test::shownLines(curve, u"lblResults"_s);
}

// The worked example, typed into the worksheet: HW 14:30 4.2 m, LW 08:20
// 0.8 m, required 11:00.
void typeExample(frmOndal *sheet, const QString &high, const QString &low)
{
    const QList<std::pair<int, QString>> typed{{1, high},     {2, low},    {4, u"14"_s},
                                               {5, u"30"_s},  {6, u"8"_s}, {7, u"20"_s},
                                               {12, u"11"_s}, {13, u"0"_s}};
    for (const auto &[field, text] : typed)
        QTest::keyClicks(sheet->field(field), text);
}

// The day of the worked example, as the tables print it.
const QString ExampleDay = u"0208 4.1  0822 0.9  1431 4.3  2047 0.7"_s;

// The field a screen reader names so, by its object name, and its caption.
QString captionOf(const QWidget *window, const QString &accessibleName)
{
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (label->buddy() && label->buddy()->accessibleName() == accessibleName)
            return label->buddy()->objectName() + u' ' + label->text();
    }
    return {};
}

int pageCount(const QByteArray &pdf)
{
    static const QRegularExpression page(u"/Type\\s*/Page(?!s)"_s);
    return int(QString::fromLatin1(pdf).count(page));
}

} // namespace

class tst_frmTideCurve : public QObject
{
    Q_OBJECT

private:
    FakeServices m_fakes;

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init()
    {
        m_fakes.messages.prompts.clear();
        m_fakes.dialogs = {};
        m_fakes.clock.home = QTimeZone::utc();
    }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void followsTheWorksheetLive_data();
    void followsTheWorksheetLive();
    void closedWorksheetIsEmptiedAndANewOneFollowed();
    void record_data();
    void record();
    void remembersEntriesAndPlacement();
    void readsAndPrintsThePassage();
    void overLongTextsAreRefusedNeverCut();
    void pdfCutShortIsNotSaved();
    void tidesGroupAtTheTop();
    void followsTheDay_data();
    void followsTheDay();
    void dayTidesTooLongAreRefused();
};

void tst_frmTideCurve::followsTheWorksheetLive_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("high");
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("draught");
    QTest::addColumn<QString>("required");

    QTest::newRow("full stop") << QLocale::c() << u"4.2"_s << u"0.8"_s << u"2.5"_s
                               << u"At 11:00: 2.14 m by the cosine curve (factor 0.39), 2.27 m by "
                                  u"the straight line"_s;
    QTest::newRow("de_DE writes decimal commas")
        << QLocale(QLocale::German, QLocale::Germany) << u"4,2"_s << u"0,8"_s << u"2,5"_s
        << u"At 11:00: 2,14 m by the cosine curve (factor 0,39), 2,27 m by the straight line"_s;
}

void tst_frmTideCurve::followsTheWorksheetLive()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, high);
    QFETCH(QString, low);
    QFETCH(QString, draught);
    QFETCH(QString, required);
    QLocale::setDefault(locale);

    MemoryStore settings;
    frmMain w(m_fakes.windowServices(settings), screens());
    w.show();
    choose(w, u"mnuOndal");
    choose(w, u"mnuCurve");
    frmOndal *sheet = w.worksheet();
    frmTideCurve *curve = w.curve();
    QVERIFY(curve && curve->isVisible() && !curve->parent());
    QCOMPARE(curve->windowTitle(), u"Tide Curve"_s);

    // Typed into the worksheet, which keeps the focus throughout.
    sheet->activateWindow();
    QTRY_VERIFY(sheet->isActiveWindow());
    typeExample(sheet, high, low);
    QCOMPARE(shownLines(curve).value(1), required);

    QTest::keyClicks(sheet->field(19), u"1"_s);
    QTest::keyClicks(edit(curve, u"txtDraught"), draught);
    QTest::keyClicks(edit(curve, u"txtClearance"), u"0.5"_s);
    QVERIFY(shownLines(curve).contains(u"Enough water from 10:50"_s));
    QCOMPARE(QApplication::activeWindow(), sheet);

    // Fields a step writes are followed as well: cleared, it is empty.
    sheet->Command2_Click();
    QCOMPARE(shownLines(curve), QStringList{OpenTheWorksheet});
}

// Closing the worksheet empties it; the curve shows where to start again.
void tst_frmTideCurve::closedWorksheetIsEmptiedAndANewOneFollowed()
{
    MemoryStore settings;
    frmMain w(m_fakes.windowServices(settings), screens());
    choose(w, u"mnuCurve");
    frmTideCurve *curve = w.curve();
    QCOMPARE(shownLines(curve), QStringList{OpenTheWorksheet});

    choose(w, u"mnuOndal");
    QPointer<frmOndal> first = w.worksheet();
    typeExample(first, u"4.2"_s, u"0.8"_s);
    QVERIFY(first->close());
    QTRY_VERIFY(first.isNull());
    QCOMPARE(shownLines(curve), QStringList{OpenTheWorksheet});

    choose(w, u"mnuOndal");
    typeExample(w.worksheet(), u"3.1"_s, u"0.5"_s);
    QCOMPARE(shownLines(curve).value(0), u"High water 14:30, 3.10 m · Low water 08:20, 0.50 m · "
                                         u"Duration 6 h 10 min · Range 2.60 m"_s);
}

void tst_frmTideCurve::record_data()
{
    QTest::addColumn<bool>("print");
    QTest::addColumn<QString>("answer"); // within a scratch folder; empty cancels
    QTest::addColumn<bool>("written");

    QTest::newRow("saved as PDF") << false << u"record.pdf"_s << true;
    QTest::newRow("printed") << true << u"printed.pdf"_s << true;
    QTest::newRow("into a folder that does not exist")
        << false << u"no folder/record.pdf"_s << false;
    QTest::newRow("cancelled") << false << QString() << false;
}

void tst_frmTideCurve::record()
{
    QFETCH(bool, print);
    QFETCH(QString, answer);
    QFETCH(bool, written);

    QTemporaryDir dir;
    const QString file = answer.isEmpty() ? QString() : dir.filePath(answer);
    (print ? m_fakes.dialogs.printToFile : m_fakes.dialogs.pdfAnswer) = file;
    MemoryStore settings;
    frmMain w(m_fakes.windowServices(settings), screens());
    choose(w, u"mnuOndal");
    typeExample(w.worksheet(), u"4.2"_s, u"0.8"_s);
    choose(w, u"mnuCurve");
    w.curve()->findChild<QPushButton *>(print ? u"cmdPrint"_s : u"cmdSavePdf"_s)->click();

    QCOMPARE(m_fakes.dialogs.asked.size(), 1);
    if (!print)
        QVERIFY2(QRegularExpression(u"^pdf .*/Tide curve \\d{4}-\\d\\d-\\d\\d \\d{4}\\.pdf$"_s)
                     .match(m_fakes.dialogs.asked.constFirst())
                     .hasMatch(),
                 qPrintable(m_fakes.dialogs.asked.constFirst()));
    QFile pdf(file);
    if (written) {
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray content = pdf.readAll();
        QVERIFY(content.startsWith("%PDF"));
        QCOMPARE(pageCount(content), 1);
        QVERIFY(m_fakes.messages.prompts.isEmpty());
    } else {
        QVERIFY(file.isEmpty() || !pdf.exists());
        const qsizetype told = file.isEmpty() ? 0 : 1;
        QCOMPARE(m_fakes.messages.prompts.size(), told);
        if (told)
            QVERIFY(m_fakes.messages.prompts.constFirst().contains(file));
    }
}

void tst_frmTideCurve::remembersEntriesAndPlacement()
{
    MemoryStore settings;
    QRect placed;
    {
        frmMain w(m_fakes.windowServices(settings), screens());
        choose(w, u"mnuCurve");
        QPointer<frmTideCurve> curve = w.curve();
        // 7650, 1000, 13500 and 9600 twips by default.
        QCOMPARE(curve->frameGeometry(), QRect(510, 67, 900, 640));
        QTest::keyClicks(edit(curve, u"txtDraught"), u" 2,5 "_s);
        QTest::keyClicks(edit(curve, u"txtClearance"), u"10 %"_s);
        QTest::keyClicks(edit(curve, u"txtSpeed"), u"9"_s);
        QTest::keyClicks(edit(curve, u"txtAirDraught"), u"21.5 m"_s);
        QTest::keyClicks(edit(curve, u"txtDayTides"), u" "_s + ExampleDay);
        QTest::keyClicks(edit(curve, u"txtDate"), u"14.6.26"_s);
        QTest::keyClicks(curve->findChild<QComboBox *>(u"cboTablesZone"_s), u"utc+1"_s);
        auto *clock = curve->findChild<QComboBox *>(u"cboClockZone"_s);
        clock->lineEdit()->selectAll();
        QTest::keyClicks(clock, u"Europe/Oslo"_s);
        curve->findChild<QComboBox *>(u"cboWaters"_s)->setCurrentIndex(1);
        curve->move(200, 150);
        QTRY_COMPARE(curve->frameGeometry().topLeft(), QPoint(200, 150));
        // The day's lines wrap onto more rows than the default height holds
        // under the entries: the window grows to show them all.
        QTRY_VERIFY(curve->height() > 640);
        placed = curve->frameGeometry();
        choose(w, u"mnuCurve");
        QCOMPARE(w.curve(), curve.data());
        QVERIFY(curve->close());
        QTRY_VERIFY(curve.isNull());
    }
    QCOMPARE(settings.savedKeys,
             (QStringList{u"DayTides"_s, u"Date"_s, u"TablesZone"_s, u"ClockZone"_s, u"Draught"_s,
                          u"Clearance"_s, u"BlockCoefficient"_s, u"Speed"_s, u"AirDraught"_s,
                          u"VerticalClearance"_s, u"ClearanceDatum"_s, u"OverheadMargin"_s,
                          u"Waters"_s, u"Left"_s, u"Top"_s, u"Width"_s, u"Height"_s}));
    QCOMPARE(settings.saves, 1); // entries and place in one write of the file
    QCOMPARE(settings.stored(u"Draught"_s, u"Curve"_s), u" 2,5 "_s);
    QCOMPARE(settings.stored(u"Left"_s, u"Curve"_s), u"3000"_s);

    frmMain again(m_fakes.windowServices(settings), screens());
    choose(again, u"mnuCurve");
    QCOMPARE(edit(again.curve(), u"txtDraught")->text(), u" 2,5 "_s);
    QCOMPARE(edit(again.curve(), u"txtClearance")->text(), u"10 %"_s);
    QCOMPARE(edit(again.curve(), u"txtSpeed")->text(), u"9"_s);
    QCOMPARE(edit(again.curve(), u"txtAirDraught")->text(), u"21.5 m"_s);
    QCOMPARE(edit(again.curve(), u"txtBlockCoefficient")->text(), QString());
    QCOMPARE(edit(again.curve(), u"txtDayTides")->text(), u" "_s + ExampleDay);
    QCOMPARE(edit(again.curve(), u"txtDate")->text(), u"14.6.26"_s);
    QCOMPARE(again.curve()->findChild<QComboBox *>(u"cboTablesZone"_s)->currentText(), u"utc+1"_s);
    QCOMPARE(again.curve()->findChild<QComboBox *>(u"cboClockZone"_s)->currentText(),
             u"Europe/Oslo"_s);
    QCOMPARE(again.curve()->findChild<QComboBox *>(u"cboWaters"_s)->currentText(),
             u"Confined channel"_s);
    QCOMPARE(again.curve()->frameGeometry(), placed);
}

// The squat and overhead entries reach the lines and the printed record.
void tst_frmTideCurve::readsAndPrintsThePassage()
{
    MemoryStore settings;
    frmMain w(m_fakes.windowServices(settings), screens());
    choose(w, u"mnuOndal");
    typeExample(w.worksheet(), u"4.2"_s, u"0.8"_s);
    QTest::keyClicks(w.worksheet()->field(19), u"1"_s);
    choose(w, u"mnuCurve");
    frmTideCurve *curve = w.curve();
    const QList<std::pair<const char16_t *, QString>> typed{
        {u"txtDraught", u"2.5"_s},           {u"txtClearance", u"0.5"_s},
        {u"txtBlockCoefficient", u"0.78"_s}, {u"txtSpeed", u"9 kn"_s},
        {u"txtAirDraught", u"21.50"_s},      {u"txtVerticalClearance", u"20"_s},
        {u"txtClearanceDatum", u"4x"_s}};
    for (const auto &[name, text] : typed)
        QTest::keyClicks(edit(curve, name), text);
    curve->findChild<QComboBox *>(u"cboWaters"_s)->setCurrentIndex(1);
    // The two groups' entries line up in one column.
    QCOMPARE(edit(curve, u"txtDraught")->mapTo(curve, QPoint()).x(),
             edit(curve, u"txtAirDraught")->mapTo(curve, QPoint()).x());

    const QStringList shown = shownLines(curve);
    QVERIFY(shown.contains(u"Squat 1.26 m by Barrass's formula for a confined channel (block "
                           u"coefficient 0.78, 9.0 knots)"_s));
    QVERIFY(!shown.join(u'\n').contains(u"Passage"_s));

    const ondal::TideRecord record = curve->record();
    QCOMPARE(ondal::test::refusedKinds(record.reading.refused),
             QStringList{u"Clearance datum: read in part"_s});
    QCOMPARE(record.entries,
             (QStringList{u"Draught: 2.5 m     Under-keel clearance: 0.5 m"_s,
                          u"Block coefficient: 0.78     Speed through the water: 9 kn     "
                          u"Waters: Confined channel"_s,
                          u"Air draught: 21.50 m     Charted vertical clearance: 20 m     "
                          u"Clearance datum: “4x”     Overhead margin: not given"_s}));
    // On paper, every line the window shows.
    ondal::test::TextRecorder paper(2126, 3154);
    QPainter painter(&paper);
    ondal::paintRecord(painter, QRectF(0, 0, 2126, 3154), record);
    painter.end();
    QString printed;
    for (const ondal::test::TextRecorder::Text &text : std::as_const(paper.texts))
        printed += text.text + u' ';
    for (const QString &line : shown)
        QVERIFY2(printed.simplified().contains(line.simplified()), qPrintable(line));
}

// A paste longer than a field is cut to it and refused; a stored entry
// longer than its field is never put in cut, is named, refuses what needs it
// and is kept as stored until typed over.
void tst_frmTideCurve::overLongTextsAreRefusedNeverCut()
{
    const QString paste = u"4.2"_s + QString(99995, u' ') + u"x"_s;
    MemoryStore settings;
    settings.put(u"Clearance"_s, u"0.5"_s, u"Curve"_s);
    settings.put(u"Draught"_s, paste, u"Curve"_s);
    settings.put(u"OverheadMargin"_s, paste, u"Curve"_s);
    {
        frmMain w(m_fakes.windowServices(settings), screens());
        choose(w, u"mnuOndal");
        typeExample(w.worksheet(), u"4.2"_s, u"0.8"_s);
        QTest::keyClicks(w.worksheet()->field(19), u"1"_s);
        choose(w, u"mnuCurve");
        frmTideCurve *curve = w.curve();
        QLineEdit *draught = edit(curve, u"txtDraught");
        QCOMPARE(draught->text(), QString());
        QVERIFY(shownLines(curve).contains(u"Draught: the stored entry is too long to be a value "
                                           u"and was left out"_s));
        QCOMPARE(ondal::test::refusedKinds(curve->record().reading.refused),
                 QStringList{u"Draught: too long"_s});

        QTest::keyClicks(draught, u"2.5"_s);
        QVERIFY(shownLines(curve).contains(u"Enough water from 10:50"_s));
        draught->clear();
        draught->insert(paste);
        QCOMPARE(draught->text().size(), ondal::ValueFieldLength);
        QVERIFY(!curve->record().reading.window);
        draught->selectAll();
        QTest::keyClicks(draught, u"2.5"_s);
        QVERIFY(curve->close());
    }
    QCOMPARE(settings.stored(u"Draught"_s, u"Curve"_s), u"2.5"_s);
    QCOMPARE(settings.stored(u"OverheadMargin"_s, u"Curve"_s), paste);
}

// A disk that fills (here a limit on file sizes) fails the save with the
// system's reason and leaves the earlier record whole, rather than a
// cut-short one reported as saved.
void tst_frmTideCurve::pdfCutShortIsNotSaved()
{
#ifdef RLIMIT_FSIZE
    MemoryStore settings;
    frmMain w(m_fakes.windowServices(settings), screens());
    choose(w, u"mnuOndal");
    typeExample(w.worksheet(), u"4.2"_s, u"0.8"_s);
    choose(w, u"mnuCurve");
    const ondal::TideRecord record = w.curve()->record();
    QTemporaryDir dir;
    const QString file = dir.filePath(u"record.pdf"_s);
    {
        QFile earlier(file);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
    }

    rlimit old{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString failure = ondal::saveRecordAsPdf(file, record);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    QCOMPARE(failure, u"File too large"_s);
    QFile kept(file);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("earlier"));
#else
    QSKIP("needs a limit on file sizes");
#endif
}

// The tides of the day come first, each field with its caption and its own
// access key; the ship's clock starts as the computer's, the tables' zone
// blank; the zones complete as typed.
void tst_frmTideCurve::tidesGroupAtTheTop()
{
    m_fakes.clock.home = QTimeZone("America/Halifax");
    MemoryStore settings;
    frmMain w(m_fakes.windowServices(settings), screens());
    choose(w, u"mnuCurve");
    frmTideCurve *curve = w.curve();
    QVERIFY(QTest::qWaitForWindowActive(curve));

    const QList<std::pair<QString, QString>> fields{
        {u"Tides of the day"_s, u"txtDayTides &Tides of the day"_s},
        {u"Date"_s, u"txtDate Dat&e"_s},
        {u"Tables' time zone"_s, u"cboTablesZone Tables' &zone"_s},
        {u"Ship's clock"_s, u"cboClockZone Ship's cl&ock"_s}};
    for (const auto &[accessible, caption] : fields)
        QCOMPARE(captionOf(curve, accessible), caption);
    auto *tablesZone = curve->findChild<QComboBox *>(u"cboTablesZone"_s);
    QCOMPARE(tablesZone->currentText(), QString());
    QCOMPARE(curve->findChild<QComboBox *>(u"cboClockZone"_s)->currentText(), u"America/Halifax"_s);
    tablesZone->completer()->setCompletionPrefix(u"london"_s);
    QCOMPARE(tablesZone->completer()->currentCompletion(), u"Europe/London"_s);

    // Every access key once in the window.
    QStringList keys;
    for (const QLabel *label : curve->findChildren<QLabel *>()) {
        if (label->buddy())
            keys << QKeySequence::mnemonic(label->text()).toString();
    }
    for (const QPushButton *button : curve->findChildren<QPushButton *>())
        keys << QKeySequence::mnemonic(button->text()).toString();
    QCOMPARE(keys.size(), 15);
    QCOMPARE(QSet<QString>(keys.cbegin(), keys.cend()).size(), keys.size());

    // Tab runs down from the tides to the draught.
    edit(curve, u"txtDayTides")->setFocus();
    QStringList visited;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited,
             (QStringList{u"txtDate"_s, u"cboTablesZone"_s, u"cboClockZone"_s, u"txtDraught"_s}));
    // The captions line up with those of the groups below.
    QCOMPARE(edit(curve, u"txtDayTides")->mapTo(curve, QPoint()).x(),
             edit(curve, u"txtDraught")->mapTo(curve, QPoint()).x());
}

void tst_frmTideCurve::followsTheDay_data()
{
    QTest::addColumn<Texts>("fields");      // the worksheet's
    QTest::addColumn<QStringList>("zones"); // the date, the tables' zone, the ship's clock
    QTest::addColumn<QStringList>("shown"); // lines the window shows among others

    QTest::newRow("the worksheet empty: the day, not the hint")
        << Texts{} << QStringList{QString(), QString(), u"UTC"_s}
        << QStringList{u"Tides: HW 02:08 4.10 m · LW 08:22 0.90 m · HW 14:31 4.30 m · LW 20:47 "
                       u"0.70 m"_s,
                       u"The tidal window needs the Charted Sounding on the worksheet"_s};
    QTest::newRow("UTC on a summer date, on a London clock")
        << Texts{{19, u"0"_s}} << QStringList{u"2026-06-14"_s, u"UTC"_s, u"Europe/London"_s}
        << QStringList{u"Tables' times in UTC shown on the ship's clock, Europe/London "
                       u"(UTC+01:00): 1 hour added"_s,
                       u"Enough water until 05:37 (from the first tide given, 03:08)"_s,
                       u"Enough water from 12:55 until 18:05"_s};
    QTest::newRow("UTC on a winter date, on a London clock")
        << Texts{{19, u"0"_s}} << QStringList{u"2026-01-14"_s, u"UTC"_s, u"Europe/London"_s}
        << QStringList{u"Enough water until 04:37 (from the first tide given, 02:08)"_s,
                       u"Enough water from 11:55 until 17:05"_s};
}

// The curve follows the tides of the day on the ship's clock, the
// worksheet's high and low water aside, and prints them.
void tst_frmTideCurve::followsTheDay()
{
    QFETCH(Texts, fields);
    QFETCH(QStringList, zones);
    QFETCH(QStringList, shown);

    MemoryStore settings;
    const ondal::test::FilledWorksheet worksheet(fields);
    auto *curve = new frmTideCurve(m_fakes.windowServices(settings), worksheet, screens());
    QTest::keyClicks(edit(curve, u"txtDraught"), u"2.5"_s);
    QTest::keyClicks(edit(curve, u"txtClearance"), u"0.5"_s);
    QTest::keyClicks(edit(curve, u"txtDate"), zones.at(0));
    QTest::keyClicks(curve->findChild<QComboBox *>(u"cboTablesZone"_s), zones.at(1));
    curve->findChild<QComboBox *>(u"cboClockZone"_s)->setEditText(zones.at(2));
    QCOMPARE(shownLines(curve).contains(OpenTheWorksheet), fields.isEmpty());
    QTest::keyClicks(edit(curve, u"txtDayTides"), ExampleDay);

    const QStringList lines = shownLines(curve);
    for (const QString &line : shown)
        QVERIFY2(lines.contains(line), qPrintable(lines.join(u'\n')));
    const ondal::TideRecord record = curve->record();
    QVERIFY(record.reading.day->curve && !record.reading.span);
    const auto given = [](const QString &text) { return text.isEmpty() ? u"not given"_s : text; };
    QCOMPARE(record.entries.value(0),
             u"Tides of the day: %1     Date: %2     Tables' zone: %3     Ship's clock: %4"_s.arg(
                 ExampleDay, given(zones.at(0)), given(zones.at(1)), given(zones.at(2))));
    QVERIFY(curve->close());
    QCOMPARE(settings.stored(u"DayTides"_s, u"Curve"_s), ExampleDay);
}

// A day's list longer than its field holds is refused, never read cut; a
// stored one is left out and refuses the curve until typed over.
void tst_frmTideCurve::dayTidesTooLongAreRefused()
{
    const QString paste = ExampleDay + QString(300, u' ');
    MemoryStore settings;
    settings.put(u"DayTides"_s, paste, u"Curve"_s);
    settings.put(u"TablesZone"_s, paste, u"Curve"_s);
    const ondal::test::FilledWorksheet worksheet(
        Texts{{1, u"4.2"_s}, {2, u"0.8"_s}, {4, u"14"_s}, {5, u"30"_s}, {6, u"8"_s}, {7, u"20"_s}});
    auto *curve = new frmTideCurve(m_fakes.windowServices(settings), worksheet, screens());
    QLineEdit *tides = edit(curve, u"txtDayTides");
    QCOMPARE(tides->text(), QString());
    QVERIFY(shownLines(curve).contains(
        u"Tides of the day: the stored entry is too long to be a value and was left out"_s));
    QVERIFY(!curve->record().reading.span && !curve->record().reading.day->curve);
    auto *zone = curve->findChild<QComboBox *>(u"cboTablesZone"_s);
    QCOMPARE(zone->currentText(), QString());
    QCOMPARE(shownLines(curve).filter(u"Tables' time zone: the stored entry"_s).size(), 1);
    zone->setCurrentIndex(0); // chosen from the list
    QCOMPARE(shownLines(curve).filter(u"Tables' time zone: the stored entry"_s).size(), 0);
    zone->setEditText(QString());

    // Handed over, the field is typed over.
    curve->setDayTides(ExampleDay);
    QVERIFY(curve->record().reading.day->curve);
    tides->clear();
    tides->insert(paste);
    QCOMPARE(tides->text().size(), 200);
    QVERIFY(!curve->record().reading.day->curve);
    tides->clear();
    QVERIFY(curve->record().reading.span);
    QVERIFY(curve->close());
    QCOMPARE(settings.stored(u"DayTides"_s, u"Curve"_s), QString());
    QCOMPARE(settings.stored(u"TablesZone"_s, u"Curve"_s), QString());
}

QTEST_MAIN(tst_frmTideCurve)
#include "tst_frmtidecurve.moc"
