#pragma once

#include <QString>

namespace ondal::platform {

// The file-existence test: a look-up of one exact file name (no wildcards),
// normal files only (no folders, no hidden files).
class FileTest
{
public:
    virtual ~FileTest() = default;
    // The found file's name without its folder, or the empty text.
    virtual QString findFile(const QString &pathName) = 0;
};

// Starting a program by path with a normal window; returns at once without
// waiting for it, and the program is not tracked.
class ProgramStarter
{
public:
    virtual ~ProgramStarter() = default;
    // False when the program could not be started (no such file, not a
    // program, the empty path).
    virtual bool start(const QString &pathName) = 0;
};

// A path as the registry writes it, for this system: on systems other than
// Windows every "\" is a folder separator and becomes "/".
QString localPath(const QString &registryPath);

class QtFileTest final : public FileTest
{
public:
    QString findFile(const QString &pathName) override;
};

// Through QProcess::startDetached, which reports a program that cannot be
// executed as a failure.
class QtProgramStarter final : public ProgramStarter
{
public:
    bool start(const QString &pathName) override;
};

} // namespace ondal::platform
