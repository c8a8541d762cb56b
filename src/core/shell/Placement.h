#pragma once

#include "core/runtime/SettingsStore.h"

#include <QList>
#include <QRect>
#include <QString>

namespace ondal {

// Where a window sits: its outer rectangle, frame included, in twips from
// the top-left corner of the screen. Each value is a single-precision
// number, as the settings store keeps it. The values given here are the main
// window's defaults.
struct Placement
{
    float left = 1000;
    float top = 1000;
    float width = 6500;
    float height = 6500;

    friend bool operator==(const Placement &, const Placement &) = default;
};

// Where a window's placement is kept: the section, its four keys in the
// order they are read and written, the defaults, and the window's name as a
// failed save tells it.
struct PlacementKeys
{
    const char16_t *section;
    const char16_t *left;
    const char16_t *top;
    const char16_t *width;
    const char16_t *height;
    Placement defaults;
    const char16_t *windowName;
};

// The main window: "MainLeft", "MainTop", "MainWidth" and "MainHeight" of
// section "Settings".
inline constexpr PlacementKeys MainWindowPlacement{
    .section = u"Settings",
    .left = u"MainLeft",
    .top = u"MainTop",
    .width = u"MainWidth",
    .height = u"MainHeight",
    .defaults = Placement{},
    .windowName = u"The main window's",
};

// A window with a section of its own: "Left", "Top", "Width" and "Height"
// in it.
constexpr PlacementKeys sectionPlacement(const char16_t *section, Placement defaults,
                                         const char16_t *windowName)
{
    return {section, u"Left", u"Top", u"Width", u"Height", defaults, windowName};
}

// The tide curve window, section "Curve", by default to the right of the
// main window.
inline constexpr PlacementKeys CurveWindowPlacement =
    sectionPlacement(u"Curve", {7650, 1000, 13500, 9600}, u"The tide curve window's");

// The secondary port window, section "Secondary", by default below and to
// the right of the main window.
inline constexpr PlacementKeys SecondaryWindowPlacement =
    sectionPlacement(u"Secondary", {1600, 1600, 11400, 9000}, u"The secondary port window's");

// The tidal stream window, section "Stream", by default beside the main
// window, with room for the table, the leg, the triangle and the lines.
inline constexpr PlacementKeys StreamWindowPlacement =
    sectionPlacement(u"Stream", {2200, 1000, 17250, 11250}, u"The tidal stream window's");

// Reads the four values, in order, each by the strict conversion in single
// precision. A value the conversion rejects (an empty or non-numeric text put
// into the store by hand, say), that is not a finite number, or a width or
// height that cannot be a window (less than a pixel: 0, -0, negative) gives
// way to its own default; the others are still read.
Placement loadPlacement(const SettingsStore &store,
                        const PlacementKeys &keys = MainWindowPlacement);

// The four values in the same order under their keys, each by the
// single-precision text rule.
SettingsValues placementValues(const Placement &placement,
                               const PlacementKeys &keys = MainWindowPlacement);

// Writes the four values in one save of the store. Returns what to tell the
// user (saveMessage()), or an empty text when there is nothing to tell.
QString savePlacement(SettingsStore &store, const Placement &placement,
                      const PlacementKeys &keys = MainWindowPlacement);

// What to tell the user after the store's last save: where a settings file
// that could not be read in full was kept, and, where the values did not
// reach the disk, what was being saved (e.g. "The main window's position and
// size"), the settings file and the reason. Empty when there is neither.
QString saveMessage(const SettingsStore &store, const QString &what);

// Whole pixels of the outer window. Values far beyond any screen are held to
// a range that still converts safely; they lie off every screen either way.
QRect toPixels(const Placement &placement);
Placement fromPixels(const QRect &outer);

// The placement to restore: the stored one, unless it would leave the window
// entirely outside every screen area (a monitor taken away since the last
// exit), in which case the defaults. A window partly on a screen stays where
// it was. With no screen areas known there is nothing to judge by, and the
// stored placement is kept.
Placement reachablePlacement(const Placement &stored, const QList<QRect> &screenAreas,
                             const Placement &defaults = Placement{});

// The outer rectangle moved onto the area, and made no larger than it, so
// that all of it, title bar and buttons included, lies on the area. A
// rectangle already on it is returned as it is.
QRect fittedInto(const QRect &outer, const QRect &area);

// The placement to open at: the reachable one (above), moved and shrunk to
// lie wholly on the screen area that holds most of it (the first, where the
// defaults lie off every screen). A placement already wholly on a screen
// area is kept to the twip. With no screen areas known it is kept as stored.
Placement fittedPlacement(const Placement &stored, const QList<QRect> &screenAreas,
                          const Placement &defaults = Placement{});

// The outer frame of a maximized window, as the window manager draws it: the
// screen area holding most of the window's frame as Qt reports it (the frame
// itself where no area holds any of it). For a moment after maximizing, Qt
// may still report the normal window's size, or the maximized size inside
// the normal window's frame margins, which reaches past the screen.
QRect maximizedFrame(const QRect &frame, const QList<QRect> &screenAreas);

} // namespace ondal
