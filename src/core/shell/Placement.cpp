#include "core/shell/Placement.h"

#include "core/runtime/MessageBoxService.h"
#include "core/runtime/NumberRules.h"
#include "core/runtime/RuntimeError.h"
#include "core/runtime/SettingsStore.h"
#include "core/runtime/Twips.h"

#include <algorithm>
#include <cmath>

namespace ondal {
namespace {

const QString &section()
{
    static const QString name = QStringLiteral("Settings");
    return name;
}

QString application()
{
    return QString::fromUtf16(ApplicationTitle);
}

// One table: each key, the value it holds and its default.
struct PlacementKey
{
    const char16_t *key;
    float Placement::*value;
    int defaultValue;
};

constexpr PlacementKey Keys[] = {
    {u"MainLeft", &Placement::left, 1000},
    {u"MainTop", &Placement::top, 1000},
    {u"MainWidth", &Placement::width, 6500},
    {u"MainHeight", &Placement::height, 6500},
};

} // namespace

Placement loadPlacement(const SettingsStore &store)
{
    Placement placement;
    for (const PlacementKey &entry : Keys) {
        const QString text = store.get(application(), section(), QString::fromUtf16(entry.key),
                                       QString::number(entry.defaultValue));
        float value = float(entry.defaultValue);
        try {
            const float stored = strictToSingle(text);
            if (std::isfinite(stored))
                value = stored;
        } catch (const RuntimeError &) {
            // A value nobody can read must not keep the program from
            // starting: this one takes its default.
        }
        placement.*entry.value = value;
    }
    return placement;
}

QString savePlacement(SettingsStore &store, const Placement &placement)
{
    QString failure;
    for (const PlacementKey &entry : Keys) {
        store.save(application(), section(), QString::fromUtf16(entry.key),
                   singleText(placement.*entry.value));
        if (failure.isEmpty() && !store.lastSaveSucceeded()) {
            QString reason = store.lastSaveError();
            reason.front() = reason.front().toUpper();
            failure = QStringLiteral("The main window's position and size could not be saved "
                                     "in the settings file\n%1\n\n%2.")
                          .arg(store.fileName(application()), reason);
        }
    }
    return failure;
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

Placement reachablePlacement(const Placement &stored, const QList<QRect> &screenAreas)
{
    if (screenAreas.isEmpty())
        return stored;
    const QRect outer = toPixels(stored);
    // A window of no size still has a corner that must be reachable.
    const QRect probe(outer.topLeft(), outer.size().expandedTo(QSize(1, 1)));
    const bool reachable = std::any_of(screenAreas.begin(), screenAreas.end(),
                                       [&](const QRect &area) { return area.intersects(probe); });
    return reachable ? stored : Placement{};
}

} // namespace ondal
