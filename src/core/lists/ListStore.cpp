#include "core/lists/ListStore.h"

#include "core/runtime/MessageBoxService.h"
#include "core/runtime/ValueReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLockFile>

#include <algorithm>
#include <cerrno>
#include <numeric>

using namespace Qt::StringLiterals;

namespace ondal::lists {
namespace {

const QString FormatKey = u"format"_s;
const QString NameKey = u"name"_s;

int nameOrder(const QString &a, const QString &b)
{
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded : QString::compare(a, b);
}

QString noFolder(const ListKind &kind)
{
    return u"There is no folder for the user's data, so the %1 cannot be kept."_s.arg(
        kind.listName);
}

} // namespace

ListStore::ListStore(QString path, ListKind kind, FileWriter writer, TimeSource now,
                     std::chrono::milliseconds lockWait)
    : m_path(std::move(path)), m_kind(std::move(kind)), m_writer(std::move(writer)),
      m_now(std::move(now)), m_lockWait(lockWait)
{}

void ListStore::reload()
{
    load();
}

void ListStore::load()
{
    m_read = {};
    m_loadProblem.clear();
    m_unreadable = false;
    const auto refuse = [this](const QString &why) {
        m_read = {};
        m_unreadable = true;
        m_loadProblem =
            u"The %1 in the file\n%2\ncould not be read: %3. Ondal works without it "
            u"and leaves the file as it is until a %4 is saved."_s.arg(
                m_kind.listName, QDir::toNativeSeparators(m_path), why, m_kind.entryWord);
    };
    if (m_path.isEmpty()) {
        m_unreadable = true;
        m_loadProblem = noFolder(m_kind);
        return;
    }
    const QFileInfo info(m_path);
    if (!info.exists() && !info.isSymLink())
        return;
    if (info.isDir())
        return refuse(u"it is a folder"_s);
    QFile file(m_path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return refuse(failureReason(file, errno));
    errno = 0;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return refuse(failureReason(file, errno));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return refuse(u"it is not a JSON document (%1 at character %2)"_s.arg(
            error.errorString(), QString::number(error.offset)));
    const QJsonObject root = document.object();
    const QJsonValue format = root.value(FormatKey);
    const QString notAList = u"it is not a %1"_s.arg(m_kind.listName);
    if (!document.isObject() || !format.isDouble() || format.toDouble() < 1)
        return refuse(notAList);
    if (format.toDouble() > Format)
        return refuse(u"it was written by a newer Ondal (format %1)"_s.arg(format.toDouble()));
    if (format.toDouble() != Format || !root.value(m_kind.arrayKey).isArray())
        return refuse(notAList);

    const QJsonArray array = root.value(m_kind.arrayKey).toArray();
    Read read;
    read.root = root;
    read.root.remove(m_kind.arrayKey);
    read.entries.reserve(array.size());
    read.objects.reserve(array.size());
    for (qsizetype i = 0; i < array.size(); ++i) {
        // An entry is an object of texts with a name. A text longer than
        // any field ever held was not typed there: the file is damaged, and
        // is kept as it is rather than cut where a field would cut it.
        const QString damaged = u"%1 %2 in it is damaged"_s.arg(m_kind.entryWord).arg(i + 1);
        const QJsonValue value = array.at(i);
        if (!value.isObject())
            return refuse(damaged);
        const QJsonObject object = value.toObject();
        const QJsonValue name = object.value(NameKey);
        if (!name.isString() || name.toString().trimmed().isEmpty())
            return refuse(damaged);
        ListEntry entry{name.toString(), {}};
        for (const QString &key : m_kind.keys) {
            const QJsonValue typed = object.value(key);
            if (!typed.isUndefined() && !typed.isString())
                return refuse(damaged);
            entry.values.insert(key, typed.toString());
        }
        if (overLong(entry, [](const QString &) { return LongestEverTyped; }))
            return refuse(damaged);
        read.entries << entry;
        read.objects << object;
    }
    // In the order the list is written in, should the file have been put in
    // another by hand.
    QList<qsizetype> order(read.entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&read](qsizetype a, qsizetype b) {
        return nameOrder(read.entries.at(a).name, read.entries.at(b).name) < 0;
    });
    m_read.root = read.root;
    for (const qsizetype i : std::as_const(order)) {
        m_read.entries << read.entries.at(i);
        m_read.objects << read.objects.at(i);
    }
}

qsizetype ListStore::indexOf(const QString &name) const
{
    const QString wanted = name.trimmed();
    for (qsizetype i = 0; i < m_read.entries.size(); ++i) {
        if (QString::compare(m_read.entries.at(i).name.trimmed(), wanted, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int ListStore::fieldLength(const QString &key) const
{
    return key == NameKey || m_kind.nameKeys.contains(key) ? NameFieldLength : ValueFieldLength;
}

std::optional<QString> ListStore::overLong(const ListEntry &entry) const
{
    return overLong(entry, [this](const QString &key) { return fieldLength(key); });
}

std::optional<QString>
ListStore::overLong(const ListEntry &entry,
                    const std::function<int(const QString &key)> &limit) const
{
    if (entry.name.size() > limit(NameKey))
        return NameKey;
    for (const QString &key : m_kind.keys) {
        if (entry.values.value(key).size() > limit(key))
            return key;
    }
    return std::nullopt;
}

std::optional<ListStore::Outcome> ListStore::takeLock(QLockFile &lockFile) const
{
    if (m_path.isEmpty())
        return Outcome{Outcome::Status::Failed, noFolder(m_kind), {}, {}, {}};
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return failed(u"its folder could not be made"_s);
    if (lockFile.tryLock(int(m_lockWait.count())))
        return std::nullopt;
    switch (lockFile.error()) {
    case QLockFile::LockFailedError:
        return Outcome{Outcome::Status::Failed,
                       u"Another Ondal is saving the %1; try again."_s.arg(m_kind.listName),
                       {},
                       {},
                       {}};
    case QLockFile::PermissionError:
        return failed(u"no lock file could be made beside it (%1)"_s.arg(errnoText(EACCES)));
    default:
        return failed(u"no lock file could be made beside it"_s);
    }
}

ListStore::Outcome ListStore::save(const ListEntry &entry,
                                   const std::optional<ListEntry> &replacing)
{
    using Status = Outcome::Status;
    ListEntry named{entry.name.trimmed(), {}};
    for (const QString &key : m_kind.keys)
        named.values.insert(key, entry.values.value(key));
    if (named.name.isEmpty())
        return {Status::NoName, {}, {}, {}, {}};
    if (const std::optional<QString> key = overLong(named))
        return {Status::TooLong, {}, {}, {}, *key};

    QLockFile lockFile(m_path + u".lock"_s);
    if (std::optional<Outcome> refused = takeLock(lockFile))
        return *refused;
    // The file as it is now: another Ondal may have saved since.
    load();
    Read next = m_read;
    QJsonObject object;
    const qsizetype at = indexOf(named.name);
    if (at >= 0) {
        if (!replacing || *replacing != next.entries.at(at))
            return {Status::Exists, {}, {}, next.entries.at(at), {}};
        // What a newer Ondal keeps in the entry stays.
        object = next.objects.takeAt(at);
        next.entries.removeAt(at);
    }
    object.insert(NameKey, named.name);
    for (const QString &key : m_kind.keys)
        object.insert(key, named.values.value(key));
    const auto place = std::upper_bound(
        next.entries.cbegin(), next.entries.cend(), named,
        [](const ListEntry &a, const ListEntry &b) { return nameOrder(a.name, b.name) < 0; });
    const qsizetype to = place - next.entries.cbegin();
    next.entries.insert(to, named);
    next.objects.insert(to, object);
    return write(next);
}

ListStore::Outcome ListStore::remove(const QString &name)
{
    QLockFile lockFile(m_path + u".lock"_s);
    if (std::optional<Outcome> refused = takeLock(lockFile))
        return *refused;
    load();
    const qsizetype at = indexOf(name);
    if (at < 0)
        return {Outcome::Status::NotFound, {}, {}, {}, {}};
    Read next = m_read;
    next.entries.removeAt(at);
    next.objects.removeAt(at);
    return write(next);
}

ListStore::Outcome ListStore::failed(const QString &reason) const
{
    return {Outcome::Status::Failed,
            u"The %1 could not be saved in the file\n%2\n\n%3."_s.arg(
                m_kind.listName, QDir::toNativeSeparators(m_path), asSentence(reason)),
            {},
            {},
            {}};
}

ListStore::Outcome ListStore::write(const Read &next)
{
    QString movedTo;
    // An unreadable file is kept: moved aside under a name that says when.
    if (m_unreadable) {
        if (QFileInfo::exists(m_path) || QFileInfo(m_path).isSymLink()) {
            const QString aside = keptAsideName(m_path, m_now());
            errno = 0;
            if (QFileInfo::exists(aside) || !QDir().rename(m_path, aside)) {
                const QString why = errnoText(errno);
                return failed(
                    u"the unreadable file there could not be moved aside to %1%2, so "
                    u"nothing was written"_s.arg(QDir::toNativeSeparators(aside),
                                                 why.isEmpty() ? QString() : u" (%1)"_s.arg(why)));
            }
            movedTo = aside;
        }
        m_unreadable = false;
        m_loadProblem.clear();
    }

    QJsonObject root = next.root;
    root.insert(FormatKey, Format);
    QJsonArray array;
    for (const QJsonObject &object : next.objects)
        array.append(object);
    root.insert(m_kind.arrayKey, array);
    const QString reason = m_writer(m_path, QJsonDocument(root).toJson());
    if (!reason.isEmpty()) {
        Outcome outcome = failed(reason);
        outcome.movedTo = movedTo;
        return outcome;
    }
    m_read = next;
    return {Outcome::Status::Done, {}, movedTo, {}, {}};
}

} // namespace ondal::lists
