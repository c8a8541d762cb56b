#include "AppIcon.h"
#include "app/Module1.h"
#include "core/lists/ListStore.h"
#include "core/ports/PortList.h"
#include "core/runtime/Clock.h"
#include "core/runtime/MessageBoxService.h"
#include "core/runtime/SettingsStore.h"
#include "core/shell/AppServices.h"
#include "core/shell/DisplayCheck.h"
#include "core/streams/StreamTable.h"
#include "gui/curve/RecordDialogs.h"
#include "gui/shell/QtMessageBox.h"
#include "gui/shell/WindowServices.h"
#include "gui/shell/frmMain.h"
#include "platform/MachineRegistry.h"
#include "platform/SystemServices.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include <csignal>
#include <cstdio>
#include <memory>

namespace {

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
// Qt's X11 and Wayland plugins abort the program, core dump and all, where
// there is no display to open a window on. Saying so in one sentence is kinder.
// Returns false when the program should stop.
bool displayReachable(int argc, char *argv[])
{
    ondal::DisplayEnvironment environment{qEnvironmentVariable("QT_QPA_PLATFORM"),
                                          qEnvironmentVariable("DISPLAY"),
                                          qEnvironmentVariable("WAYLAND_DISPLAY"),
                                          {}};
    for (int i = 0; i < argc; ++i)
        environment.arguments << QString::fromLocal8Bit(argv[i]);
    const QString sentence = ondal::missingDisplaySentence(environment);
    if (sentence.isEmpty())
        return true;
    std::fprintf(stderr, "%s\n", sentence.toLocal8Bit().constData());
    return false;
}
#else
// Windows and macOS always have their window system.
bool displayReachable(int, char *[])
{
    return true;
}
#endif

} // namespace

int main(int argc, char *argv[])
{
    if (!displayReachable(argc, argv))
        return 1;
#ifdef SIGXFSZ
    // A write past a limit on file sizes then fails as a write, and is told
    // with its reason, instead of ending the program with the work unsaved.
    std::signal(SIGXFSZ, SIG_IGN);
#endif

    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf16(ondal::ApplicationTitle));
    QApplication::setWindowIcon(ondal::applicationIcon());
    // Lets Wayland desktops match the windows to the menu entry.
    QApplication::setDesktopFileName(QStringLiteral(ONDAL_APP_ID));

    // This system's services, made once and handed to every window.
    ondal::QtMessageBox messages;
    ondal::SystemClock clock;
    ondal::SettingsStore settings(ondal::writeWholeFile, [&clock] { return clock.now(); });
    const std::unique_ptr<ondal::platform::Registry> registry =
        ondal::platform::makeMachineRegistry();
    ondal::platform::QtFileTest files;
    ondal::platform::QtProgramStarter starter;
    ondal::QtRecordDialogs dialogs;
    const ondal::UserFolders folders{
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)};
    // The user's lists, side by side in the data folder (none where there
    // is none).
    const auto userList = [&](const char16_t *fileName) {
        return folders.data.isEmpty() ? QString()
                                      : QDir(folders.data).filePath(QString::fromUtf16(fileName));
    };
    ondal::lists::ListStore ports(userList(ondal::ports::PortsFileName),
                                  ondal::ports::portListKind(), ondal::writeWholeFile,
                                  [&clock] { return clock.now(); });
    ondal::lists::ListStore stations(userList(ondal::streams::StationsFileName),
                                     ondal::streams::stationListKind(), ondal::writeWholeFile,
                                     [&clock] { return clock.now(); });
    const ondal::WindowServices services{
        {messages, settings, *registry, files, starter, clock, folders, ports, stations}, dialogs};

    Module1::Main(services);
    // The program runs while any of its windows is open.
    const int status = QApplication::exec();

    delete Module1::MainFormRef;
    return status;
}
