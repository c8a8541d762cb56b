#include "AppIcon.h"

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {

const QString DistDir = QString::fromUtf8(ONDAL_DIST_DIR);
const QString AppId = QString::fromUtf8(ONDAL_APP_ID);

QString projectVersion()
{
    return u"%1.%2.%3"_s.arg(ONDAL_VERSION_MAJOR).arg(ONDAL_VERSION_MINOR).arg(ONDAL_VERSION_PATCH);
}

// The value of key in the [Desktop Entry] group, or a null string.
QString desktopEntryValue(const QString &key)
{
    QFile file(DistDir + u'/' + AppId + u".desktop"_s);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'['))
            inEntry = line == u"[Desktop Entry]";
        else if (inEntry && line.section(u'=', 0, 0) == key)
            return line.section(u'=', 1);
    }
    return {};
}

// The text of the first element at path ("component/provides/binary"), or
// with "@name" at the end the value of that attribute; a null string when
// there is none.
QString metainfoValue(const QString &path)
{
    QFile file(DistDir + u'/' + AppId + u".metainfo.xml"_s);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString elementPath = path.section(u'@', 0, 0);
    const QString attribute = path.section(u'@', 1);
    QStringList open;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            open.append(xml.name().toString());
            if (open.join(u'/') == elementPath) {
                return attribute.isEmpty() ? xml.readElementText()
                                           : xml.attributes().value(attribute).toString();
            }
        } else if (token == QXmlStreamReader::EndElement) {
            open.removeLast();
        }
    }
    return {};
}

} // namespace

class tst_Dist : public QObject
{
    Q_OBJECT

private slots:
    void applicationIcon_data();
    void applicationIcon();
    void committedRenders_data();
    void committedRenders();
    void desktopEntry_data();
    void desktopEntry();
    void metainfo_data();
    void metainfo();
};

void tst_Dist::applicationIcon_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("16 px for title bars") << 16;
    QTest::newRow("32 px for task bars") << 32;
    QTest::newRow("48 px for window switchers") << 48;
    QTest::newRow("64 px for window switchers on dense screens") << 64;
}

void tst_Dist::committedRenders_data()
{
    applicationIcon_data();
    QTest::newRow("128 px for the icon theme") << 128;
    QTest::newRow("256 px for the icon theme") << 256;
}

// Every size of the window icon reaches the window system: the resource is
// linked and registered, and each render is in it.
void tst_Dist::applicationIcon()
{
    QFETCH(int, size);
    QVERIFY(ondal::applicationIconSizes().contains(size));
    const QIcon icon = ondal::applicationIcon();
    QVERIFY(icon.availableSizes().contains(QSize(size, size)));
    const QPixmap pixmap = icon.pixmap(QSize(size, size));
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.size(), QSize(size, size));
}

// The PNG renders of the SVG are square at the size their names give, with
// the corners outside the rounded tile left transparent.
void tst_Dist::committedRenders()
{
    QFETCH(int, size);
    const QImage image(DistDir + u"/icons/ondal-%1.png"_s.arg(size));
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), QSize(size, size));
    QVERIFY(image.hasAlphaChannel());
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(size - 1, size - 1)), 0);
    QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
}

void tst_Dist::desktopEntry_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("Exec starts the installed program") << u"Exec"_s << u"ondal"_s;
    QTest::newRow("Icon names the installed hicolor icon") << u"Icon"_s << u"ondal"_s;
    QTest::newRow("Name is the application title") << u"Name"_s << u"Ondal"_s;
    QTest::newRow("a window program, no terminal") << u"Terminal"_s << u"false"_s;
    QTest::newRow("an application entry") << u"Type"_s << u"Application"_s;
}

void tst_Dist::desktopEntry()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QCOMPARE(desktopEntryValue(key), value);
}

// What the validators cannot know: that the metainfo, the menu entry, the
// program and the project version agree with one another.
void tst_Dist::metainfo_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("value");
    QTest::newRow("id is the files' name") << u"component/id"_s << AppId;
    QTest::newRow("launchable is the installed menu entry")
        << u"component/launchable"_s << AppId + u".desktop"_s;
    QTest::newRow("provides the program the menu entry starts")
        << u"component/provides/binary"_s << desktopEntryValue(u"Exec"_s);
    QTest::newRow("newest release is this version")
        << u"component/releases/release@version"_s << projectVersion();
    QTest::newRow("name is the application title") << u"component/name"_s << u"Ondal"_s;
}

void tst_Dist::metainfo()
{
    QFETCH(QString, path);
    QFETCH(QString, value);
    QCOMPARE(metainfoValue(path), value);
}

QTEST_MAIN(tst_Dist)
#include "tst_dist.moc"
