#include "core/runtime/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace Qt::StringLiterals;

// A failed write is told in the system's words, and never as "Unknown error".
class tst_WholeFile : public QObject
{
    Q_OBJECT

private slots:
    void failureIsToldWithTheSystemsReason_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a folder in its place")
            << u"folder"_s << u"Filename refers to a directory"_s;
        QTest::newRow("its folder is a file") << u"file/inside"_s << u"Not a directory"_s;
        QTest::newRow("no such folder") << u"missing/inside"_s << u"No such file or directory"_s;
    }
    void failureIsToldWithTheSystemsReason()
    {
        QFETCH(QString, where);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(u"folder"_s));
        QFile file(dir.filePath(u"file"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QCOMPARE(ondal::writeWholeFile(dir.filePath(where), "bytes"), reason);
    }

    void qtsUnknownErrorGivesWayToErrno()
    {
        const QFile noError;
        QCOMPARE(ondal::failureReason(noError, EFBIG), u"File too large"_s);
        QCOMPARE(ondal::failureReason(noError, 0), u"the system gave no reason"_s);
    }
};

QTEST_GUILESS_MAIN(tst_WholeFile)
#include "tst_wholefile.moc"
