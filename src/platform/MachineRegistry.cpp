#include "platform/MachineRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#ifdef Q_OS_WIN
#include "platform/WinRegistry.h"
#else
#include "platform/RegFileRegistry.h"
#endif

#ifndef ONDAL_SYSTEM_REGISTRY_FILE
#define ONDAL_SYSTEM_REGISTRY_FILE "/etc/ondal/registry.reg"
#endif

namespace ondal::platform {

QStringList machineRegistryFiles()
{
    QStringList files;
    if (QCoreApplication::instance()) {
        files << QDir(QCoreApplication::applicationDirPath())
                     .filePath(QString::fromUtf16(MachineRegistryFileName));
    }
    files << QString::fromUtf8(ONDAL_SYSTEM_REGISTRY_FILE);
    return files;
}

std::unique_ptr<Registry> makeMachineRegistry()
{
#ifdef Q_OS_WIN
    return std::make_unique<WinRegistry>();
#else
    std::vector<std::string> candidates;
    for (const QString &file : machineRegistryFiles())
        candidates.push_back(QFile::encodeName(file).toStdString());
    return std::make_unique<RegFileRegistry>(regFileSource(std::move(candidates)));
#endif
}

} // namespace ondal::platform
