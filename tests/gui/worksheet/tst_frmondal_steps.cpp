#include "gui/worksheet/frmOndal.h"
#include "support/RecordingMessages.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMap>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Field number → text.
using Texts = QMap<int, QString>;

constexpr int FieldCount = 23;

const QString DepthFormula = u"Depth of Water = Charted Sounding + Height Above Chart Datum"_s;
const QString HeightOfTideFormula =
    u"Height of Tide = Low Water + (Predicted Range * (Duration - Interval)) / Duration"_s;

QLineEdit *field(QWidget *window, int number)
{
    return window->findChild<QLineEdit *>(u"Text%1"_s.arg(number));
}

// One "TextN=..." line per field, so a failing comparison names the field.
QStringList listing(QWidget *window)
{
    QStringList out;
    for (int n = 1; n <= FieldCount; ++n) {
        const QLineEdit *edit = field(window, n);
        out << u"Text%1=%2"_s.arg(n).arg(edit ? edit->text() : u"<missing>"_s);
    }
    return out;
}

// A shown worksheet whose message box notes the fields as they stood while
// each message was shown.
struct Worksheet
{
    Worksheet()
    {
        window = std::make_unique<frmOndal>(model, messages);
        messages.onMessage = [this](const QString &) {
            snapshots.push_back(listing(window.get()));
        };
        window->show();
    }

    void type(const Texts &texts)
    {
        for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
            QLineEdit *edit = field(window.get(), it.key());
            QVERIFY2(edit, qPrintable(u"Text%1"_s.arg(it.key())));
            edit->setText(it.value());
        }
    }

    QStringList expected(const Texts &texts) const
    {
        QStringList out = listing(window.get());
        for (auto it = texts.cbegin(); it != texts.cend(); ++it)
            out[it.key() - 1] = u"Text%1=%2"_s.arg(it.key()).arg(it.value());
        return out;
    }

    void click(const QString &button)
    {
        auto *b = window->findChild<QPushButton *>(button);
        QVERIFY2(b, qPrintable(button));
        QTest::mouseClick(b, Qt::LeftButton);
    }

    ondal::Worksheet model;
    ondal::test::RecordingMessages messages;
    std::vector<QStringList> snapshots;
    std::unique_ptr<frmOndal> window;
};

QString runTimeError(int number, const QString &description)
{
    return u"Run-time error '%1':\n\n%2"_s.arg(number).arg(description);
}

} // namespace

class tst_frmOndalSteps : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale::c());
    }

    void buttons_data();
    void buttons();
    void keysOnFocusedCommand1_data();
    void keysOnFocusedCommand1();
    void uncaughtErrors_data();
    void uncaughtErrors();
};

// The columns of a click table: the button, the fields typed before the
// click, the fields the click writes, and the messages it shows.
static void addClickColumns()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<Texts>("given");
    QTest::addColumn<Texts>("written");
    QTest::addColumn<QStringList>("messages");
}

void tst_frmOndalSteps::buttons_data()
{
    addClickColumns();

    QTest::newRow("Command3 works out the range")
        << u"Command3"_s << Texts{{1, u"4.2"_s}, {2, u"0.8"_s}} << Texts{{3, u"3.4"_s}}
        << QStringList();
    QTest::newRow("Command4 works out the duration")
        << u"Command4"_s << Texts{{4, u"14"_s}, {5, u"30"_s}, {6, u"8"_s}, {7, u"20"_s}}
        << Texts{{22, u"370"_s}, {8, u"6"_s}, {9, u"10"_s}} << QStringList();
    QTest::newRow("Command5 works out the interval")
        << u"Command5"_s << Texts{{10, u"14"_s}, {11, u"30"_s}, {12, u"11"_s}, {13, u"0"_s}}
        << Texts{{23, u"210"_s}, {14, u"3"_s}, {15, u"30"_s}} << QStringList();
    QTest::newRow("Command6 works out the height above low water")
        << u"Command6"_s << Texts{{16, u"0.8"_s}, {3, u"3.4"_s}} << Texts{{17, u"2.72"_s}}
        << QStringList();
    QTest::newRow("Command6 asks for a missing factor")
        << u"Command6"_s << Texts{{17, u"2.72"_s}, {3, u"3.4"_s}} << Texts{{17, u""_s}}
        << QStringList{u"Please enter the Factor"_s};
    QTest::newRow("Command1 shows its formula, then the depth")
        << u"Command1"_s << Texts{{17, u"2.72"_s}, {2, u"0.8"_s}, {19, u"10"_s}, {20, u"old"_s}}
        << Texts{{20, u"3.52"_s}, {18, u"13.52"_s}} << QStringList{DepthFormula};
    QTest::newRow("Command7 shows its formula, then the height of tide")
        << u"Command7"_s
        << Texts{{2, u"0.8"_s}, {3, u"3.4"_s}, {23, u"210"_s}, {22, u"370"_s}, {21, u"old"_s}}
        << Texts{{21, u"2.27027027027027"_s}} << QStringList{HeightOfTideFormula};

    Texts filled, emptied;
    for (int n = 1; n <= FieldCount; ++n) {
        filled.insert(n, u"1"_s);
        emptied.insert(n, QString());
    }
    QTest::newRow("Command2 clears every field")
        << u"Command2"_s << filled << emptied << QStringList();
}

// Each button runs its own step on the window's fields, and a formula is
// shown before the step touches any of them.
void tst_frmOndalSteps::buttons()
{
    QFETCH(QString, button);
    QFETCH(Texts, given);
    QFETCH(Texts, written);
    QFETCH(QStringList, messages);

    Worksheet sheet;
    sheet.type(given);
    const QStringList before = listing(sheet.window.get());
    const QStringList after = sheet.expected(written);

    sheet.click(button);
    QCOMPARE(listing(sheet.window.get()), after);
    QCOMPARE(sheet.messages.prompts, messages);
    if (messages.value(0).contains(u" = "_s))
        QCOMPARE(sheet.snapshots.front(), before);
}

void tst_frmOndalSteps::keysOnFocusedCommand1_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Enter);
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Space") << int(Qt::Key_Space);
}

// The worksheet opens with the focus on Command1, so a key pressed at once
// runs the depth step on the empty fields.
void tst_frmOndalSteps::keysOnFocusedCommand1()
{
    QFETCH(int, key);

    Worksheet sheet;
    QVERIFY(QTest::qWaitForWindowActive(sheet.window.get()));
    QWidget *focused = QApplication::focusWidget();
    QVERIFY(focused);
    QCOMPARE(focused->objectName(), u"Command1"_s);

    QTest::keyClick(focused, Qt::Key(key));
    QCOMPARE(sheet.messages.prompts, QStringList{DepthFormula});
    QStringList expected;
    for (int n = 1; n <= FieldCount; ++n)
        expected << u"Text%1=%2"_s.arg(n).arg(n == 18 || n == 20 ? u"0"_s : QString());
    QCOMPARE(listing(sheet.window.get()), expected);
}

void tst_frmOndalSteps::uncaughtErrors_data()
{
    addClickColumns();

    QTest::newRow("letters in an hours field: type mismatch, nothing written")
        << u"Command4"_s << Texts{{4, u"x"_s}, {5, u"30"_s}, {6, u"8"_s}, {7, u"20"_s}} << Texts{}
        << QStringList{runTimeError(13, u"Type mismatch"_s)};
    QTest::newRow("32-bit overflow keeps the total minutes written")
        << u"Command5"_s << Texts{{10, u"40000000"_s}, {11, u"0"_s}, {12, u"0"_s}, {13, u"0"_s}}
        << Texts{{23, u"2400000000"_s}} << QStringList{runTimeError(6, u"Overflow"_s)};
    QTest::newRow("zero duration: the formula, then division by zero")
        << u"Command7"_s
        << Texts{{2, u"0.8"_s}, {3, u"3.4"_s}, {23, u"90"_s}, {22, u"0"_s}, {21, u"old"_s}}
        << Texts{} << QStringList{HeightOfTideFormula, runTimeError(11, u"Division by zero"_s)};
}

// An error a step does not catch is reported by name; the worksheet stays as
// the error left it and goes on working.
void tst_frmOndalSteps::uncaughtErrors()
{
    QFETCH(QString, button);
    QFETCH(Texts, given);
    QFETCH(Texts, written);
    QFETCH(QStringList, messages);

    Worksheet sheet;
    sheet.type(given);
    const QStringList after = sheet.expected(written);

    sheet.click(button);
    QCOMPARE(sheet.messages.prompts, messages);
    QCOMPARE(sheet.snapshots.back(), after);
    QCOMPARE(listing(sheet.window.get()), after);

    QVERIFY(sheet.window->isVisible());
    sheet.type({{1, u"4.2"_s}, {2, u"0.8"_s}});
    sheet.click(u"Command3"_s);
    QCOMPARE(listing(sheet.window.get()).at(2), u"Text3=3.4"_s);
}

QTEST_MAIN(tst_frmOndalSteps)
#include "tst_frmondal_steps.moc"
