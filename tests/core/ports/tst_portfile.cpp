#include "core/ports/PortFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace Qt::StringLiterals;
using namespace ondal::ports;

namespace {

PortTable port(const QString &name, const QString &mhws = u"4.2"_s)
{
    PortTable table;
    table.name = name;
    table.standardPort = u"Bigport"_s;
    table.hwTime1 = u"0000"_s;
    table.hwDiff1 = u"+0035"_s;
    table.mhws = mhws;
    table.seasonalSecondary = u" -0,1 m"_s; // kept exactly as typed
    return table;
}

QStringList names(const PortFile &file)
{
    QStringList out;
    for (const PortTable &table : file.ports())
        out << table.name;
    return out;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

} // namespace

class tst_PortFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(u"data/ports.json"_s); }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.filePath(u"data"_s)));
    }

    void roundTripSortedByName();
    void replaceAndDeleteWithoutRegardToCase();
    void portsSavedElsewhereAreKept();
    void failedWriteLeavesTheOldFile();
    void unreadableFileIsKeptAndMovedAside_data();
    void unreadableFileIsKeptAndMovedAside();
};

void tst_PortFile::roundTripSortedByName()
{
    PortFile file(path());
    QVERIFY(file.loadProblem().isEmpty());
    for (const QString &name : {u"Zeeport"_s, u"anchor bay"_s, u"Littleport"_s})
        QCOMPARE(file.save(port(name)).failure, QString());
    QCOMPARE(file.save(port(u"  "_s)).failure,
             u"Type the secondary port's name before saving it."_s);

    const PortFile again(path());
    QVERIFY(again.loadProblem().isEmpty());
    QCOMPARE(names(again), (QStringList{u"anchor bay"_s, u"Littleport"_s, u"Zeeport"_s}));
    QCOMPARE(again.ports().at(1), port(u"Littleport"_s));
    QVERIFY(contents(path()).contains("\"format\": 1"));
}

void tst_PortFile::replaceAndDeleteWithoutRegardToCase()
{
    PortFile file(path());
    file.save(port(u"Littleport"_s));
    file.save(port(u"Bigport"_s));
    QCOMPARE(file.indexOf(u"LITTLEPORT "_s), 1);
    QCOMPARE(file.save(port(u"LITTLEPORT"_s, u"4.3"_s)).failure, QString());
    QCOMPARE(names(PortFile(path())), (QStringList{u"Bigport"_s, u"LITTLEPORT"_s}));
    QCOMPARE(PortFile(path()).ports().at(1).mhws, u"4.3"_s);

    QCOMPARE(file.remove(u"littleport"_s).failure, QString());
    QCOMPARE(names(PortFile(path())), QStringList{u"Bigport"_s});
    QVERIFY(!file.remove(u"Littleport"_s).failure.isEmpty());
}

// Two windows (or two Ondals) on one file: neither's save loses the other's.
void tst_PortFile::portsSavedElsewhereAreKept()
{
    PortFile first(path());
    PortFile second(path());
    QCOMPARE(first.save(port(u"Littleport"_s)).failure, QString());
    QCOMPARE(second.save(port(u"Bigport"_s)).failure, QString());
    QCOMPARE(first.remove(u"Bigport"_s).failure, QString());
    QCOMPARE(names(PortFile(path())), QStringList{u"Littleport"_s});
}

void tst_PortFile::failedWriteLeavesTheOldFile()
{
#ifdef Q_OS_UNIX
    // A limit on the size of files written makes the new list fail half
    // way, whoever runs the test.
    PortFile file(path());
    file.save(port(u"Littleport"_s));
    const QByteArray before = contents(path());
    rlimit old{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = rlim_t(before.size() + 16);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const PortFile::Outcome outcome = file.save(port(QString(400, u'x')));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY2(outcome.failure.startsWith(u"The list of ports could not be saved in the file\n"_s +
                                        QDir::toNativeSeparators(path()) + u"\n\n"_s),
             qPrintable(outcome.failure));
    QCOMPARE(contents(path()), before);
    QCOMPARE(names(file), QStringList{u"Littleport"_s});
    QCOMPARE(QDir(m_dir.filePath(u"data"_s)).entryList(QDir::Files), QStringList{u"ports.json"_s});
#else
    QSKIP("needs a limit on file sizes");
#endif
}

void tst_PortFile::unreadableFileIsKeptAndMovedAside_data()
{
    QTest::addColumn<QByteArray>("written"); // empty: a folder in its place
    QTest::addColumn<QString>("why");

    QTest::newRow("not JSON") << QByteArray("{\"format\": 1, \"ports\": [") << u"not a JSON"_s;
    QTest::newRow("newer format") << QByteArray(R"({"format": 2, "ports": []})")
                                  << u"written by a newer Ondal (format 2)"_s;
    QTest::newRow("damaged port") << QByteArray(R"({"format": 1, "ports": [{"name": 3}]})")
                                  << u"port 1 in it is damaged"_s;
    QTest::newRow("no format") << QByteArray(R"({"ports": []})") << u"not a list of ports"_s;
    QTest::newRow("a folder") << QByteArray() << u"it is a folder"_s;
}

void tst_PortFile::unreadableFileIsKeptAndMovedAside()
{
    QFETCH(QByteArray, written);
    QFETCH(QString, why);
    if (written.isEmpty()) {
        QVERIFY(QDir().mkpath(path()));
    } else {
        QFile damaged(path());
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(written);
    }

    PortFile file(path());
    QVERIFY2(file.loadProblem().contains(QDir::toNativeSeparators(path())) &&
                 file.loadProblem().contains(why),
             qPrintable(file.loadProblem()));
    QVERIFY(file.ports().isEmpty());
    // Left alone until a port is saved.
    QCOMPARE(contents(path()), written.isEmpty() ? QByteArray("(unreadable)") : written);

    const PortFile::Outcome outcome = file.save(port(u"Littleport"_s));
    QCOMPARE(outcome.failure, QString());
    QVERIFY2(outcome.movedTo.startsWith(path() + u".unreadable-"_s), qPrintable(outcome.movedTo));
    if (written.isEmpty())
        QVERIFY(QFileInfo(outcome.movedTo).isDir());
    else
        QCOMPARE(contents(outcome.movedTo), written);
    QVERIFY(file.loadProblem().isEmpty());
    QCOMPARE(names(PortFile(path())), QStringList{u"Littleport"_s});
}

QTEST_GUILESS_MAIN(tst_PortFile)
#include "tst_portfile.moc"
