#include "support/FakePlatform.h"
#include "support/RecordingMessages.h"

#include "core/about/SysInfoLauncher.h"
#include "core/runtime/RuntimeError.h"

#include <QLocale>
#include <QTest>

using ondal::SysInfoLauncher;
using namespace ondal::test;
namespace reg = ondal::platform;

namespace {

const std::string PathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string LocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr int Absent = -1;

QByteArray sz(const char *text)
{
    return QByteArray(text) + '\0';
}

QByteArray dword(quint32 value)
{
    QByteArray bytes;
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>((value >> shift) & 0xFF);
    return bytes;
}

} // namespace

class tst_SysInfoLauncher : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void startSysInfo_data();
    void startSysInfo();
    void getKeyValue_data();
    void getKeyValue();
    void unterminatedBufferRaisesAndClosesTheKey();
    void keysAreOpenedForReadingOnly();
    void dwordTextFollowsTheUsersNumberFormat();
};

void tst_SysInfoLauncher::startSysInfo_data()
{
    QTest::addColumn<int>("pathType");
    QTest::addColumn<QByteArray>("pathData");
    QTest::addColumn<int>("folderType");
    QTest::addColumn<QByteArray>("folderData");
    QTest::addColumn<bool>("fileThere");
    QTest::addColumn<bool>("startFails");
    QTest::addColumn<QStringList>("lookups");
    QTest::addColumn<QStringList>("started");
    QTest::addColumn<bool>("message");

    const QStringList pathOnly{QStringLiteral("PATH")};
    const QStringList both{QStringLiteral("PATH"), QStringLiteral("MSINFO")};
    const QString tool = QStringLiteral("C:\\Tools\\MSINFO32.EXE");

    QTest::newRow("PATH is started as read, no file test")
        << int(reg::RegSz) << sz("C:\\nowhere\\msinfo.exe") << int(reg::RegSz) << sz("C:\\Tools")
        << false << false << pathOnly << QStringList{QStringLiteral("C:\\nowhere\\msinfo.exe")}
        << false;
    QTest::newRow("PATH that fails to start shows the message")
        << int(reg::RegSz) << sz("C:\\nowhere\\msinfo.exe") << Absent << QByteArray() << false
        << true << pathOnly << QStringList{QStringLiteral("C:\\nowhere\\msinfo.exe")} << true;
    QTest::newRow("PATH cut at an embedded NUL")
        << int(reg::RegSz) << QByteArray("/usr/bin/ondal-sysinfo\0--junk\0", 31) << Absent
        << QByteArray() << false << false << pathOnly
        << QStringList{QStringLiteral("/usr/bin/ondal-sysinfo")} << false;
    QTest::newRow("PATH missing, folder holds MSINFO32.EXE")
        << Absent << QByteArray() << int(reg::RegSz) << sz("C:\\Tools") << true << false << both
        << QStringList{tool} << false;
    QTest::newRow("PATH missing, folder lacks the file")
        << Absent << QByteArray() << int(reg::RegSz) << sz("C:\\Tools") << false << false << both
        << QStringList() << true;
    QTest::newRow("neither value") << Absent << QByteArray() << Absent << QByteArray() << false
                                   << false << both << QStringList() << true;
    QTest::newRow("PATH of another type counts as read, starting nothing fails")
        << int(reg::RegExpandSz) << sz("%SystemRoot%\\msinfo32.exe") << int(reg::RegSz)
        << sz("C:\\Tools") << true << false << pathOnly << QStringList{QString()} << true;
    QTest::newRow("PATH too large for the buffer falls back to MSINFO")
        << int(reg::RegSz) << QByteArray(1500, 'x') + '\0' << int(reg::RegSz) << sz("C:\\Tools")
        << true << false << both << QStringList{tool} << false;
    QTest::newRow("PATH of 1024 bytes without NUL is an error: message, no fallback")
        << int(reg::RegSz) << QByteArray(1024, 'x') << int(reg::RegSz) << sz("C:\\Tools") << true
        << false << pathOnly << QStringList() << true;
    QTest::newRow("PATH as a DWORD starts its number text")
        << int(reg::RegDword) << dword(0x31323334) << Absent << QByteArray() << false << false
        << pathOnly << QStringList{QStringLiteral("825373492")} << false;
    QTest::newRow("MSINFO of another type leaves the path empty")
        << Absent << QByteArray() << int(reg::RegBinary) << QByteArray("\x01\x02", 2) << true
        << false << both << QStringList() << true;
}

void tst_SysInfoLauncher::startSysInfo()
{
    QFETCH(int, pathType);
    QFETCH(QByteArray, pathData);
    QFETCH(int, folderType);
    QFETCH(QByteArray, folderData);
    QFETCH(bool, fileThere);
    QFETCH(bool, startFails);
    QFETCH(QStringList, lookups);
    QFETCH(QStringList, started);
    QFETCH(bool, message);

    FakeRegistry registry;
    // The keys exist in every row; only the values come and go.
    registry.addKey(PathKey);
    registry.addKey(LocationKey);
    if (pathType != Absent)
        registry.setValue(PathKey, "PATH", static_cast<std::uint32_t>(pathType), pathData);
    if (folderType != Absent)
        registry.setValue(LocationKey, "MSINFO", static_cast<std::uint32_t>(folderType),
                          folderData);
    FakeFileTest files;
    if (fileThere)
        files.existing << QStringLiteral("C:\\Tools\\MSINFO32.EXE");
    FakeStarter starter;
    starter.fails = startFails;
    RecordingMessages messages;

    SysInfoLauncher(registry, files, starter, messages).startSysInfo();

    QStringList looked;
    for (const auto &open : registry.opens)
        looked << (open.subKey == PathKey ? QStringLiteral("PATH") : QStringLiteral("MSINFO"));
    QCOMPARE(looked, lookups);
    QCOMPARE(starter.started, started);
    QCOMPARE(messages.prompts,
             message ? QStringList{QStringLiteral("System Information Is Unavailable At This Time")}
                     : QStringList());
    QVERIFY(registry.closedEveryKeyOnce());
    // The file test is made only on a folder that was read; a value of
    // another type leaves the folder empty.
    if (lookups.size() == 2 && folderType != Absent) {
        const QString folder =
            folderType == int(reg::RegSz) ? QStringLiteral("C:\\Tools") : QString();
        QCOMPARE(files.asked, QStringList{folder + QStringLiteral("\\MSINFO32.EXE")});
    } else {
        QVERIFY(files.asked.isEmpty());
    }
}

void tst_SysInfoLauncher::getKeyValue_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("keyVal");

    const QString before = QStringLiteral("before");
    QTest::newRow("text") << int(reg::RegSz) << sz("C:\\x.exe") << before << true
                          << QStringLiteral("C:\\x.exe");
    QTest::newRow("text of UTF-8 bytes")
        << int(reg::RegSz) << sz("Z\xC3\xBCrich") << before << true << QStringLiteral("Zürich");
    QTest::newRow("empty text") << int(reg::RegSz) << sz("") << before << true << QString();
    QTest::newRow("text without its NUL still ends at the buffer's NULs")
        << int(reg::RegSz) << QByteArray("abc") << before << true << QStringLiteral("abc");
    QTest::newRow("1023 bytes and the NUL fill the buffer")
        << int(reg::RegSz) << QByteArray(1023, 'a') + '\0' << before << true
        << QString(1023, QLatin1Char('a'));
    QTest::newRow("one byte too many for the buffer")
        << int(reg::RegSz) << QByteArray(1024, 'a') + '\0' << before << false << QString();
    QTest::newRow("expandable text leaves KeyVal as passed")
        << int(reg::RegExpandSz) << sz("%TEMP%") << before << true << before;
    QTest::newRow("binary leaves KeyVal as passed")
        << int(reg::RegBinary) << QByteArray("\x41\x42", 2) << before << true << before;
    QTest::newRow("DWORD of four printable bytes gives its decimal digits")
        << int(reg::RegDword) << dword(0x31323334) << QString() << true
        << QStringLiteral("825373492");
    QTest::newRow("DWORD cut at its first zero byte")
        << int(reg::RegDword) << dword(0x00003132) << QString() << true << QStringLiteral("12594");
    QTest::newRow("DWORD byte below 16 gives one digit")
        << int(reg::RegDword) << dword(0x00000A41) << QString() << true << QStringLiteral("2625");
    QTest::newRow("DWORD digits follow KeyVal's own")
        << int(reg::RegDword) << dword(0x41) << QStringLiteral("1") << true
        << QStringLiteral("321");
    QTest::newRow("DWORD zero") << int(reg::RegDword) << dword(0) << QString() << true
                                << QStringLiteral("0");
}

void tst_SysInfoLauncher::getKeyValue()
{
    QFETCH(int, type);
    QFETCH(QByteArray, data);
    QFETCH(QString, entry);
    QFETCH(bool, result);
    QFETCH(QString, keyVal);

    FakeRegistry registry;
    registry.setValue(PathKey, "Value", static_cast<std::uint32_t>(type), data);
    FakeFileTest files;
    FakeStarter starter;
    RecordingMessages messages;

    QString value = entry;
    QCOMPARE(SysInfoLauncher(registry, files, starter, messages)
                 .getKeyValue(reg::HKeyLocalMachine, QString::fromStdString(PathKey),
                              QStringLiteral("value"), value),
             result);
    QCOMPARE(value, keyVal);
    QVERIFY(registry.closedEveryKeyOnce());
    QCOMPARE(registry.bufferSizes, std::vector<std::uint32_t>{1024});
}

void tst_SysInfoLauncher::unterminatedBufferRaisesAndClosesTheKey()
{
    FakeRegistry registry;
    registry.setValue(PathKey, "PATH", reg::RegSz, QByteArray(1024, 'x'));
    FakeFileTest files;
    FakeStarter starter;
    RecordingMessages messages;
    SysInfoLauncher launcher(registry, files, starter, messages);

    QString value;
    try {
        launcher.getKeyValue(reg::HKeyLocalMachine, QString::fromStdString(PathKey),
                             QStringLiteral("PATH"), value);
        QFAIL("no error raised");
    } catch (const ondal::RuntimeError &error) {
        QCOMPARE(error.code(), ondal::RuntimeError::InvalidProcedureCall);
    }
    QCOMPARE(registry.opened.size(), std::size_t{1});
    QVERIFY(registry.closedEveryKeyOnce());
}

void tst_SysInfoLauncher::keysAreOpenedForReadingOnly()
{
    FakeRegistry registry;
    registry.addKey(LocationKey);
    FakeFileTest files;
    FakeStarter starter;
    RecordingMessages messages;

    SysInfoLauncher(registry, files, starter, messages).startSysInfo();

    QCOMPARE(registry.opens.size(), std::size_t{2});
    for (const auto &open : registry.opens) {
        QCOMPARE(open.mask, std::uint32_t{0x20019});
        QCOMPARE(open.options, std::uint32_t{0});
        // HKEY_LOCAL_MACHINE widened as Windows widens it.
        QCOMPARE(open.root, static_cast<reg::RegHandle>(
                                static_cast<std::intptr_t>(std::int32_t(0x80000002u))));
    }
    // The missing PATH key is never closed, the opened location key once.
    QCOMPARE(registry.log,
             (QStringList{QStringLiteral("open ") + QString::fromStdString(PathKey),
                          QStringLiteral("open ") + QString::fromStdString(LocationKey),
                          QStringLiteral("query MSINFO"), QStringLiteral("close")}));
}

void tst_SysInfoLauncher::dwordTextFollowsTheUsersNumberFormat()
{
    // An integer never shows a separator, whatever the locale.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    FakeRegistry registry;
    registry.setValue(PathKey, "PATH", reg::RegDword, dword(0x31323334));
    FakeFileTest files;
    FakeStarter starter;
    RecordingMessages messages;
    QString value;
    QVERIFY(SysInfoLauncher(registry, files, starter, messages)
                .getKeyValue(reg::HKeyLocalMachine, QString::fromStdString(PathKey),
                             QStringLiteral("PATH"), value));
    QLocale::setDefault(QLocale::c());
    QCOMPARE(value, QStringLiteral("825373492"));
}

QTEST_GUILESS_MAIN(tst_SysInfoLauncher)
#include "tst_sysinfolauncher.moc"
