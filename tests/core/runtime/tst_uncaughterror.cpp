#include "RuntimeTestSupport.h"
#include "core/runtime/UncaughtError.h"

#include <QTest>

using namespace ondal;
using namespace ondal::test;
using namespace Qt::StringLiterals;

class tst_UncaughtError : public QObject
{
    Q_OBJECT

private slots:
    void errors_data();
    void errors();
    void handlerErrorIsReportedNotRethrown();
    void handlerWithoutErrorSaysNothing();
};

void tst_UncaughtError::errors_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("description");

    QTest::newRow("5") << 5 << u"Invalid procedure call or argument"_s;
    QTest::newRow("6") << 6 << u"Overflow"_s;
    QTest::newRow("11") << 11 << u"Division by zero"_s;
    QTest::newRow("13") << 13 << u"Type mismatch"_s;
}

void tst_UncaughtError::errors()
{
    QFETCH(int, code);
    QFETCH(QString, description);
    const RuntimeError error(static_cast<RuntimeError::Code>(code));
    QCOMPARE(error.number(), code);
    QCOMPARE(error.description(), description);
    QCOMPARE(QString::fromLatin1(error.what()), description);
    QCOMPARE(uncaughtErrorText(error),
             u"Run-time error '"_s + QString::number(code) + u"':\n\n"_s + description);
}

void tst_UncaughtError::handlerErrorIsReportedNotRethrown()
{
    RecordingMessages messages;
    QString field;
    runHandler(
        [&] {
            field = u"3.4"_s;
            throw RuntimeError(RuntimeError::TypeMismatch);
        },
        messages);
    QCOMPARE(messages.prompts, QStringList{u"Run-time error '13':\n\nType mismatch"_s});
    QCOMPARE(field, u"3.4"_s); // what the handler wrote before the error stays
}

void tst_UncaughtError::handlerWithoutErrorSaysNothing()
{
    RecordingMessages messages;
    bool ran = false;
    runHandler([&] { ran = true; }, messages);
    QVERIFY(ran);
    QVERIFY(messages.prompts.isEmpty());
}

QTEST_GUILESS_MAIN(tst_UncaughtError)
#include "tst_uncaughterror.moc"
