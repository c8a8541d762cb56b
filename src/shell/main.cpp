#include "AppIcon.h"
#include "runtime/MessageBoxService.h"
#include "shell/Module1.h"
#include "shell/QtMessageBox.h"
#include "shell/frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf16(ondal::ApplicationTitle));
    QApplication::setWindowIcon(ondal::applicationIcon());
    // Lets Wayland desktops match the windows to the menu entry.
    QApplication::setDesktopFileName(QStringLiteral("org.example.Ondal"));

    ondal::QtMessageBox messages;
    ondal::MessageBoxService::install(&messages);

    Module1::Main();
    // The program runs while any of its windows is open.
    const int status = QApplication::exec();

    delete Module1::MainFormRef;
    ondal::MessageBoxService::install(nullptr);
    return status;
}
