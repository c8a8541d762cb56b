#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>

class QFileDevice;

namespace ondal {

// Puts bytes in place of a file's whole content, and says why not where it
// could not: empty on success, else the system's reason in a few words ("File
// too large", "No space left on device", "Permission denied"). The file the
// bytes replace is left whole on failure.
using FileWriter = std::function<QString(const QString &path, const QByteArray &bytes)>;

// This system's writer: through a save file beside the file, renamed over it
// once every byte is written. Follows a symbolic link to the file it names
// and keeps the file's permissions.
QString writeWholeFile(const QString &path, const QByteArray &bytes);

// The system's reason for the file's last failure. Qt's own text, where it
// has one; where it says only "Unknown error", the text of savedErrno (the
// errno read right after the failing call); a sentence of its own where there
// is neither. Never "Unknown error".
QString failureReason(const QFileDevice &file, int savedErrno);

// The system's text for an errno value; empty for 0.
QString errnoText(int error);

// The name a file that cannot be read is kept under before it is written
// over: "<path>.unreadable-<yyyyMMdd-HHmmss>", the time given, with "-2",
// "-3"… where that name is taken.
QString keptAsideName(const QString &path, const QDateTime &when);

// The time now, where a file is kept aside; tests pin it.
using TimeSource = std::function<QDateTime()>;

} // namespace ondal
