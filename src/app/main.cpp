#include "AppIcon.h"
#include "app/Module1.h"
#include "core/runtime/MessageBoxService.h"
#include "core/runtime/SettingsStore.h"
#include "core/shell/AppServices.h"
#include "gui/shell/QtMessageBox.h"
#include "gui/shell/frmMain.h"
#include "platform/MachineRegistry.h"
#include "platform/SystemServices.h"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf16(ondal::ApplicationTitle));
    QApplication::setWindowIcon(ondal::applicationIcon());
    // Lets Wayland desktops match the windows to the menu entry.
    QApplication::setDesktopFileName(QStringLiteral(ONDAL_APP_ID));

    // This system's services, made once and handed to every window.
    ondal::QtMessageBox messages;
    ondal::SettingsStore settings;
    const std::unique_ptr<ondal::platform::Registry> registry =
        ondal::platform::makeMachineRegistry();
    ondal::platform::QtFileTest files;
    ondal::platform::QtProgramStarter starter;
    const ondal::AppServices services{messages, settings, *registry, files, starter};

    Module1::Main(services);
    // The program runs while any of its windows is open.
    const int status = QApplication::exec();

    delete Module1::MainFormRef;
    return status;
}
