#include "AppIcon.h"

#include <QImage>
#include <QPixmap>
#include <QString>

// The resource lives in a static library: naming its initializer here makes
// the linker keep it in every program that asks for the icon. It registers
// the resource once, however often the icon is asked for.
static void initIconResource()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(ondal_icons);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace ondal {

QList<int> applicationIconSizes()
{
    return {16, 32, 48, 64};
}

QIcon applicationIcon()
{
    initIconResource();
    QIcon icon;
    for (const int size : applicationIconSizes()) {
        // Naming the format lets Qt's own PNG reader take the file at once;
        // left to guess, it loads every image-format plugin to ask each.
        const QImage image(QStringLiteral(":/ondal/icons/ondal-%1.png").arg(size), "PNG");
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace ondal
