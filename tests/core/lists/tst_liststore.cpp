#include "core/lists/ListStore.h"
#include "core/ports/PortList.h"
#include "core/streams/StreamTable.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QMutex>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>

// The store is shared by every list the user keeps; it is tested once, with
// the ports, and the stations' kind only for what is its own.

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using ondal::lists::ListEntry;
using ondal::lists::ListStore;
using Status = ListStore::Outcome::Status;

namespace {

const QDateTime Pinned(QDate(2024, 1, 2), QTime(3, 4, 5));

ListEntry port(const QString &name, const QString &mhws = u"4.2"_s)
{
    ondal::ports::PortTable table;
    table.name = name;
    table.standardPort = u"Bigport"_s;
    table.hwTime1 = u"0000"_s;
    table.hwDiff1 = u"+0035"_s;
    table.mhws = mhws;
    table.seasonalSecondary = u" -0,1 m"_s; // kept exactly as typed
    return ondal::ports::toEntry(table);
}

QStringList names(const ListStore &store)
{
    QStringList out;
    for (const ListEntry &entry : store.entries())
        out << entry.name;
    return out;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class tst_ListStore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(u"data/ports.json"_s); }
    std::unique_ptr<ListStore> store(ondal::FileWriter writer = ondal::writeWholeFile) const
    {
        auto made = std::make_unique<ListStore>(
            path(), ondal::ports::portListKind(), std::move(writer), [] { return Pinned; }, 100ms);
        made->reload();
        return made;
    }
    // The file as another Ondal would read it now.
    QStringList namesOnDisk() const { return names(*store()); }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.filePath(u"data"_s)));
    }

    void roundTripSortedByName();
    void replaceAndDeleteWithoutRegardToCase();
    void aPortAnotherStoreSavedIsAskedAbout();
    void savesInTurnLoseNothing();
    void savesAtOnceLoseNothing();
    void heldLockIsToldAndNothingWritten();
    void staleLockIsTakenOver();
    void failedWriteIsToldAndLeavesTheOldFile();
    void unknownKeysSurviveASave();
    void overLongValuesAreRefused_data();
    void overLongValuesAreRefused();
    void unreadableFileIsKeptAndMovedAside_data();
    void unreadableFileIsKeptAndMovedAside();
    void stationsKeepEveryValueAsTyped();
};

void tst_ListStore::roundTripSortedByName()
{
    auto file = store();
    QVERIFY(file->loadProblem().isEmpty());
    for (const QString &name : {u"Zeeport"_s, u"anchor bay"_s, u" Littleport "_s})
        QCOMPARE(file->save(port(name)).status, Status::Done);
    QCOMPARE(file->save(port(u"  "_s)).status, Status::NoName);

    auto again = store();
    QVERIFY(again->loadProblem().isEmpty());
    QCOMPARE(names(*again), (QStringList{u"anchor bay"_s, u"Littleport"_s, u"Zeeport"_s}));
    QCOMPARE(again->entries().at(1), port(u"Littleport"_s));
    QVERIFY(contents(path()).contains("\"format\": 1"));
    QVERIFY(contents(path()).contains("\"seasonalSecondary\": \" -0,1 m\""));
}

void tst_ListStore::replaceAndDeleteWithoutRegardToCase()
{
    auto file = store();
    file->save(port(u"Littleport"_s));
    file->save(port(u"Bigport"_s));
    QCOMPARE(file->indexOf(u"LITTLEPORT "_s), 1);

    const ListStore::Outcome asked = file->save(port(u"LITTLEPORT"_s, u"4.3"_s));
    QCOMPARE(asked.status, Status::Exists);
    QCOMPARE(asked.existing->name, u"Littleport"_s);
    QCOMPARE(file->save(port(u"LITTLEPORT"_s, u"4.3"_s), asked.existing).status, Status::Done);
    auto reread = store();
    QCOMPARE(names(*reread), (QStringList{u"Bigport"_s, u"LITTLEPORT"_s}));
    QCOMPARE(reread->entries().at(1).values.value(u"mhws"_s), u"4.3"_s);

    QCOMPARE(file->remove(u"littleport"_s).status, Status::Done);
    QCOMPARE(namesOnDisk(), QStringList{u"Bigport"_s});
    QCOMPARE(file->remove(u"Littleport"_s).status, Status::NotFound);
}

// Two Ondals with the window open on one data folder: the question is asked
// of the file as it is now, not of the list the window read when it opened.
void tst_ListStore::aPortAnotherStoreSavedIsAskedAbout()
{
    auto first = store();
    auto second = store(); // read while the list was empty
    QCOMPARE(first->save(port(u"Harbour"_s, u"5.5"_s)).status, Status::Done);

    const ListStore::Outcome asked = second->save(port(u"Harbour"_s, u"9.9"_s));
    QCOMPARE(asked.status, Status::Exists);
    QCOMPARE(asked.existing->values.value(u"mhws"_s), u"5.5"_s);
    QCOMPARE(store()->entries().at(0).values.value(u"mhws"_s), u"5.5"_s);
    QCOMPARE(second->entries(), first->entries()); // the window now lists it

    // Changed again while the question was open: asked once more.
    auto newer = first->save(port(u"Harbour"_s, u"7.7"_s));
    QCOMPARE(first->save(port(u"Harbour"_s, u"7.7"_s), newer.existing).status, Status::Done);
    const ListStore::Outcome again = second->save(port(u"Harbour"_s, u"9.9"_s), asked.existing);
    QCOMPARE(again.status, Status::Exists);
    QCOMPARE(again.existing->values.value(u"mhws"_s), u"7.7"_s);

    QCOMPARE(second->save(port(u"Harbour"_s, u"9.9"_s), again.existing).status, Status::Done);
    QCOMPARE(store()->entries().at(0).values.value(u"mhws"_s), u"9.9"_s);
}

void tst_ListStore::savesInTurnLoseNothing()
{
    auto first = store();
    auto second = store();
    QCOMPARE(first->save(port(u"Littleport"_s)).status, Status::Done);
    QCOMPARE(second->save(port(u"Bigport"_s)).status, Status::Done);
    QCOMPARE(names(*second), (QStringList{u"Bigport"_s, u"Littleport"_s}));
    QCOMPARE(first->remove(u"Bigport"_s).status, Status::Done);
    QCOMPARE(namesOnDisk(), QStringList{u"Littleport"_s});
}

// Each save reads, changes and writes the file under the lock, so saves
// made at the same moment from two stores wait for each other.
void tst_ListStore::savesAtOnceLoseNothing()
{
    constexpr int Each = 25;
    QStringList failures;
    QMutex failuresLock;
    const auto saver = [&](const QString &prefix) {
        return QThread::create([&, prefix] {
            ListStore own(
                path(), ondal::ports::portListKind(), ondal::writeWholeFile,
                [] { return QDateTime::currentDateTime(); }, 10s);
            for (int i = 0; i < Each; ++i) {
                const ListStore::Outcome outcome = own.save(port(prefix + QString::number(i)));
                if (outcome.status != Status::Done) {
                    const QMutexLocker locked(&failuresLock);
                    failures << outcome.failure;
                }
            }
        });
    };
    std::unique_ptr<QThread> a(saver(u"a"_s));
    std::unique_ptr<QThread> b(saver(u"b"_s));
    a->start();
    b->start();
    QVERIFY(a->wait(60000) && b->wait(60000));
    QCOMPARE(failures, QStringList());
    QCOMPARE(namesOnDisk().size(), 2 * Each);
}

void tst_ListStore::heldLockIsToldAndNothingWritten()
{
    auto file = store();
    file->save(port(u"Littleport"_s));
    const QByteArray before = contents(path());

    QLockFile other(path() + u".lock"_s); // another Ondal, saving
    QVERIFY(other.tryLock());
    const ListStore::Outcome outcome = file->save(port(u"Bigport"_s));
    QCOMPARE(outcome.status, Status::Failed);
    QCOMPARE(outcome.failure, u"Another Ondal is saving the list of ports; try again."_s);
    QCOMPARE(file->remove(u"Littleport"_s).status, Status::Failed);
    QCOMPARE(contents(path()), before);

    other.unlock();
    QCOMPARE(file->save(port(u"Bigport"_s)).status, Status::Done);
}

// A lock left by an Ondal that died (its process is gone) is taken over.
void tst_ListStore::staleLockIsTakenOver()
{
    QByteArray lines;
    {
        QLockFile made(path() + u".lock"_s);
        QVERIFY(made.tryLock());
        lines = contents(path() + u".lock"_s);
    }
    // The same lock, as a process that no longer runs left it.
    lines.replace(0, lines.indexOf('\n'), "2147483000");
    write(path() + u".lock"_s, lines);

    QCOMPARE(store()->save(port(u"Littleport"_s)).status, Status::Done);
    QCOMPARE(namesOnDisk(), QStringList{u"Littleport"_s});
    QVERIFY(!QFile::exists(path() + u".lock"_s));
}

void tst_ListStore::failedWriteIsToldAndLeavesTheOldFile()
{
    store()->save(port(u"Littleport"_s));
    const QByteArray before = contents(path());
    // The system's reason, as a limit on file sizes gives it.
    auto file = store([](const QString &, const QByteArray &) { return u"File too large"_s; });

    const ListStore::Outcome outcome = file->save(port(u"Bigport"_s));
    QCOMPARE(outcome.status, Status::Failed);
    QCOMPARE(outcome.failure, u"The list of ports could not be saved in the file\n%1\n\nFile too "
                              u"large."_s.arg(QDir::toNativeSeparators(path())));
    QCOMPARE(contents(path()), before);
    QCOMPARE(names(*file), QStringList{u"Littleport"_s});
}

// A newer Ondal's keys, in an entry and beside the list, are kept as they
// are when this one writes the list.
void tst_ListStore::unknownKeysSurviveASave()
{
    write(path(), R"({"format": 1, "written by": "Ondal 2",
                      "ports": [{"name": "Harbour", "mhws": "5.5", "note": "keep",
                                 "tidalStream": {"rate": 2}}]})");
    auto file = store();
    QCOMPARE(file->save(port(u"Bigport"_s)).status, Status::Done);
    const auto asked = file->save(port(u"HARBOUR"_s, u"5.6"_s));
    QCOMPARE(file->save(port(u"HARBOUR"_s, u"5.6"_s), asked.existing).status, Status::Done);

    const QJsonObject root = QJsonDocument::fromJson(contents(path())).object();
    QCOMPARE(root.value(u"written by"_s).toString(), u"Ondal 2"_s);
    const QJsonObject harbour = root.value(u"ports"_s).toArray().at(1).toObject();
    QCOMPARE(harbour.value(u"name"_s).toString(), u"HARBOUR"_s);
    QCOMPARE(harbour.value(u"mhws"_s).toString(), u"5.6"_s);
    QCOMPARE(harbour.value(u"note"_s).toString(), u"keep"_s);
    QCOMPARE(harbour.value(u"tidalStream"_s).toObject().value(u"rate"_s).toInt(), 2);
}

void tst_ListStore::overLongValuesAreRefused_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("kept");
    QTest::addColumn<bool>("read"); // as an earlier Ondal may have saved it

    QTest::newRow("value of 40") << u"mhws"_s << 40 << true << true;
    QTest::newRow("value of 41") << u"mhws"_s << 41 << false << true;
    QTest::newRow("name of 60") << u"name"_s << 60 << true << true;
    QTest::newRow("name of 61") << u"name"_s << 61 << false << true;
    QTest::newRow("standard port of 61") << u"standardPort"_s << 61 << false << true;
    QTest::newRow("value as long as any field held")
        << u"mhwsDiff"_s << ondal::lists::LongestEverTyped << false << true;
    QTest::newRow("value of a megabyte") << u"mhwsDiff"_s << (1 << 20) << false << false;
}

// A value longer than its field can hold is refused when saved; one saved
// by an earlier Ondal, whose fields held more, is read and kept whole; one
// longer than any field ever held was never typed, and a file holding it is
// damaged, so it is kept as it is rather than cut and written back.
void tst_ListStore::overLongValuesAreRefused()
{
    QFETCH(QString, key);
    QFETCH(int, length);
    QFETCH(bool, kept);
    QFETCH(bool, read);
    ListEntry entry = port(u"Littleport"_s);
    if (key == u"name"_s)
        entry.name = QString(length, u'L');
    else
        entry.values.insert(key, QString(length, u'1'));

    const ListStore::Outcome saved = store()->save(entry);
    QCOMPARE(saved.status, kept ? Status::Done : Status::TooLong);
    QCOMPARE(saved.key, kept ? QString() : key);

    QJsonObject object{{u"name"_s, entry.name}};
    for (auto it = entry.values.cbegin(); it != entry.values.cend(); ++it)
        object.insert(it.key(), it.value());
    const QByteArray bytes =
        QJsonDocument(QJsonObject{{u"format"_s, 1}, {u"ports"_s, QJsonArray{object}}}).toJson();
    write(path(), bytes);
    auto file = store();
    QCOMPARE(file->entries().size(), read ? 1 : 0);
    QCOMPARE(file->loadProblem().contains(u"port 1 in it is damaged"_s), !read);
    QCOMPARE(read && file->overLong(file->entries().constFirst()).has_value(), read && !kept);
    QCOMPARE(contents(path()), bytes);
}

void tst_ListStore::unreadableFileIsKeptAndMovedAside_data()
{
    QTest::addColumn<QByteArray>("written"); // empty: a folder in its place
    QTest::addColumn<QString>("why");

    QTest::newRow("not JSON") << QByteArray("{\"format\": 1, \"ports\": [") << u"not a JSON"_s;
    QTest::newRow("newer format") << QByteArray(R"({"format": 2, "ports": []})")
                                  << u"written by a newer Ondal (format 2)"_s;
    QTest::newRow("damaged port") << QByteArray(R"({"format": 1, "ports": [{"name": 3}]})")
                                  << u"port 1 in it is damaged"_s;
    QTest::newRow("value not a text")
        << QByteArray(R"({"format": 1, "ports": [{"name": "a"}, {"name": "b", "mhws": 4.2}]})")
        << u"port 2 in it is damaged"_s;
    QTest::newRow("no format") << QByteArray(R"({"ports": []})") << u"not a list of ports"_s;
    QTest::newRow("a folder") << QByteArray() << u"it is a folder"_s;
}

void tst_ListStore::unreadableFileIsKeptAndMovedAside()
{
    QFETCH(QByteArray, written);
    QFETCH(QString, why);
    if (written.isEmpty())
        QVERIFY(QDir().mkpath(path()));
    else
        write(path(), written);

    auto file = store();
    QVERIFY2(file->loadProblem().contains(QDir::toNativeSeparators(path())) &&
                 file->loadProblem().contains(why),
             qPrintable(file->loadProblem()));
    QVERIFY(file->entries().isEmpty());
    // Left alone until a port is saved.
    QCOMPARE(contents(path()), written.isEmpty() ? QByteArray("(unreadable)") : written);

    const ListStore::Outcome outcome = file->save(port(u"Littleport"_s));
    QCOMPARE(outcome.failure, QString());
    QCOMPARE(outcome.movedTo, path() + u".unreadable-20240102-030405"_s);
    if (written.isEmpty())
        QVERIFY(QFileInfo(outcome.movedTo).isDir());
    else
        QCOMPARE(contents(outcome.movedTo), written);
    QVERIFY(file->loadProblem().isEmpty());
    QCOMPARE(namesOnDisk(), QStringList{u"Littleport"_s});

    // Damaged again in the same second: kept under a name of its own.
    write(path(), "damaged again");
    file->reload();
    QCOMPARE(file->save(port(u"Bigport"_s)).movedTo, outcome.movedTo + u"-2"_s);
}

// A station's table, every value as typed, round trips through streams.json
// beside a newer Ondal's keys; the standard port it is referred to is a name.
void tst_ListStore::stationsKeepEveryValueAsTyped()
{
    namespace streams = ondal::streams;
    const QString file = m_dir.filePath(u"data/streams.json"_s);
    write(file, R"({"format": 1, "stations": [{"name": "Diamond B", "setM6": "010",
                    "eddy": "keep"}]})");
    streams::StreamStation station;
    station.name = u"Diamond A"_s;
    station.referencePort = QString(60, u'B');
    station.springRange = u"4,9 m"_s;
    station.row(-6) = {u"010° T"_s, u" 0.4"_s, u"0.2 kn"_s};
    station.row(2) = {u"230"_s, u"2.8"_s, u"1.4"_s};
    station.row(6) = {u"350"_s, {}, u"0.1"_s};
    ListStore stations(file, streams::stationListKind(), ondal::writeWholeFile,
                       [] { return Pinned; });
    stations.reload();
    QCOMPARE(stations.save(streams::toEntry(station)).status, Status::Done);

    ListStore again(file, streams::stationListKind());
    again.reload();
    QCOMPARE(names(again), (QStringList{u"Diamond A"_s, u"Diamond B"_s}));
    QCOMPARE(streams::toStation(again.entries().at(0)), station);
    QCOMPARE(streams::toStation(again.entries().at(1)).row(-6).set, u"010"_s);
    const QJsonObject root = QJsonDocument::fromJson(contents(file)).object();
    QCOMPARE(root.value(u"stations"_s).toArray().at(1).toObject().value(u"eddy"_s).toString(),
             u"keep"_s);
    QCOMPARE(again.fieldLength(u"referencePort"_s), 60);
    QCOMPARE(again.fieldLength(u"springP2"_s), ondal::ValueFieldLength);
}

QTEST_GUILESS_MAIN(tst_ListStore)
#include "tst_liststore.moc"
