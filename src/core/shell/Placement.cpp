#include "core/shell/Placement.h"

#include "core/runtime/MessageBoxService.h"
#include "core/runtime/NumberRules.h"
#include "core/runtime/RuntimeError.h"
#include "core/runtime/SettingsStore.h"
#include "core/runtime/Twips.h"

#include <QDir>

#include <algorithm>
#include <array>
#include <cmath>

namespace ondal {
namespace {

QString application()
{
    return QString::fromUtf16(ApplicationTitle);
}

// Each key with the value it holds.
struct PlacementKey
{
    const char16_t *key;
    float Placement::*value;
};

std::array<PlacementKey, 4> keysOf(const PlacementKeys &keys)
{
    return {{{keys.left, &Placement::left},
             {keys.top, &Placement::top},
             {keys.width, &Placement::width},
             {keys.height, &Placement::height}}};
}

// The area holding most of the rectangle, or -1 where none holds any of it.
qsizetype mostOverlapped(const QRect &outer, const QList<QRect> &areas)
{
    qsizetype best = -1;
    qint64 bestShare = 0;
    for (qsizetype i = 0; i < areas.size(); ++i) {
        const QRect common = areas.at(i).intersected(outer);
        const qint64 share = qint64(common.width()) * common.height();
        if (share > bestShare) {
            best = i;
            bestShare = share;
        }
    }
    return best;
}

} // namespace

Placement loadPlacement(const SettingsStore &store, const PlacementKeys &keys)
{
    const QString section = QString::fromUtf16(keys.section);
    Placement placement;
    for (const PlacementKey &entry : keysOf(keys)) {
        const float defaultValue = keys.defaults.*entry.value;
        const QString text = store.get(application(), section, QString::fromUtf16(entry.key),
                                       QString::number(defaultValue));
        // A window is at least a pixel wide and high: one of no size (or
        // less) would open with its title bar off the screen.
        const bool isSize = entry.value == &Placement::width || entry.value == &Placement::height;
        float value = defaultValue;
        try {
            const float stored = strictToSingle(text);
            if (std::isfinite(stored) && (!isSize || twipsToPixels(stored) >= 1))
                value = stored;
        } catch (const RuntimeError &) {
            // A value nobody can read must not keep the program from
            // starting: this one takes its default.
        }
        placement.*entry.value = value;
    }
    return placement;
}

SettingsValues placementValues(const Placement &placement, const PlacementKeys &keys)
{
    SettingsValues values;
    for (const PlacementKey &entry : keysOf(keys))
        values.append({QString::fromUtf16(entry.key), singleText(placement.*entry.value)});
    return values;
}

QString savePlacement(SettingsStore &store, const Placement &placement, const PlacementKeys &keys)
{
    store.saveAll(application(), QString::fromUtf16(keys.section),
                  placementValues(placement, keys));
    return saveMessage(store,
                       QString::fromUtf16(keys.windowName) + QStringLiteral(" position and size"));
}

QString saveMessage(const SettingsStore &store, const QString &what)
{
    QStringList told;
    const QString file = QDir::toNativeSeparators(store.fileName(application()));
    if (!store.lastSaveKeptAside().isEmpty())
        told << QStringLiteral("The settings file\n%1\ncould not be read in full. It is kept as it "
                               "was in\n%2\nand the settings that could be read are written anew.")
                    .arg(file, QDir::toNativeSeparators(store.lastSaveKeptAside()));
    if (!store.lastSaveSucceeded())
        told << QStringLiteral("%1 could not be saved in the settings file\n%2\n\n%3.")
                    .arg(what, file, asSentence(store.lastSaveError()));
    return told.join(QStringLiteral("\n\n"));
}

QRect toPixels(const Placement &placement)
{
    // Each value on its own: the store keeps a width, not a right edge.
    return QRect(twipsToPixels(placement.left), twipsToPixels(placement.top),
                 twipsToPixels(placement.width), twipsToPixels(placement.height));
}

Placement fromPixels(const QRect &outer)
{
    return Placement{float(pixelsToTwips(outer.x())), float(pixelsToTwips(outer.y())),
                     float(pixelsToTwips(outer.width())), float(pixelsToTwips(outer.height()))};
}

Placement reachablePlacement(const Placement &stored, const QList<QRect> &screenAreas,
                             const Placement &defaults)
{
    if (screenAreas.isEmpty())
        return stored;
    const QRect outer = toPixels(stored);
    // A window of no size still has a corner that must be reachable.
    const QRect probe(outer.topLeft(), outer.size().expandedTo(QSize(1, 1)));
    const bool reachable = std::any_of(screenAreas.begin(), screenAreas.end(),
                                       [&](const QRect &area) { return area.intersects(probe); });
    return reachable ? stored : defaults;
}

QRect fittedInto(const QRect &outer, const QRect &area)
{
    if (area.isEmpty())
        return outer;
    const int width = std::clamp(outer.width(), 0, area.width());
    const int height = std::clamp(outer.height(), 0, area.height());
    // The area's far edges in qint64: a rectangle near the end of int's range
    // must not wrap round.
    const auto within = [](int start, int areaStart, int areaSize, int size) {
        return int(std::clamp<qint64>(start, areaStart, qint64(areaStart) + areaSize - size));
    };
    return QRect(within(outer.x(), area.x(), area.width(), width),
                 within(outer.y(), area.y(), area.height(), height), width, height);
}

Placement fittedPlacement(const Placement &stored, const QList<QRect> &screenAreas,
                          const Placement &defaults)
{
    if (screenAreas.isEmpty())
        return stored;
    const Placement reachable = reachablePlacement(stored, screenAreas, defaults);
    const QRect outer = toPixels(reachable);
    const qsizetype area = std::max<qsizetype>(mostOverlapped(outer, screenAreas), 0);
    const QRect fitted = fittedInto(outer, screenAreas.at(area));
    return fitted == outer ? reachable : fromPixels(fitted);
}

QRect maximizedFrame(const QRect &frame, const QList<QRect> &screenAreas)
{
    const qsizetype area = mostOverlapped(frame, screenAreas);
    return area < 0 ? frame : screenAreas.at(area);
}

} // namespace ondal
