#include "shell/Placement.h"

#include "runtime/MessageBoxService.h"
#include "runtime/NumberRules.h"
#include "runtime/RuntimeError.h"
#include "runtime/SettingsStore.h"

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

// Far beyond any desktop, yet well inside int.
constexpr double PixelLimit = 1.0e7;

int pixelsOf(float twips)
{
    const double pixels = std::clamp(double(twips) / TwipsPerPixel, -PixelLimit, PixelLimit);
    return int(std::lround(pixels));
}

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

void savePlacement(SettingsStore &store, const Placement &placement)
{
    for (const PlacementKey &entry : Keys)
        store.save(application(), section(), QString::fromUtf16(entry.key),
                   singleText(placement.*entry.value));
}

QRect toPixels(const Placement &placement)
{
    return QRect(pixelsOf(placement.left), pixelsOf(placement.top), pixelsOf(placement.width),
                 pixelsOf(placement.height));
}

Placement fromPixels(const QRect &outer)
{
    return Placement{float(outer.x()) * TwipsPerPixel, float(outer.y()) * TwipsPerPixel,
                     float(outer.width()) * TwipsPerPixel, float(outer.height()) * TwipsPerPixel};
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
