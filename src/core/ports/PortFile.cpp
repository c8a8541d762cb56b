#include "core/ports/PortFile.h"

#include "core/runtime/MessageBoxService.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ondal::ports {
namespace {

const QString FormatKey = u"format"_s;
const QString PortsKey = u"ports"_s;
const QString NameKey = u"name"_s;

bool nameLess(const PortTable &a, const PortTable &b)
{
    const int folded = QString::compare(a.name, b.name, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a.name < b.name;
}

QJsonObject toJson(const PortTable &port)
{
    QJsonObject object{{NameKey, port.name}};
    for (const PortValue &value : PortValues)
        object.insert(QString::fromUtf16(value.key), port.*value.member);
    return object;
}

// A port, or nothing where an entry is not an object of texts with a name.
std::optional<PortTable> fromJson(const QJsonValue &entry)
{
    if (!entry.isObject())
        return std::nullopt;
    const QJsonObject object = entry.toObject();
    const auto text = [&object](const QString &key) -> std::optional<QString> {
        const QJsonValue value = object.value(key);
        if (value.isUndefined())
            return QString();
        if (!value.isString())
            return std::nullopt;
        return value.toString();
    };
    PortTable port;
    const std::optional<QString> name = text(NameKey);
    if (!name || name->trimmed().isEmpty())
        return std::nullopt;
    port.name = *name;
    for (const PortValue &value : PortValues) {
        const std::optional<QString> typed = text(QString::fromUtf16(value.key));
        if (!typed)
            return std::nullopt;
        port.*value.member = *typed;
    }
    return port;
}

QString unreadable(const QString &path, const QString &why)
{
    return u"The list of ports in the file\n%1\ncould not be read: %2. Ondal works without it "
           u"and leaves the file as it is until a port is saved."_s.arg(
               QDir::toNativeSeparators(path), why);
}

} // namespace

PortFile::PortFile(QString path) : m_path(std::move(path))
{
    load();
}

void PortFile::load()
{
    m_ports.clear();
    m_loadProblem.clear();
    m_unreadable = false;
    const auto refuse = [this](const QString &why) {
        m_ports.clear();
        m_unreadable = true;
        m_loadProblem = unreadable(m_path, why);
    };
    if (m_path.isEmpty()) {
        m_unreadable = true;
        m_loadProblem = u"There is no folder for the user's data, so the list of ports cannot "
                        u"be kept."_s;
        return;
    }
    const QFileInfo info(m_path);
    if (!info.exists() && !info.isSymLink())
        return;
    if (info.isDir())
        return refuse(u"it is a folder"_s);
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(file.errorString());
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (file.error() != QFileDevice::NoError)
        return refuse(file.errorString());
    if (error.error != QJsonParseError::NoError)
        return refuse(u"it is not a JSON document (%1 at character %2)"_s.arg(
            error.errorString(), QString::number(error.offset)));
    const QJsonObject root = document.object();
    const QJsonValue format = root.value(FormatKey);
    if (!document.isObject() || !format.isDouble() || format.toDouble() < 1)
        return refuse(u"it is not a list of ports"_s);
    if (format.toDouble() > Format)
        return refuse(u"it was written by a newer Ondal (format %1)"_s.arg(format.toDouble()));
    if (format.toDouble() != Format || !root.value(PortsKey).isArray())
        return refuse(u"it is not a list of ports"_s);
    const QJsonArray entries = root.value(PortsKey).toArray();
    m_ports.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const std::optional<PortTable> port = fromJson(entries.at(i));
        if (!port)
            return refuse(u"port %1 in it is damaged"_s.arg(i + 1));
        m_ports << *port;
    }
    std::stable_sort(m_ports.begin(), m_ports.end(), nameLess);
}

qsizetype PortFile::indexOf(const QString &name) const
{
    const QString wanted = name.trimmed();
    for (qsizetype i = 0; i < m_ports.size(); ++i) {
        if (QString::compare(m_ports.at(i).name.trimmed(), wanted, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

PortFile::Outcome PortFile::save(const PortTable &port)
{
    PortTable named = port;
    named.name = port.name.trimmed();
    if (named.name.isEmpty())
        return {u"Type the secondary port's name before saving it."_s, {}};
    // The file as it is now: another Ondal may have saved a port since.
    load();
    QList<PortTable> ports = m_ports;
    const qsizetype at = indexOf(named.name);
    if (at >= 0)
        ports.removeAt(at);
    ports.insert(std::upper_bound(ports.begin(), ports.end(), named, nameLess) - ports.begin(),
                 named);
    return write(ports);
}

PortFile::Outcome PortFile::remove(const QString &name)
{
    load();
    const qsizetype at = indexOf(name);
    if (at < 0)
        return {u"There is no saved port named “%1”."_s.arg(name.trimmed()), {}};
    QList<PortTable> ports = m_ports;
    ports.removeAt(at);
    return write(ports);
}

PortFile::Outcome PortFile::write(const QList<PortTable> &ports)
{
    Outcome outcome;
    const QString shownPath = QDir::toNativeSeparators(m_path);
    const auto failed = [&shownPath](const QString &reason) {
        return Outcome{u"The list of ports could not be saved in the file\n%1\n\n%2."_s.arg(
                           shownPath, asSentence(reason)),
                       {}};
    };
    if (m_path.isEmpty())
        return {m_loadProblem, {}};

    // An unreadable file is kept: moved aside under a name that says when.
    if (m_unreadable) {
        const QString stamp = QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s);
        QString aside = m_path + u".unreadable-"_s + stamp;
        for (int n = 2; QFileInfo::exists(aside) && n < 100; ++n)
            aside = m_path + u".unreadable-"_s + stamp + u'-' + QString::number(n);
        if (QFileInfo::exists(m_path) || QFileInfo(m_path).isSymLink()) {
            if (QFileInfo::exists(aside) || !QDir().rename(m_path, aside)) {
                return failed(u"the unreadable file there could not be moved aside to %1, so "
                              u"nothing was written"_s.arg(QDir::toNativeSeparators(aside)));
            }
            outcome.movedTo = aside;
        }
        m_unreadable = false;
        m_loadProblem.clear();
    }

    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return failed(u"its folder could not be made"_s);
    QJsonArray entries;
    for (const PortTable &port : ports)
        entries.append(toJson(port));
    const QByteArray bytes =
        QJsonDocument(QJsonObject{{FormatKey, Format}, {PortsKey, entries}}).toJson();
    // Unbuffered, so that a write cut short (a full disk, a size limit) is
    // seen here: a buffered one can pass a short final write to commit().
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {failed(file.errorString()).failure, outcome.movedTo};
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {failed(reason).failure, outcome.movedTo};
    }
    m_ports = ports;
    return outcome;
}

} // namespace ondal::ports
