#include "core/runtime/ValueReader.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;
using ondal::Refusal;
using ondal::ValueRule;
using Kind = Refusal::Kind;

Q_DECLARE_METATYPE(Kind)

namespace {

const ValueRule Metres{-100, 100, u"m"_s, {}};
const ValueRule Draught{0, 100, u"m"_s, {}};

} // namespace

class tst_ValueReader : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void readsWhole_data();
    void readsWhole();
    void refusesByKind_data();
    void refusesByKind();
    void wordsEachKind();
};

void tst_ValueReader::readsWhole_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    const QLocale c = QLocale::c();
    const QLocale german(QLocale::German, QLocale::Germany);
    QTest::newRow("plain") << c << u"3.2"_s << 3.2;
    QTest::newRow("unit after a blank") << c << u" 3.2 m "_s << 3.2;
    QTest::newRow("unit run on") << c << u"3.2m"_s << 3.2;
    QTest::newRow("negative") << c << u"-0.6"_s << -0.6;
    QTest::newRow("true minus") << c << u"\u22120.6"_s << -0.6;
    QTest::newRow("exponent") << c << u"1e1"_s << 10.0;
    QTest::newRow("minus zero is zero") << c << u"-0"_s << 0.0;
    QTest::newRow("a decimal comma in German") << german << u"2,5"_s << 2.5;
    QTest::newRow("a full stop in German too") << german << u"2.5"_s << 2.5;
}

void tst_ValueReader::readsWhole()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(double, value);
    QLocale::setDefault(locale);
    const ondal::ValueRead read = ondal::readValue(text, Metres);
    QVERIFY2(read, qPrintable(ondal::refusalText(u"value"_s, read.refusal)));
    QCOMPARE(*read.value, value);
}

void tst_ValueReader::refusesByKind_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<ValueRule>("rule");
    QTest::addColumn<Kind>("kind");

    QTest::newRow("blank") << u"  "_s << Metres << Kind::NotGiven;
    QTest::newRow("letters") << u"abc"_s << Metres << Kind::NotANumber;
    QTest::newRow("not a number") << u"NaN"_s << Metres << Kind::NotANumber;
    QTest::newRow("a hex prefix") << u"&H4"_s << Metres << Kind::NotANumber;
    QTest::newRow("an Arabic digit") << u"١"_s << Metres << Kind::NotANumber;
    QTest::newRow("a decimal comma in English") << u"2,5"_s << Metres << Kind::ReadInPart;
    QTest::newRow("a blank inside") << u"4 2"_s << Metres << Kind::ReadInPart;
    QTest::newRow("a D exponent") << u"4D0"_s << Metres << Kind::ReadInPart;
    QTest::newRow("another unit") << u"3 kn"_s << Metres << Kind::ReadInPart;
    QTest::newRow("a unit where none is") << u"3 m"_s << ValueRule{} << Kind::ReadInPart;
    QTest::newRow("beyond a double") << u"1e400"_s << Metres << Kind::TooLarge;
    QTest::newRow("beyond the bounds") << u"1e308"_s << Metres << Kind::OutOfBounds;
    QTest::newRow("below a negative bound") << u"-100.5"_s << Metres << Kind::OutOfBounds;
    QTest::newRow("negative from 0") << u"-5"_s << Draught << Kind::Negative;
    QTest::newRow("a paste as long as the field")
        << u"4.2"_s + QString(ondal::ValueFieldLength, u' ') + u"x"_s << Draught << Kind::TooLong;
}

void tst_ValueReader::refusesByKind()
{
    QFETCH(QString, text);
    QFETCH(ValueRule, rule);
    QFETCH(Kind, kind);
    const ondal::ValueRead read = ondal::readValue(text, rule);
    QVERIFY(!read);
    QCOMPARE(read.refusal.kind, kind);
}

// Every kind in one sentence shape: the label, why, what is not worked out.
void tst_ValueReader::wordsEachKind()
{
    const auto said = [](const QString &text, const ValueRule &rule) {
        return ondal::refusalText(u"Draught"_s, ondal::readValue(text, rule).refusal,
                                  u"no tidal window is given"_s);
    };
    QCOMPARE(said(u""_s, Draught), u"Draught: missing; no tidal window is given"_s);
    QCOMPARE(said(u"abc"_s, Draught),
             u"Draught: “abc” is not a number; no tidal window is given"_s);
    QCOMPARE(said(u"2,5"_s, Draught),
             u"Draught: “2,5” is not a number: only “2” reads as one; no tidal window is given"_s);
    QCOMPARE(said(u"1e400"_s, Draught),
             u"Draught: “1e400” is too large a number; no tidal window is given"_s);
    QCOMPARE(said(u"-120"_s, Metres),
             u"Draught: “-120” lies outside −100 to 100 m; no tidal window is given"_s);
    QCOMPARE(said(u"-5"_s, Draught),
             u"Draught: “-5” cannot be negative; no tidal window is given"_s);
    QCOMPARE(said(QString(50, u'4'), Draught),
             u"Draught: the text is too long to be a value; no tidal window is given"_s);
    QCOMPARE(said(u"10000000000000004"_s, Metres),
             u"Draught: “10000000000000…” lies outside −100 to 100 m; no tidal window is given"_s);
    QCOMPARE(ondal::refusalText(u"Time"_s, ondal::notInForm(u"25:00"_s, u"a time such as 0638"_s)),
             u"Time: “25:00” is not a time such as 0638"_s);
}

QTEST_GUILESS_MAIN(tst_ValueReader)
#include "tst_valuereader.moc"
