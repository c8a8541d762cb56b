#include "core/runtime/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

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

private:
    QString iniPath(const QString &application) const
    {
        return m_dir->filePath(application + u'/' + application + u".ini"_s);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

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

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_settingsstore.moc"
