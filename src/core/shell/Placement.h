#pragma once

#include <QList>
#include <QRect>
#include <QString>

namespace ondal {

class SettingsStore;

// Where the main window sits: its outer rectangle, frame included, in twips
// from the top-left corner of the screen. Each value is a single-precision
// number, as the settings store keeps it.
struct Placement
{
    float left = 1000;
    float top = 1000;
    float width = 6500;
    float height = 6500;

    friend bool operator==(const Placement &, const Placement &) = default;
};

// Reads "MainLeft", "MainTop", "MainWidth" and "MainHeight" of section
// "Settings", in that order, each by the strict conversion in single
// precision. A value the conversion rejects (an empty or non-numeric text put
// into the store by hand, say) or that is not a finite number gives way to
// its own default; the others are still read.
Placement loadPlacement(const SettingsStore &store);

// Writes the four values in the same order, each by the single-precision
// text rule. Returns what to tell the user when a value did not reach the
// disk (the settings file and the reason), or an empty text when all did.
QString savePlacement(SettingsStore &store, const Placement &placement);

// Whole pixels of the outer window. Values far beyond any screen are held to
// a range that still converts safely; they lie off every screen either way.
QRect toPixels(const Placement &placement);
Placement fromPixels(const QRect &outer);

// The placement to restore: the stored one, unless it would leave the window
// entirely outside every screen area (a monitor taken away since the last
// exit), in which case the defaults. A window partly on a screen stays where
// it was. With no screen areas known there is nothing to judge by, and the
// stored placement is kept.
Placement reachablePlacement(const Placement &stored, const QList<QRect> &screenAreas);

} // namespace ondal
