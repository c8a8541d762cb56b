#include "core/runtime/WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

namespace ondal {

QString errnoText(int error)
{
    return error == 0 ? QString() : QString::fromLocal8Bit(std::strerror(error));
}

QString failureReason(const QFileDevice &file, int savedErrno)
{
    // Qt's word for "no reason", in the language it speaks.
    static const QString unknown = QFile().errorString();
    const QString reason = file.errorString();
    if (file.error() != QFileDevice::NoError && !reason.isEmpty() && reason != unknown)
        return reason;
    if (savedErrno != 0)
        return errnoText(savedErrno);
    return u"the system gave no reason"_s;
}

QString writeWholeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // Unbuffered, so that a write cut short (a full disk, a size limit) shows
    // in the count written here: a buffered save file can let a short final
    // write pass and commit the cut file as whole.
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failureReason(file, errno);
    errno = 0;
    const qint64 written = file.write(bytes);
    const int writeError = errno;
    if (written != bytes.size()) {
        const QString reason = failureReason(file, writeError);
        file.cancelWriting();
        return reason;
    }
    errno = 0;
    if (!file.commit())
        return failureReason(file, errno);
    return QString();
}

QString keptAsideName(const QString &path, const QDateTime &when)
{
    const QString stamped = path + u".unreadable-"_s + when.toString(u"yyyyMMdd-HHmmss"_s);
    QString name = stamped;
    // Two kept in the same second get a number; a hundred is far beyond any use.
    for (int n = 2; (QFileInfo::exists(name) || QFileInfo(name).isSymLink()) && n < 100; ++n)
        name = stamped + u'-' + QString::number(n);
    return name;
}

} // namespace ondal
