#include "core/runtime/RuntimeError.h"
#include "core/worksheet/Worksheet.h"
#include "core/worksheet/WorksheetSteps.h"
#include "support/RecordingMessages.h"
#include "support/WorksheetTexts.h"

#include <QLocale>
#include <QMap>
#include <QTest>

#include <array>
#include <vector>

using namespace Qt::StringLiterals;

enum class Step { Range, Duration, Interval, Clear, HeightAboveLowWater, Depth, HeightOfTide };
Q_DECLARE_METATYPE(Step)

namespace {

using ondal::test::Texts;
using Fields = std::array<QString, ondal::Worksheet::FieldCount>;

const QString FactorMissing = u"Please enter the Factor"_s;
const QString DepthFormula = u"Depth of Water = Charted Sounding + Height Above Chart Datum"_s;
const QString HeightOfTideFormula =
    u"Height of Tide = Low Water + (Predicted Range * (Duration - Interval)) / Duration"_s;

// A worksheet whose every field starts out with its own earlier text
// ("old 1" … "old 23"), so a write to any field shows.
struct Worksheet
{
    explicit Worksheet(const Texts &given = {})
    {
        // The fields as they stood while each message was shown.
        messages.onMessage = [this](const QString &) { shown.push_back(fields.texts()); };
        for (int field = 1; field <= ondal::Worksheet::FieldCount; ++field)
            fields.setText(field, u"old %1"_s.arg(field));
        set(given);
    }

    void set(const Texts &texts)
    {
        for (auto it = texts.cbegin(); it != texts.cend(); ++it)
            fields.setText(it.key(), it.value());
    }

    QString operator[](int field) const { return fields.text(field); }

    ondal::Worksheet fields;
    ondal::test::RecordingMessages messages;
    std::vector<Fields> shown;
    ondal::WorksheetSteps steps{fields, messages};
};

// One line per field, so a failing comparison names the field.
QStringList listing(const Fields &fields)
{
    QStringList out;
    for (int i = 0; i < int(fields.size()); ++i)
        out << u"Text%1=%2"_s.arg(i + 1).arg(fields.at(i));
    return out;
}

// The number of the run-time error the step raised, 0 for none.
int run(ondal::WorksheetSteps &steps, Step step)
{
    try {
        switch (step) {
        case Step::Range:
            steps.range();
            break;
        case Step::Duration:
            steps.duration();
            break;
        case Step::Interval:
            steps.interval();
            break;
        case Step::Clear:
            steps.clear();
            break;
        case Step::HeightAboveLowWater:
            steps.heightAboveLowWater();
            break;
        case Step::Depth:
            steps.depth();
            break;
        case Step::HeightOfTide:
            steps.heightOfTide();
            break;
        }
    } catch (const ondal::RuntimeError &error) {
        return error.number();
    }
    return 0;
}

void addColumns()
{
    QTest::addColumn<Step>("step");
    QTest::addColumn<Texts>("given");
    QTest::addColumn<Texts>("written");
    QTest::addColumn<int>("error");
    QTest::addColumn<QStringList>("messages");
}

void addRow(const QString &name, Step step, const Texts &given, const Texts &written, int error = 0,
            const QStringList &messages = {})
{
    QTest::newRow(qPrintable(name)) << step << given << written << error << messages;
}

constexpr int TypeMismatch = ondal::RuntimeError::TypeMismatch;
constexpr int Overflow = ondal::RuntimeError::Overflow;
constexpr int DivisionByZero = ondal::RuntimeError::DivisionByZero;

} // namespace

class tst_WorksheetSteps : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void range_data();
    void range() { verifyStep(); }
    void timeDifference_data();
    void timeDifference() { verifyStep(); }
    void clear_data();
    void clear() { verifyStep(); }
    void heightAboveLowWater_data();
    void heightAboveLowWater() { verifyStep(); }
    void depth_data();
    void depth() { verifyStep(); }
    void heightOfTide_data();
    void heightOfTide() { verifyStep(); }

    void typicalRoad_data();
    void typicalRoad();

private:
    void verifyStep();
};

// Runs the row's step on a worksheet holding the given texts, then checks
// the error, every one of the 23 fields and the messages in their order.
void tst_WorksheetSteps::verifyStep()
{
    QFETCH(Step, step);
    QFETCH(Texts, given);
    QFETCH(Texts, written);
    QFETCH(int, error);
    QFETCH(QStringList, messages);

    Worksheet sheet(given);
    const Fields before = sheet.fields.texts();
    QCOMPARE(run(sheet.steps, step), error);

    Worksheet expected(given);
    expected.set(written);
    QCOMPARE(listing(sheet.fields.texts()), listing(expected.fields.texts()));
    QCOMPARE(sheet.messages.prompts, messages);

    if (step == Step::Depth || step == Step::HeightOfTide) {
        // The formula comes before anything is read or written.
        QCOMPARE(listing(sheet.shown.front()), listing(before));
    } else if (step == Step::HeightAboveLowWater && !messages.isEmpty()) {
        // The height is emptied before the factor is asked for.
        QCOMPARE(listing(sheet.shown.front()), listing(expected.fields.texts()));
    }
}

void tst_WorksheetSteps::range_data()
{
    addColumns();
    const auto row = [](const char *name, const QString &high, const QString &low,
                        const Texts &written, int error = 0) {
        addRow(QString::fromUtf8(name), Step::Range, {{1, high}, {2, low}}, written, error);
    };
    row("4.2 less 0.8", u"4.2"_s, u"0.8"_s, {{3, u"3.4"_s}});
    row("2.1 less 0.4 shows 1.7", u"2.1"_s, u"0.4"_s, {{3, u"1.7"_s}});
    row("both empty give 0", u""_s, u""_s, {{3, u"0"_s}});
    row("a unit after the height is ignored", u"3.2m"_s, u"0.8"_s, {{3, u"2.4"_s}});
    row("1,25 stops at the comma", u"1,25"_s, u""_s, {{3, u"1"_s}});
    row("low water above high water gives a negative range", u"0.8"_s, u"1.2"_s, {{3, u"-0.4"_s}});
    row("difference beyond the double range overflows", u"1e308"_s, u"-1e308"_s, {}, Overflow);
}

// Every case runs through both the duration and the interval step, each over
// its own fields. Times are "hours A|minutes A|hours B|minutes B"; the shown
// texts are "total|hours|remainder", as far as the step wrote them.
void tst_WorksheetSteps::timeDifference_data()
{
    addColumns();

    struct Case
    {
        const char *name;
        const char *time;
        const char *shown;
        int error = 0;
    };
    const Case cases[] = {
        {"high water 14:30, low water 8:20", "14|30|8|20", "370|6|10"},
        {"the times swapped give the same", "8|20|14|30", "370|6|10"},
        {"high water 14:30, required time 11:00", "14|30|11|0", "210|3|30"},
        {"equal times write 0 in all three fields", "6|0|6|0", "0|0|0"},
        {"midnight is not wrapped", "23|30|0|30", "1380|23|0"},
        {"minutes above 59 count as they are", "1|75|0|0", "135|2|15"},
        {"no leading zero on the remainder", "8|5|0|0", "485|8|5"},
        {"a fractional hour", "1.5|0|0|0", "90|1|30"},
        {"leading zero and surrounding blanks", " 07 |05|0|0", "425|7|5"},
        {"59.6 minutes round up to a whole hour", "0|59.6|0|0", "59.6|0|0"},
        {"90.5 minutes round to the even 90", "0|90.5|0|0", "90.5|1|30"},
        {"91.5 minutes round to the even 92", "0|91.5|0|0", "91.5|1|32"},
        {"119.5 minutes: hours unrounded, remainder rounded", "0|119.5|0|0", "119.5|1|0"},
        {"the largest 32-bit remainder", "0|2147483647|0|0", "2147483647|35791394|7"},
        {"rounding past 32 bits overflows after the total", "0|2147483647.5|0|0", "2147483647.5",
         Overflow},
        {"40 million hours overflow after the total", "40000000|0|0|0", "2400000000", Overflow},
        {"hours A empty: nothing happens", "|x|y|z", ""},
        {"minutes A empty is a mismatch before hours B is tested", "14|||", "", TypeMismatch},
        {"letters in hours A are a mismatch before hours B is tested", "x|30||", "", TypeMismatch},
        {"hours B empty: nothing is written", "14|30||20", ""},
        {"minutes B unread while hours B is empty", "14|30||abc", ""},
        {"minutes B empty is a mismatch", "14|30|8|", "", TypeMismatch},
        {"one blank in hours A is not empty", " |30|8|20", "", TypeMismatch},
        {"one blank in hours B is not empty", "14|30| |20", "", TypeMismatch},
        {"hours beyond the double range overflow", "1e307|0|0|0", "", Overflow},
        {"difference beyond the double range overflows", "2.9e306|0|-2.9e306|0", "", Overflow},
    };

    struct StepFields
    {
        Step step;
        const char *name;
        std::array<int, 4> time;
        std::array<int, 3> shown;
    };
    const StepFields steps[] = {{Step::Duration, "duration", {4, 5, 6, 7}, {22, 8, 9}},
                                {Step::Interval, "interval", {10, 11, 12, 13}, {23, 14, 15}}};

    for (const StepFields &f : steps) {
        for (const Case &c : cases) {
            const QStringList time = QString::fromUtf8(c.time).split(u'|');
            const QStringList shown = QString::fromUtf8(c.shown).split(u'|', Qt::SkipEmptyParts);
            Texts given, written;
            for (int i = 0; i < 4; ++i)
                given.insert(f.time.at(i), time.at(i));
            for (int i = 0; i < shown.size(); ++i)
                written.insert(f.shown.at(i), shown.at(i));
            addRow(u"%1: %2"_s.arg(QString::fromUtf8(f.name), QString::fromUtf8(c.name)), f.step,
                   given, written, c.error);
        }
    }
}

void tst_WorksheetSteps::clear_data()
{
    addColumns();
    Texts filled, emptied;
    for (int field = 1; field <= ondal::Worksheet::FieldCount; ++field) {
        filled.insert(field, u"12.5"_s);
        emptied.insert(field, QString());
    }
    addRow(u"every field emptied, read-outs too"_s, Step::Clear, filled, emptied);
}

void tst_WorksheetSteps::heightAboveLowWater_data()
{
    addColumns();
    const auto row = [](const char *name, const QString &factor, const QString &range,
                        const Texts &written, int error = 0, const QStringList &messages = {}) {
        addRow(QString::fromUtf8(name), Step::HeightAboveLowWater, {{16, factor}, {3, range}},
               written, error, messages);
    };
    row("factor 0.8 of a 3.4 range", u"0.8"_s, u"3.4"_s, {{17, u"2.72"_s}});
    row("factor 5 is not range-tested", u"5"_s, u"3.4"_s, {{17, u"17"_s}});
    row("a negative factor", u"-0.5"_s, u"3.4"_s, {{17, u"-1.7"_s}});
    row("letters count as a factor of 0", u"abc"_s, u"3.4"_s, {{17, u"0"_s}});
    row("one blank is a factor of 0, not missing", u" "_s, u"3.4"_s, {{17, u"0"_s}});
    row("empty factor empties the height and asks for it", u""_s, u"3.4"_s, {{17, u""_s}}, 0,
        {FactorMissing});
    row("product beyond the double range overflows", u"1e200"_s, u"1e200"_s, {}, Overflow);
}

void tst_WorksheetSteps::depth_data()
{
    addColumns();
    const auto row = [](const char *name, const Texts &given, const Texts &written, int error = 0) {
        addRow(QString::fromUtf8(name), Step::Depth, given, written, error, {DepthFormula});
    };
    row("2.72 above 0.8 over a 10 m sounding", {{17, u"2.72"_s}, {2, u"0.8"_s}, {19, u"10"_s}},
        {{20, u"3.52"_s}, {18, u"13.52"_s}});
    row("every field empty gives 0 and 0",
        {{17, u""_s}, {2, u""_s}, {19, u""_s}, {20, u""_s}, {18, u""_s}},
        {{20, u"0"_s}, {18, u"0"_s}});
    // 0.1 + 0.2 is a hair above 0.3; the depth is worked from the 0.3 shown.
    row("depth from the height as shown", {{17, u"0.1"_s}, {2, u"0.2"_s}, {19, u"-0.3"_s}},
        {{20, u"0.3"_s}, {18, u"0"_s}});
    row("first sum beyond the double range: nothing written",
        {{17, u"1e308"_s}, {2, u"1e308"_s}, {19, u"0"_s}}, {}, Overflow);
    row("second sum beyond the double range: the height stays",
        {{17, u"1e308"_s}, {2, u"0"_s}, {19, u"1e308"_s}}, {{20, u"1E+308"_s}}, Overflow);
}

void tst_WorksheetSteps::heightOfTide_data()
{
    addColumns();
    const auto row = [](const char *name, const QStringList &lowRangeIntervalDuration,
                        const Texts &written, int error = 0) {
        const Texts given{{2, lowRangeIntervalDuration.at(0)},
                          {3, lowRangeIntervalDuration.at(1)},
                          {23, lowRangeIntervalDuration.at(2)},
                          {22, lowRangeIntervalDuration.at(3)}};
        addRow(QString::fromUtf8(name), Step::HeightOfTide, given, written, error,
               {HeightOfTideFormula});
    };
    row("at high water the high-water height", {u"0.8"_s, u"3.4"_s, u"0"_s, u"360"_s},
        {{21, u"4.2"_s}});
    row("at low water the low-water height", {u"0.8"_s, u"3.4"_s, u"360"_s, u"360"_s},
        {{21, u"0.8"_s}});
    row("90 minutes into a 360-minute fall", {u"0.8"_s, u"3.4"_s, u"90"_s, u"360"_s},
        {{21, u"3.35"_s}});
    row("210 minutes into a 370-minute fall", {u"0.8"_s, u"3.4"_s, u"210"_s, u"370"_s},
        {{21, u"2.27027027027027"_s}});
    row("low water empty: nothing written", {u""_s, u"3.4"_s, u"90"_s, u"360"_s}, {});
    row("range empty: nothing written", {u"0.8"_s, u""_s, u"90"_s, u"360"_s}, {});
    row("interval empty: nothing written", {u"0.8"_s, u"3.4"_s, u""_s, u"360"_s}, {});
    row("duration empty: nothing written", {u"0.8"_s, u"3.4"_s, u"90"_s, u""_s}, {});
    row("duration 0 is a division by zero", {u"0.8"_s, u"3.4"_s, u"90"_s, u"0"_s}, {},
        DivisionByZero);
    row("blanks as duration count as 0", {u"0.8"_s, u"3.4"_s, u"90"_s, u"  "_s}, {},
        DivisionByZero);
    row("duration and interval 0 are 0/0", {u"0.8"_s, u"3.4"_s, u"0"_s, u"0"_s}, {}, Overflow);
    row("duration and range 0 are 0/0", {u"0.8"_s, u"0"_s, u"90"_s, u"0"_s}, {}, Overflow);
    row("result beyond the double range overflows", {u"1e308"_s, u"1e308"_s, u"0"_s, u"1"_s}, {},
        Overflow);
}

// The whole road of a standard-port prediction, each step reading what the
// earlier ones wrote, with the user's decimal separator in and out.
void tst_WorksheetSteps::typicalRoad_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("point");
    QTest::newRow("full stop locale") << QLocale::c() << u"."_s;
    QTest::newRow("comma locale reads its own results back")
        << QLocale(QLocale::German, QLocale::Germany) << u","_s;
}

void tst_WorksheetSteps::typicalRoad()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, point);
    QLocale::setDefault(locale);
    const auto local = [&](QString text) { return text.replace(u'.', point); };

    Worksheet sheet;
    sheet.steps.clear();
    sheet.set({{1, local(u"4.2"_s)}, {2, local(u"0.8"_s)}});
    sheet.steps.range();
    QCOMPARE(sheet[3], local(u"3.4"_s));

    sheet.set({{4, u"14"_s}, {5, u"30"_s}, {6, u"8"_s}, {7, u"20"_s}});
    sheet.steps.duration();
    QCOMPARE((QStringList{sheet[22], sheet[8], sheet[9]}),
             (QStringList{u"370"_s, u"6"_s, u"10"_s}));

    sheet.set({{10, u"14"_s}, {11, u"30"_s}, {12, u"11"_s}, {13, u"0"_s}});
    sheet.steps.interval();
    QCOMPARE((QStringList{sheet[23], sheet[14], sheet[15]}),
             (QStringList{u"210"_s, u"3"_s, u"30"_s}));

    sheet.steps.heightOfTide();
    QCOMPARE(sheet[21], local(u"2.27027027027027"_s));

    sheet.set({{16, local(u"0.8"_s)}});
    sheet.steps.heightAboveLowWater();
    QCOMPARE(sheet[17], local(u"2.72"_s));

    sheet.set({{19, u"10"_s}});
    sheet.steps.depth();
    QCOMPARE(sheet[20], local(u"3.52"_s));
    QCOMPARE(sheet[18], local(u"13.52"_s));

    QCOMPARE(sheet.messages.prompts, (QStringList{HeightOfTideFormula, DepthFormula}));
}

QTEST_GUILESS_MAIN(tst_WorksheetSteps)
#include "tst_worksheetsteps.moc"
