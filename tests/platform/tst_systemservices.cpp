#include "platform/MachineRegistry.h"
#include "platform/SystemServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <memory>

namespace reg = ondal::platform;

class tst_SystemServices : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fileTest_data();
    void fileTest();
    void startFailures_data();
    void startFailures();
    void startsAProgramNamedWithBackslashes();
    void buildTreeRegistryNamesTheTool();

private:
    // The path in the registry's spelling: folders separated by "\".
    QString backslashed(const QString &path) const
    {
        return QString(path).replace(QLatin1Char('/'), QLatin1Char('\\'));
    }

    QTemporaryDir m_dir;
};

void tst_SystemServices::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("Tools/Sub")));
    for (const char *name : {"Tools/MSINFO32.EXE", "Tools/.hidden", "Tools/plain.txt"}) {
        QFile file(m_dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QFile script(m_dir.filePath(QStringLiteral("Tools/tool.sh")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\n: > \"$(dirname \"$0\")/started\"\n");
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner | QFile::ExeUser));
}

void tst_SystemServices::fileTest_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("found");

    QTest::newRow("file named with backslashes")
        << backslashed(m_dir.filePath(QStringLiteral("Tools/MSINFO32.EXE")))
        << QStringLiteral("MSINFO32.EXE");
    QTest::newRow("file named with slashes")
        << m_dir.filePath(QStringLiteral("Tools/MSINFO32.EXE")) << QStringLiteral("MSINFO32.EXE");
    QTest::newRow("folder is no file")
        << backslashed(m_dir.filePath(QStringLiteral("Tools\\Sub"))) << QString();
    QTest::newRow("folder with a trailing separator")
        << backslashed(m_dir.filePath(QStringLiteral("Tools"))) + QLatin1Char('\\') << QString();
    QTest::newRow("hidden file") << m_dir.filePath(QStringLiteral("Tools/.hidden")) << QString();
    QTest::newRow("missing file") << m_dir.filePath(QStringLiteral("Tools/none.exe")) << QString();
    QTest::newRow("empty text") << QString() << QString();
    QTest::newRow("wildcard is not expanded")
        << m_dir.filePath(QStringLiteral("Tools/MSINFO*")) << QString();
    QTest::newRow("the file name only, no folder") << QStringLiteral("\\MSINFO32.EXE") << QString();
}

void tst_SystemServices::fileTest()
{
    QFETCH(QString, path);
    QFETCH(QString, found);
    QCOMPARE(reg::QtFileTest().findFile(path), found);
}

void tst_SystemServices::startFailures_data()
{
    QTest::addColumn<QString>("path");

    QTest::newRow("empty path") << QString();
    QTest::newRow("missing program") << m_dir.filePath(QStringLiteral("Tools/none"));
    QTest::newRow("file that is no program") << m_dir.filePath(QStringLiteral("Tools/plain.txt"));
    QTest::newRow("folder") << m_dir.filePath(QStringLiteral("Tools"));
}

void tst_SystemServices::startFailures()
{
    QFETCH(QString, path);
    QVERIFY(!reg::QtProgramStarter().start(path));
}

void tst_SystemServices::startsAProgramNamedWithBackslashes()
{
    const QString marker = m_dir.filePath(QStringLiteral("Tools/started"));
    QVERIFY(reg::QtProgramStarter().start(
        backslashed(m_dir.filePath(QStringLiteral("Tools/tool.sh")))));
    // The start returns at once; the program leaves its mark on its own time.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 10000);
}

void tst_SystemServices::buildTreeRegistryNamesTheTool()
{
#ifdef Q_OS_WIN
    QSKIP("Windows has a registry of its own");
#else
    // The build writes registry.reg beside the programs, naming the tree's
    // own ondal-sysinfo.
    const std::unique_ptr<reg::Registry> registry = reg::makeMachineRegistry();
    reg::RegHandle key = 0;
    QCOMPARE(registry->regOpenKeyEx(reg::rootHandle(reg::HKeyLocalMachine),
                                    "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", 0, reg::KeyRead,
                                    &key),
             reg::ErrorSuccess);
    std::array<unsigned char, 1024> buffer{};
    std::uint32_t size = buffer.size();
    std::uint32_t type = 0;
    QCOMPARE(registry->regQueryValueEx(key, "PATH", nullptr, &type, buffer.data(), &size),
             reg::ErrorSuccess);
    QCOMPARE(registry->regCloseKey(key), reg::ErrorSuccess);
    QCOMPARE(type, reg::RegSz);
    const QString path = QString::fromUtf8(reinterpret_cast<const char *>(buffer.data()));
    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("ondal-sysinfo"));
    QCOMPARE(QFileInfo(path).canonicalFilePath(), QFileInfo(beside).canonicalFilePath());
    QVERIFY(QFileInfo(path).isExecutable());
#endif
}

QTEST_GUILESS_MAIN(tst_SystemServices)
#include "tst_systemservices.moc"
