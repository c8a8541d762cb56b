// ondal-sysinfo: the system-information tool that the About box starts on
// systems that have none of their own.
#include "sysinfo/SysInfoFacts.h"
#include "sysinfo/SysInfoWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ondal-sysinfo"));
    ondal::sysinfo::SysInfoWindow window(ondal::sysinfo::collectFacts());
    window.resize(520, window.sizeHint().height());
    window.show();
    return QApplication::exec();
}
