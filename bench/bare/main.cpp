// The toolkit's floor for the start-up benchmark: a bare Qt 6 program with an
// empty main window that has a menu bar and a status bar, at the size of
// Ondal's main window on its first run (6500 twips square at 96 dots per
// inch), so both paint the same area.

#include "core/runtime/Twips.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    window.menuBar()->addMenu(QStringLiteral("&Help"));
    window.statusBar();
    window.resize(ondal::twipsToPixels(6500), ondal::twipsToPixels(6500));
    window.show();
    return app.exec();
}
