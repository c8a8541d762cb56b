#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace ondal::sysinfo {

struct Fact
{
    QString label;
    QString value;
};

// The "model name" of the first processor in /proc/cpuinfo's text; empty
// when there is none.
QString cpuModelName(const QByteArray &cpuinfo);

// MemTotal from /proc/meminfo's text, in KiB; -1 when missing or unreadable.
qint64 memTotalKiB(const QByteArray &meminfo);

// "15.6 GiB" in the user's number format; "unknown" for a negative size.
QString memoryText(qint64 kib);

// What the tool shows, in order: operating system, kernel, architecture,
// host name, processor, memory, one line per screen, Qt version. Needs a
// QGuiApplication for the screens.
QList<Fact> collectFacts();

} // namespace ondal::sysinfo
