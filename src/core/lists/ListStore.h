#pragma once

#include "core/runtime/WholeFile.h"

#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>

class QLockFile;

namespace ondal::lists {

// One entry of a user's list: its name and its values by key, each text
// exactly as typed.
struct ListEntry
{
    QString name;
    QMap<QString, QString> values;

    friend bool operator==(const ListEntry &, const ListEntry &) = default;
};

// A name holds at most this many characters, a value ValueFieldLength.
inline constexpr int NameFieldLength = 60;
// The most any field held before fields were given the lengths above. A
// value longer than this was never typed (a 50 MB paste): an entry holding
// one is damaged, and the file is kept as it is. One up to it, saved by an
// earlier Ondal, is read, kept and written back whole; a window refuses to
// show it cut (ListStore::overLong tells which).
inline constexpr int LongestEverTyped = 32767;

// What a list is: the key of its array in the file, the words its messages
// use, and the keys of an entry this Ondal knows, in the order of the row.
struct ListKind
{
    QString arrayKey;     // "ports"
    QString listName;     // "list of ports", as in "the list of ports"
    QString entryWord;    // "port", as in "port 3 in it is damaged"
    QStringList keys;     // every key this Ondal reads and writes
    QStringList nameKeys; // those among them that hold a name, not a value
};

// A user's list kept in one JSON file: a format number and an array of
// objects, each with a "name" and the kind's keys, values as typed, sorted by
// name without regard to case. Keys an entry holds that this Ondal does not
// know (written by a newer one) are kept as they are.
//
// The file is written whole through a save file, so a failed write leaves the
// earlier one as it was. Every change is made under a lock file beside it,
// held from reading the file afresh to putting the new one in place, so two
// Ondals on one data folder never lose each other's entries; a save asks
// before it replaces an entry the file holds now, whoever saved it. A file
// that cannot be read is never written over: the list reads empty, and the
// next change first moves the file aside and says where.
class ListStore
{
public:
    static constexpr int Format = 1;

    // Reads nothing yet: reload() does. An empty path is a system with no
    // folder for the user's data, where nothing can be kept. A lock held by
    // another Ondal is waited for lockWait before a change is given up.
    ListStore(
        QString path, ListKind kind, FileWriter writer = writeWholeFile,
        TimeSource now = [] { return QDateTime::currentDateTime(); },
        std::chrono::milliseconds lockWait = std::chrono::seconds(3));

    const QString &path() const { return m_path; }
    const ListKind &kind() const { return m_kind; }

    // Reads the file as it is now. No file is an empty list. Reading needs
    // no lock: the file is only ever replaced whole.
    void reload();

    // As last read or written; sorted by name, without regard to case.
    const QList<ListEntry> &entries() const { return m_read.entries; }
    // The entry of that name, compared trimmed and without regard to case;
    // -1 for none.
    qsizetype indexOf(const QString &name) const;

    // The most characters a value of that key (or "name") may hold.
    int fieldLength(const QString &key) const;
    // The key of the entry's first text longer than its field can hold;
    // none where all fit. Such an entry can be kept but not shown whole.
    std::optional<QString> overLong(const ListEntry &entry) const;

    // Why the file could not be read, naming it; empty when it was read or
    // there was none. Cleared once a change has moved the file aside.
    const QString &loadProblem() const { return m_loadProblem; }

    struct Outcome
    {
        enum class Status {
            Done,     // saved or removed
            Exists,   // the file holds the name now: ask, then save again
            NoName,   // the name is blank
            TooLong,  // a value is longer than its field can hold: key says which
            NotFound, // nothing of that name to remove
            Failed,   // nothing changed on disk: failure says why
        };
        Status status = Status::Done;
        QString failure;                   // Failed: what to tell the user
        QString movedTo;                   // where an unreadable file was moved first
        std::optional<ListEntry> existing; // Exists: the entry as the file holds it
        QString key;                       // TooLong: "name" or the value's key
    };

    // Adds the entry, or replaces the one of the same name where the caller
    // has asked and the file still holds it as `replacing` shows it (from an
    // earlier Exists). Otherwise an entry of that name in the file gives
    // Exists, and nothing is written. The entries are the file's as read
    // under the lock, with the change where it was made.
    Outcome save(const ListEntry &entry, const std::optional<ListEntry> &replacing = {});
    // Removes the entry of that name from the file as it is now.
    Outcome remove(const QString &name);

private:
    struct Read
    {
        QList<ListEntry> entries;
        QList<QJsonObject> objects; // each entry as it stands in the file
        QJsonObject root;           // the file's other keys, kept
    };
    void load();
    std::optional<Outcome> takeLock(QLockFile &lockFile) const;
    // The key ("name" or a value's) of the first text longer than limit
    // gives for its key; none where every text fits.
    std::optional<QString> overLong(const ListEntry &entry,
                                    const std::function<int(const QString &key)> &limit) const;
    Outcome write(const Read &next);
    Outcome failed(const QString &reason) const;

    QString m_path;
    ListKind m_kind;
    FileWriter m_writer;
    TimeSource m_now;
    std::chrono::milliseconds m_lockWait;

    Read m_read;
    QString m_loadProblem;
    bool m_unreadable = false;
};

} // namespace ondal::lists
