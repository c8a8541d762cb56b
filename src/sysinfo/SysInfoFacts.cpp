#include "sysinfo/SysInfoFacts.h"

#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QSysInfo>
#include <QThread>

namespace ondal::sysinfo {
namespace {

// "key<blanks>: value" lines, as /proc writes them.
QString fieldOf(const QByteArray &text, QByteArrayView key)
{
    for (const QByteArray &line : text.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            continue;
        if (line.left(colon).trimmed() == key)
            return QString::fromUtf8(line.mid(colon + 1).trimmed());
    }
    return {};
}

QByteArray readSmallFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // /proc files report no size; read what is there, within reason.
    return file.read(1024 * 1024);
}

QString screenText(const QScreen &screen)
{
    const qreal ratio = screen.devicePixelRatio();
    const QSize size = screen.geometry().size() * ratio;
    return QStringLiteral("%1: %2 × %3 pixels, scale %4, %5 dpi")
        .arg(screen.name())
        .arg(size.width())
        .arg(size.height())
        .arg(QLocale().toString(ratio, 'g', 3))
        .arg(QLocale().toString(screen.logicalDotsPerInch(), 'f', 0));
}

} // namespace

QString cpuModelName(const QByteArray &cpuinfo)
{
    return fieldOf(cpuinfo, "model name");
}

qint64 memTotalKiB(const QByteArray &meminfo)
{
    const QString value = fieldOf(meminfo, "MemTotal");
    const QStringList parts = value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.size() > 2 ||
        (parts.size() == 2 && parts[1].compare(QLatin1String("kB"), Qt::CaseInsensitive) != 0))
        return -1;
    bool ok = false;
    const qint64 kib = parts[0].toLongLong(&ok);
    return ok && kib >= 0 ? kib : -1;
}

QString memoryText(qint64 kib)
{
    if (kib < 0)
        return QStringLiteral("unknown");
    return QLocale().formattedDataSize(kib * 1024, 1, QLocale::DataSizeIecFormat);
}

QList<Fact> collectFacts()
{
    QList<Fact> facts;
    facts.append({QStringLiteral("Operating system"), QSysInfo::prettyProductName()});
    facts.append({QStringLiteral("Kernel"),
                  QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion()});
    facts.append({QStringLiteral("Architecture"), QSysInfo::currentCpuArchitecture()});
    facts.append({QStringLiteral("Host name"), QSysInfo::machineHostName()});

    QString processor = cpuModelName(readSmallFile(QStringLiteral("/proc/cpuinfo")));
    if (processor.isEmpty())
        processor = QSysInfo::currentCpuArchitecture();
    const int count = QThread::idealThreadCount();
    facts.append({QStringLiteral("Processor"),
                  count > 1 ? QStringLiteral("%1 (%2 logical processors)").arg(processor).arg(count)
                            : processor});

    facts.append({QStringLiteral("Memory"),
                  memoryText(memTotalKiB(readSmallFile(QStringLiteral("/proc/meminfo"))))});

    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        facts.append({QStringLiteral("Screens"), QStringLiteral("none")});
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const QString label =
            screens.size() == 1 ? QStringLiteral("Screen") : QStringLiteral("Screen %1").arg(i + 1);
        facts.append({label, screenText(*screens[i])});
    }

    facts.append({QStringLiteral("Qt version"), QString::fromLatin1(qVersion())});
    return facts;
}

} // namespace ondal::sysinfo
