#include "core/runtime/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace ondal;
using namespace Qt::StringLiterals;

class tst_SettingsStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void defaultWhenNothingStored();
    void roundTripsTheExactText_data();
    void roundTripsTheExactText();
    void keysAndSectionsKeptApart();
    void handEditedListReadsAsText();
    void failedSaveIsVisible();
    void oneWriteOfTheFilePerSave();
    void aValueSavedIsReadBackAtOnce();
    void failedWriteLeavesTheOldFile();
    void sizeLimitIsToldAndLeavesTheOldFile();
    void unreadableFileIsKeptAsideOnce_data();
    void unreadableFileIsKeptAsideOnce();

private:
    QString iniPath(const QString &application) const
    {
        return m_dir->filePath(application + u'/' + application + u".ini"_s);
    }

    QByteArray contents(const QString &application = u"Ondal"_s) const
    {
        QFile file(iniPath(application));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    }
    void write(const QByteArray &bytes) const
    {
        QVERIFY(QDir(m_dir->path()).mkpath(u"Ondal"_s));
        QFile file(iniPath(u"Ondal"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // Only the settings file and what was kept beside it: no scratch left.
    QStringList besideTheFile() const
    {
        return QDir(m_dir->filePath(u"Ondal"_s)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {
const QDateTime Pinned(QDate(2024, 1, 2), QTime(3, 4, 5));
}

void tst_SettingsStore::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

// A fresh folder per test, so no test sees what another saved.
void tst_SettingsStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir->path());
}

void tst_SettingsStore::defaultWhenNothingStored()
{
    SettingsStore store;
    QCOMPARE(store.get(u"Ondal"_s, u"Settings"_s, u"MainLeft"_s, u"1000"_s), u"1000"_s);
    QVERIFY(!QFile::exists(iniPath(u"Ondal"_s))); // reading writes nothing
}

void tst_SettingsStore::roundTripsTheExactText_data()
{
    QTest::addColumn<QString>("value");

    QTest::newRow("single-precision number") << u"6500"_s;
    QTest::newRow("comma") << u"a,b"_s;
    QTest::newRow("comma-decimal number") << u"1,5"_s;
    QTest::newRow("comma and blank") << u"a, b"_s;
    QTest::newRow("leading and trailing blanks") << u"  left and right  "_s;
    QTest::newRow("equals sign") << u"x=y"_s;
    QTest::newRow("semicolon") << u"a;b"_s;
    QTest::newRow("quotes") << u"\"q\""_s;
    QTest::newRow("backslash") << u"back\\slash"_s;
    QTest::newRow("looks like a Qt variant") << u"@Invalid()"_s;
    QTest::newRow("looks like a section") << u"[Settings]"_s;
    QTest::newRow("hash") << u"#hash"_s;
    QTest::newRow("line feed") << u"two\nlines"_s;
    QTest::newRow("non-ASCII") << u"Grüße €"_s;
    QTest::newRow("empty text") << QString();
}

void tst_SettingsStore::roundTripsTheExactText()
{
    QFETCH(QString, value);
    SettingsStore store;
    store.save(u"Ondal"_s, u"Settings"_s, u"MainLeft"_s, value);
    QVERIFY(store.lastSaveSucceeded());
    QVERIFY(QFile::exists(iniPath(u"Ondal"_s)));
    QCOMPARE(store.get(u"Ondal"_s, u"Settings"_s, u"MainLeft"_s, u"default"_s), value);

    // QSettings keeps what it wrote in memory; a copy under another name
    // makes the next read parse the file itself.
    QVERIFY(QDir(m_dir->path()).mkpath(u"Copy"_s));
    QVERIFY(QFile::copy(iniPath(u"Ondal"_s), iniPath(u"Copy"_s)));
    QCOMPARE(store.get(u"Copy"_s, u"Settings"_s, u"MainLeft"_s, u"default"_s), value);
}

void tst_SettingsStore::keysAndSectionsKeptApart()
{
    SettingsStore store;
    store.save(u"Ondal"_s, u"Settings"_s, u"MainLeft"_s, u"120"_s);
    store.save(u"Ondal"_s, u"Settings"_s, u"MainTop"_s, u"240"_s);
    store.save(u"Ondal"_s, u"Other"_s, u"MainLeft"_s, u"360"_s);
    store.save(u"Ondal"_s, u"Settings"_s, u"MainLeft"_s, u"480"_s); // replaces 120
    QCOMPARE(store.get(u"Ondal"_s, u"Settings"_s, u"MainLeft"_s, {}), u"480"_s);
    QCOMPARE(store.get(u"Ondal"_s, u"Settings"_s, u"MainTop"_s, {}), u"240"_s);
    QCOMPARE(store.get(u"Ondal"_s, u"Other"_s, u"MainLeft"_s, {}), u"360"_s);
    QCOMPARE(store.get(u"Other"_s, u"Settings"_s, u"MainLeft"_s, u"1000"_s), u"1000"_s);
}

void tst_SettingsStore::handEditedListReadsAsText()
{
    QVERIFY(QDir(m_dir->path()).mkpath(u"Ondal"_s));
    QFile file(iniPath(u"Ondal"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Settings]\nMainLeft=1,5\n");
    file.close();
    SettingsStore store;
    QCOMPARE(store.get(u"Ondal"_s, u"Settings"_s, u"MainLeft"_s, u"1000"_s), u"1,5"_s);
}

// A folder that cannot be made (its parent is a file) fails even for root.
void tst_SettingsStore::failedSaveIsVisible()
{
    const QString blocker = m_dir->filePath(u"not-a-folder"_s);
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, blocker);

    SettingsStore store;
    store.save(u"Ondal"_s, u"Settings"_s, u"MainLeft"_s, u"120"_s);
    QVERIFY(!store.lastSaveSucceeded());
    QCOMPARE(store.lastSaveError(), u"its folder cannot be created"_s);

    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir->path());
    store.save(u"Ondal"_s, u"Settings"_s, u"MainLeft"_s, u"120"_s);
    QVERIFY(store.lastSaveSucceeded());
    QVERIFY(store.lastSaveError().isEmpty());

    // A settings file that has become a folder: the reason says so, and the
    // folder is left as it was.
    QVERIFY(QFile::remove(iniPath(u"Ondal"_s)));
    QVERIFY(QDir().mkpath(iniPath(u"Ondal"_s)));
    store.save(u"Ondal"_s, u"Settings"_s, u"MainLeft"_s, u"120"_s);
    QCOMPARE(store.lastSaveError(), u"it is a folder, not a file"_s);
    QCOMPARE(store.fileName(u"Ondal"_s), iniPath(u"Ondal"_s));
    QVERIFY(QFileInfo(iniPath(u"Ondal"_s)).isDir());
}

// A window's values go to the file in one write, however many there are: a
// large settings file is rewritten once per window, not once per key.
void tst_SettingsStore::oneWriteOfTheFilePerSave()
{
    QStringList written;
    SettingsStore store([&written](const QString &path, const QByteArray &bytes) {
        written << QFileInfo(path).fileName();
        return writeWholeFile(path, bytes);
    });
    store.saveAll(u"Ondal"_s, u"Curve"_s,
                  {{u"Draught"_s, u"2.5"_s}, {u"Left"_s, u"7650"_s}, {u"Top"_s, u"1000"_s}});
    QVERIFY(store.lastSaveSucceeded());
    QCOMPARE(written, QStringList{u"Ondal.ini"_s});
    QCOMPARE(store.get(u"Ondal"_s, u"Curve"_s, u"Top"_s, {}), u"1000"_s);
    QCOMPARE(besideTheFile(), QStringList{u"Ondal.ini"_s});
}

// QSettings answers from what it read while the file keeps its size and
// time; a new file of the same size written within the same millisecond
// must not be taken for the old one.
void tst_SettingsStore::aValueSavedIsReadBackAtOnce()
{
    SettingsStore store;
    for (int i = 100; i < 400; ++i) {
        store.save(u"Ondal"_s, u"Settings"_s, u"MainLeft"_s, QString::number(i));
        QCOMPARE(store.get(u"Ondal"_s, u"Settings"_s, u"MainLeft"_s, {}), QString::number(i));
    }
}

void tst_SettingsStore::failedWriteLeavesTheOldFile()
{
    write("[Settings]\nMainLeft=120\n");
    SettingsStore store([](const QString &, const QByteArray &) { return u"File too large"_s; });
    store.saveAll(u"Ondal"_s, u"Settings"_s, {{u"MainLeft"_s, u"480"_s}});
    QCOMPARE(store.lastSaveError(), u"File too large"_s);
    QCOMPARE(contents(), QByteArray("[Settings]\nMainLeft=120\n"));
    QCOMPARE(besideTheFile(), QStringList{u"Ondal.ini"_s});
}

// QSettings itself may take a write a size limit cuts short for a whole
// one: the new file is read back before it replaces the old.
void tst_SettingsStore::sizeLimitIsToldAndLeavesTheOldFile()
{
#ifdef Q_OS_UNIX
    const QByteArray before = "[Settings]\nMainLeft=120\n";
    write(before);
    SettingsStore store;
    rlimit old{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    store.saveAll(u"Ondal"_s, u"Curve"_s, {{u"Note"_s, QString(2000, u'x')}});
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    QCOMPARE(store.lastSaveError(), u"File too large"_s);
    QCOMPARE(contents(), before);
    QCOMPARE(besideTheFile(), QStringList{u"Ondal.ini"_s});
#else
    QSKIP("needs a limit on file sizes");
#endif
}

void tst_SettingsStore::unreadableFileIsKeptAsideOnce_data()
{
    QTest::addColumn<QByteArray>("damage");

    QByteArray everyByte;
    for (int byte = 0; byte < 256; ++byte)
        everyByte.append(char(byte));
    QTest::newRow("every byte from 0 to 255") << everyByte;
    QTest::newRow("a line that is not a setting") << QByteArray("this is not an ini");
}

// Values QSettings can read are used, the file as it was is kept beside it
// before it is first written over, and the write is no failure.
void tst_SettingsStore::unreadableFileIsKeptAsideOnce()
{
    QFETCH(QByteArray, damage);
    const QByteArray damaged = "[Settings]\nMainTop=240\n" + damage + "\n";
    write(damaged);
    SettingsStore store(writeWholeFile, [] { return Pinned; });
    QCOMPARE(store.get(u"Ondal"_s, u"Settings"_s, u"MainTop"_s, {}), u"240"_s);

    store.saveAll(u"Ondal"_s, u"Settings"_s, {{u"MainLeft"_s, u"120"_s}});
    QVERIFY2(store.lastSaveSucceeded(), qPrintable(store.lastSaveError()));
    const QString aside = iniPath(u"Ondal"_s) + u".unreadable-20240102-030405"_s;
    QCOMPARE(store.lastSaveKeptAside(), aside);
    QFile kept(aside);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), damaged);
    QCOMPARE(store.get(u"Ondal"_s, u"Settings"_s, u"MainTop"_s, {}), u"240"_s);
    QCOMPARE(store.get(u"Ondal"_s, u"Settings"_s, u"MainLeft"_s, {}), u"120"_s);
    QCOMPARE(QSettings(iniPath(u"Ondal"_s), QSettings::IniFormat).status(), QSettings::NoError);

    store.saveAll(u"Ondal"_s, u"Settings"_s, {{u"MainLeft"_s, u"480"_s}});
    QVERIFY(store.lastSaveSucceeded());
    QVERIFY(store.lastSaveKeptAside().isEmpty());
    QCOMPARE(besideTheFile(), (QStringList{u"Ondal.ini"_s, QFileInfo(aside).fileName()}));
}

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_settingsstore.moc"
