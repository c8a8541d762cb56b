#include "platform/SystemServices.h"

#include <QFileInfo>
#include <QProcess>

namespace ondal::platform {

QString localPath(const QString &registryPath)
{
#ifdef Q_OS_WIN
    return registryPath;
#else
    QString path = registryPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
#endif
}

QString QtFileTest::findFile(const QString &pathName)
{
    const QString path = localPath(pathName);
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')))
        return {};
    const QFileInfo info(path);
    if (!info.isFile() || info.isHidden())
        return {};
    return info.fileName();
}

bool QtProgramStarter::start(const QString &pathName)
{
    const QString path = localPath(pathName);
    if (path.isEmpty())
        return false;
    return QProcess::startDetached(path, {});
}

} // namespace ondal::platform
