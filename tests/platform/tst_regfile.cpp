#include "platform/RegFile.h"
#include "platform/RegFileRegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <array>

namespace reg = ondal::platform;

namespace {

const QByteArray Header = "Windows Registry Editor Version 5.00\n\n";
const QByteArray MsInfo = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n";
const QString MsInfoKey =
    QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");

QByteArray utf16le(const QByteArray &utf8)
{
    const QString text = QString::fromUtf8(utf8);
    QByteArray out("\xFF\xFE", 2);
    for (QChar c : text) {
        out += static_cast<char>(c.unicode() & 0xFF);
        out += static_cast<char>(c.unicode() >> 8);
    }
    return out;
}

QByteArray bytesOf(const reg::RegValue &value)
{
    return QByteArray(reinterpret_cast<const char *>(value.data.data()),
                      static_cast<qsizetype>(value.data.size()));
}

reg::RegKeys keysWith(const std::string &name, std::uint32_t type, const QByteArray &data)
{
    reg::RegKeys keys;
    keys["HKEY_LOCAL_MACHINE\\SOFTWARE\\Ondal\\Deep"];
    keys["HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"][name] = {
        type, std::vector<unsigned char>(data.begin(), data.end())};
    return keys;
}

} // namespace

class tst_RegFile : public QObject
{
    Q_OBJECT

private slots:
    void wellFormed_data();
    void wellFormed();
    void malformedGivesNoKeys_data();
    void malformedGivesNoKeys();
    void removals();
    void firstExistingCandidateCounts();

    void openAndQuery_data();
    void openAndQuery();
    void readRightsOnly_data();
    void readRightsOnly();
    void handlesAreKeptApart();
};

void tst_RegFile::wellFormed_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("name");
    QTest::addColumn<uint>("type");
    QTest::addColumn<QByteArray>("data");

    QTest::newRow("text keeps its NUL")
        << Header + MsInfo + "\"PATH\"=\"/usr/bin/ondal-sysinfo\"\n"
        << MsInfoKey << "PATH" << uint(reg::RegSz) << QByteArray("/usr/bin/ondal-sysinfo\0", 23);
    QTest::newRow("escaped backslash and quote")
        << Header + MsInfo + "\"PATH\"=\"C:\\\\Tools\\\\\\\"x\\\"\"\n"
        << MsInfoKey << "PATH" << uint(reg::RegSz) << QByteArray("C:\\Tools\\\"x\"\0", 13);
    QTest::newRow("escaped quote in a name")
        << Header + MsInfo + "\"a\\\"b\"=\"v\"\n"
        << MsInfoKey << "a\"b" << uint(reg::RegSz) << QByteArray("v\0", 2);
    QTest::newRow("dword little-endian")
        << Header + MsInfo + "\"n\"=dword:0000abcd\n"
        << MsInfoKey << "n" << uint(reg::RegDword) << QByteArray("\xcd\xab\0\0", 4);
    QTest::newRow("dword of fewer digits")
        << Header + MsInfo + "\"n\"=dword:1\n"
        << MsInfoKey << "n" << uint(reg::RegDword) << QByteArray("\x01\0\0\0", 4);
    QTest::newRow("hex is binary")
        << Header + MsInfo + "\"b\"=hex:01,ff,0\n"
        << MsInfoKey << "b" << uint(reg::RegBinary) << QByteArray("\x01\xff\0", 3);
    QTest::newRow("empty hex") << Header + MsInfo + "\"b\"=hex:\n"
                               << MsInfoKey << "b" << uint(reg::RegBinary) << QByteArray();
    QTest::newRow("hex continued over lines")
        << Header + MsInfo + "\"b\"=hex:01,02,\\\n  03,\\\r\n  04\n"
        << MsInfoKey << "b" << uint(reg::RegBinary) << QByteArray("\x01\x02\x03\x04", 4);
    QTest::newRow("hex(b) names a type in hexadecimal")
        << Header + MsInfo + "\"q\"=hex(b):01\n"
        << MsInfoKey << "q" << 11u << QByteArray("\x01");
    QTest::newRow("hex(2) in a 5.00 file is UTF-16, kept as UTF-8")
        << Header + MsInfo + "\"e\"=hex(2):25,00,fc,00,00,00\n"
        << MsInfoKey << "e" << uint(reg::RegExpandSz) << QByteArray("%\xc3\xbc\0", 4);
    QTest::newRow("hex(1) in a REGEDIT4 file is bytes as written")
        << "REGEDIT4\n\n" + MsInfo + "\"PATH\"=hex(1):41,42,00\n"
        << MsInfoKey << "PATH" << uint(reg::RegSz) << QByteArray("AB\0", 3);
    QTest::newRow("@ is the default value")
        << Header + MsInfo + "@=\"d\"\n"
        << MsInfoKey << "" << uint(reg::RegSz) << QByteArray("d\0", 2);
    QTest::newRow("key and value names without regard to case")
        << Header +
               "[hkey_local_machine\\software\\MICROSOFT\\Shared Tools\\msinfo]\n\"Path\"=\"x\"\n"
        << MsInfoKey << "PATH" << uint(reg::RegSz) << QByteArray("x\0", 2);
    QTest::newRow("CRLF, comments, blanks around =")
        << "Windows Registry Editor Version 5.00\r\n\r\n; comment\r\n" + MsInfo.chopped(1) +
               "\r\n  \"PATH\" = \"x\"  \r\n"
        << MsInfoKey << "PATH" << uint(reg::RegSz) << QByteArray("x\0", 2);
    QTest::newRow("UTF-16LE with byte-order mark, as regedit writes")
        << utf16le(Header + MsInfo + "\"PATH\"=\"/opt/ø/tool\"\r\n") << MsInfoKey << "PATH"
        << uint(reg::RegSz) << QByteArray("/opt/\xc3\xb8/tool\0", 13);
    QTest::newRow("UTF-8 byte-order mark")
        << "\xEF\xBB\xBF" + Header + MsInfo + "\"PATH\"=\"x\"\n"
        << MsInfoKey << "PATH" << uint(reg::RegSz) << QByteArray("x\0", 2);
    QTest::newRow("the later of two values wins")
        << Header + MsInfo + "\"PATH\"=\"a\"\n" + MsInfo + "\"path\"=\"b\"\n"
        << MsInfoKey << "PATH" << uint(reg::RegSz) << QByteArray("b\0", 2);
}

void tst_RegFile::wellFormed()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, key);
    QFETCH(QString, name);
    QFETCH(uint, type);
    QFETCH(QByteArray, data);

    const reg::RegFileParse parse = reg::parseRegFile(file.toStdString());
    QVERIFY2(parse.ok(), parse.error.c_str());
    const auto values = parse.keys.find(key.toStdString());
    QVERIFY(values != parse.keys.end());
    const auto value = values->second.find(name.toStdString());
    QVERIFY(value != values->second.end());
    QCOMPARE(value->second.type, type);
    QCOMPARE(bytesOf(value->second), data);
}

void tst_RegFile::malformedGivesNoKeys_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("line");

    const QByteArray good = "\"PATH\"=\"x\"\n";
    QTest::newRow("empty file") << QByteArray() << 1;
    QTest::newRow("no header") << MsInfo + good << 1;
    QTest::newRow("another header") << "Windows Registry Editor Version 6.00\n" + MsInfo << 1;
    QTest::newRow("value before any key") << Header + good + MsInfo << 3;
    QTest::newRow("unknown root") << Header + "[HKLM\\SOFTWARE]\n" + good << 3;
    QTest::newRow("empty part in a key path")
        << Header + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\\\x]\n" + good << 3;
    QTest::newRow("key without ]") << Header + "[HKEY_LOCAL_MACHINE\\SOFTWARE\n" + good << 3;
    QTest::newRow("unclosed quote") << Header + MsInfo + "\"PATH\"=\"C:\\\\x\n" << 4;
    QTest::newRow("single backslash in a text") << Header + MsInfo + "\"PATH\"=\"C:\\Tools\"\n"
                                                << 4;
    QTest::newRow("text after the closing quote") << Header + MsInfo + "\"PATH\"=\"x\" y\n" << 4;
    QTest::newRow("no =") << Header + MsInfo + "\"PATH\" \"x\"\n" << 4;
    QTest::newRow("bare name") << Header + MsInfo + "PATH=\"x\"\n" << 4;
    QTest::newRow("unknown value form") << Header + MsInfo + "\"PATH\"=qword:1\n" << 4;
    QTest::newRow("dword of nine digits") << Header + MsInfo + "\"n\"=dword:000000001\n" << 4;
    QTest::newRow("dword not hexadecimal") << Header + MsInfo + "\"n\"=dword:12g4\n" << 4;
    QTest::newRow("hex byte of three digits") << Header + MsInfo + "\"b\"=hex:100\n" << 4;
    QTest::newRow("hex ends with a comma") << Header + MsInfo + "\"b\"=hex:01,\n" << 4;
    QTest::newRow("hex(N) not closed") << Header + MsInfo + "\"b\"=hex(2:01\n" << 4;
    QTest::newRow("continued hex at the end of the file")
        << Header + MsInfo + "\"b\"=hex:01,\\" << 4;
    QTest::newRow("UTF-16 text data of odd length") << Header + MsInfo + "\"e\"=hex(2):25,00,41\n"
                                                    << 4;
    QTest::newRow("UTF-16 file of odd length") << QByteArray("\xFF\xFE\x57\x00\x69", 5) << 0;
    QTest::newRow("binary file") << Header + MsInfo + QByteArray("\"PATH\"=\"x\0\"\n", 11) << 0;
    // The good value in front of the fault must not survive either.
    QTest::newRow("fault after good values") << Header + MsInfo + good + "\"b\"=hex:zz\n" << 5;
}

void tst_RegFile::malformedGivesNoKeys()
{
    QFETCH(QByteArray, file);
    QFETCH(int, line);

    const reg::RegFileParse parse = reg::parseRegFile(file.toStdString());
    QVERIFY(!parse.ok());
    QVERIFY(parse.keys.empty());
    QCOMPARE(parse.line, std::size_t(line));
}

void tst_RegFile::removals()
{
    const QByteArray file = Header + "[HKEY_LOCAL_MACHINE\\A\\B]\n\"v\"=\"1\"\n"
                                     "[HKEY_LOCAL_MACHINE\\A\\Bx]\n\"w\"=\"2\"\n"
                                     "[-HKEY_LOCAL_MACHINE\\a]\n"
                                     "[HKEY_LOCAL_MACHINE\\C]\n\"x\"=\"1\"\n\"y\"=\"2\"\n\"X\"=-\n";
    const reg::RegFileParse parse = reg::parseRegFile(file.toStdString());
    QVERIFY2(parse.ok(), parse.error.c_str());
    QCOMPARE(parse.keys.size(), std::size_t{1});
    const reg::RegValues &c = parse.keys.at("HKEY_LOCAL_MACHINE\\C");
    QCOMPARE(c.size(), std::size_t{1});
    QVERIFY(c.count("y"));
}

void tst_RegFile::firstExistingCandidateCounts()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(QStringLiteral("good.reg"), Header + MsInfo + "\"PATH\"=\"x\"\n");
    write(QStringLiteral("bad.reg"), Header + "\"PATH\"=\"x\"\n");
    write(QStringLiteral("huge.reg"), Header + QByteArray(int(reg::MaxRegFileSize), ';'));
    const auto path = [&](const char *name) {
        return dir.filePath(QString::fromLatin1(name)).toStdString();
    };

    std::string used;
    reg::RegFileParse parse = reg::readRegFile({path("missing.reg"), path("good.reg")}, &used);
    QVERIFY(parse.ok());
    QCOMPARE(parse.keys.size(), std::size_t{1});
    QCOMPARE(used, path("good.reg"));

    // A malformed, oversized or unreadable first file is not passed over.
    for (const char *first : {"bad.reg", "huge.reg", ""}) {
        const std::string firstPath = *first ? path(first) : dir.path().toStdString();
        parse = reg::readRegFile({firstPath, path("good.reg")});
        QVERIFY2(!parse.ok(), first);
        QVERIFY(parse.keys.empty());
    }
    QVERIFY(!reg::readRegFile({path("missing.reg")}).ok());
}

void tst_RegFile::openAndQuery_data()
{
    QTest::addColumn<QByteArray>("subKey");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<uint>("bufferSize");
    QTest::addColumn<long>("openResult");
    QTest::addColumn<long>("queryResult");
    QTest::addColumn<uint>("sizeAfter");

    const QByteArray key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    QTest::newRow("value fits") << key << QByteArray("abc\0", 4) << 1024u << reg::ErrorSuccess
                                << reg::ErrorSuccess << 4u;
    QTest::newRow("value fills the buffer")
        << key << QByteArray(1024, 'a') << 1024u << reg::ErrorSuccess << reg::ErrorSuccess << 1024u;
    QTest::newRow("value one byte larger than the buffer")
        << key << QByteArray(1025, 'a') << 1024u << reg::ErrorSuccess << reg::ErrorMoreData
        << 1025u;
    QTest::newRow("key named in another case")
        << QByteArray("software\\microsoft\\SHARED TOOLS\\msinfo") << QByteArray("x\0", 2) << 1024u
        << reg::ErrorSuccess << reg::ErrorSuccess << 2u;
    QTest::newRow("key that only holds sub-keys opens, has no values")
        << QByteArray("SOFTWARE\\Ondal") << QByteArray("x\0", 2) << 1024u << reg::ErrorSuccess
        << reg::ErrorFileNotFound << 1024u;
    QTest::newRow("missing key") << QByteArray("SOFTWARE\\Nothing") << QByteArray() << 1024u
                                 << reg::ErrorFileNotFound << reg::ErrorSuccess << 0u;
    QTest::newRow("name that only starts like a key")
        << QByteArray("SOFTWARE\\Ond") << QByteArray() << 1024u << reg::ErrorFileNotFound
        << reg::ErrorSuccess << 0u;
    QTest::newRow("path with an empty part")
        << QByteArray("SOFTWARE\\\\Ondal") << QByteArray() << 1024u << reg::ErrorFileNotFound
        << reg::ErrorSuccess << 0u;
}

void tst_RegFile::openAndQuery()
{
    QFETCH(QByteArray, subKey);
    QFETCH(QByteArray, stored);
    QFETCH(uint, bufferSize);
    QFETCH(long, openResult);
    QFETCH(long, queryResult);
    QFETCH(uint, sizeAfter);

    const reg::RegKeys keys = keysWith("PATH", reg::RegSz, stored);
    reg::RegFileRegistry registry([&] { return keys; });
    reg::RegHandle key = 0;
    QCOMPARE(registry.regOpenKeyEx(reg::rootHandle(reg::HKeyLocalMachine), subKey.constData(), 0,
                                   reg::KeyRead, &key),
             openResult);
    if (openResult != reg::ErrorSuccess) {
        QCOMPARE(registry.openKeyCount(), std::size_t{0});
        return;
    }
    std::vector<unsigned char> buffer(bufferSize);
    std::uint32_t size = bufferSize;
    std::uint32_t type = 0;
    QCOMPARE(registry.regQueryValueEx(key, "path", nullptr, &type, buffer.data(), &size),
             queryResult);
    QCOMPARE(size, sizeAfter);
    if (queryResult == reg::ErrorSuccess) {
        QCOMPARE(type, reg::RegSz);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(buffer.data()), int(size)), stored);
    }
    QCOMPARE(registry.regCloseKey(key), reg::ErrorSuccess);
    QCOMPARE(registry.openKeyCount(), std::size_t{0});
}

void tst_RegFile::readRightsOnly_data()
{
    QTest::addColumn<uint>("mask");
    QTest::addColumn<long>("result");

    QTest::newRow("KEY_READ") << 0x20019u << reg::ErrorSuccess;
    QTest::newRow("KEY_QUERY_VALUE") << 0x0001u << reg::ErrorSuccess;
    QTest::newRow("read with write rights (0x2003F)") << 0x2003Fu << reg::ErrorAccessDenied;
    QTest::newRow("KEY_SET_VALUE") << 0x0002u << reg::ErrorAccessDenied;
    QTest::newRow("KEY_ALL_ACCESS") << 0xF003Fu << reg::ErrorAccessDenied;
}

void tst_RegFile::readRightsOnly()
{
    QFETCH(uint, mask);
    QFETCH(long, result);

    reg::RegFileRegistry registry([] { return keysWith("PATH", reg::RegSz, "x"); });
    reg::RegHandle key = 0;
    QCOMPARE(registry.regOpenKeyEx(reg::rootHandle(reg::HKeyLocalMachine),
                                   "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", 0, mask, &key),
             result);
    QCOMPARE(registry.openKeyCount(), result == reg::ErrorSuccess ? 1u : 0u);
}

void tst_RegFile::handlesAreKeptApart()
{
    reg::RegFileRegistry registry([] { return keysWith("PATH", reg::RegSz, "x"); });
    const reg::RegHandle hklm = reg::rootHandle(reg::HKeyLocalMachine);
    reg::RegHandle software = 0;
    reg::RegHandle msinfo = 0;
    QCOMPARE(registry.regOpenKeyEx(hklm, "SOFTWARE", 0, reg::KeyRead, &software),
             reg::ErrorSuccess);
    QCOMPARE(registry.regOpenKeyEx(software, "Microsoft\\Shared Tools\\MSINFO", 0, reg::KeyRead,
                                   &msinfo),
             reg::ErrorSuccess);
    QVERIFY(software != msinfo && software != hklm);
    std::uint32_t size = 0;
    QCOMPARE(registry.regQueryValueEx(msinfo, "PATH", nullptr, nullptr, nullptr, &size),
             reg::ErrorSuccess);
    QCOMPARE(size, 1u);

    QCOMPARE(registry.regCloseKey(msinfo), reg::ErrorSuccess);
    QCOMPARE(registry.regCloseKey(msinfo), reg::ErrorInvalidHandle);
    std::array<unsigned char, 8> buffer{};
    size = buffer.size();
    QCOMPARE(registry.regQueryValueEx(msinfo, "PATH", nullptr, nullptr, buffer.data(), &size),
             reg::ErrorInvalidHandle);
    QCOMPARE(
        registry.regOpenKeyEx(reg::rootHandle(0x80000009u), "SOFTWARE", 0, reg::KeyRead, &msinfo),
        reg::ErrorInvalidHandle);
    QCOMPARE(registry.regCloseKey(software), reg::ErrorSuccess);
    QCOMPARE(registry.openKeyCount(), std::size_t{0});
}

QTEST_GUILESS_MAIN(tst_RegFile)
#include "tst_regfile.moc"
