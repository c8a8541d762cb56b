#pragma once

#include "core/ports/SecondaryPort.h"

#include <QList>
#include <QString>

namespace ondal::ports {

// The user's list of secondary ports, kept in one JSON file with a format
// number, each port's values exactly as typed, sorted by name. The file is
// written whole on every change through a save file, so a failed write
// leaves the earlier one as it was. A file that cannot be read is never
// written over: the list starts empty, and the next save first moves the
// file aside.
class PortFile
{
public:
    static constexpr int Format = 1;

    // Reads the file at once. No file is an empty list.
    explicit PortFile(QString path);

    const QString &path() const { return m_path; }
    // Sorted by name, without regard to case.
    const QList<PortTable> &ports() const { return m_ports; }
    // The port of that name, compared without regard to case; -1 for none.
    qsizetype indexOf(const QString &name) const;

    // Why the file could not be read, naming it; empty when it was read or
    // there was none. Cleared once a save has moved the file aside.
    const QString &loadProblem() const { return m_loadProblem; }

    struct Outcome
    {
        QString failure; // what to tell the user when nothing changed
        QString movedTo; // where an unreadable file was moved before the save
    };

    // Adds the port, or replaces the one of the same name, and writes the
    // list. A port without a name is refused. On failure the list stays as
    // it was, in memory and on disk.
    Outcome save(const PortTable &port);
    // Removes the port of that name and writes the list.
    Outcome remove(const QString &name);

private:
    void load();
    Outcome write(const QList<PortTable> &ports);

    QString m_path;
    QList<PortTable> m_ports;
    QString m_loadProblem;
    bool m_unreadable = false;
};

} // namespace ondal::ports
