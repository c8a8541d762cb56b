#pragma once

#include "core/shell/Placement.h"

#include <QList>
#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QEvent;
class QWidget;

namespace ondal {

// The usable areas of the screens, in pixels of the virtual desktop.
using ScreenAreas = std::function<QList<QRect>()>;

// Those of the screens attached now.
QList<QRect> attachedScreenAreas();

// Makes the widget one of the program's windows of its own, without an
// owner: named and captioned, and deleted once it is closed.
void setUpOwnWindow(QWidget &window, const QString &objectName, const QString &title);

// A top-level window's frame thickness on each side; nothing until the
// window manager has framed the window.
QMargins frameMarginsOf(const QWidget &window);

// A top-level window's placement between runs: its outer frame, as the
// settings store keeps it under the window's keys. The frame's thickness is
// only known once the window manager has framed the window, so until then
// the client takes the whole outer size, and the frame is taken off again as
// soon as it is known; the window passes its events to follow() for that.
class WindowPlacement
{
public:
    // The screen areas default to those attached at the time of asking.
    WindowPlacement(QWidget &window, const PlacementKeys &keys, ScreenAreas screenAreas = {});

    // Reads the stored placement (a value that cannot be read takes its
    // default, a place off every screen gives way to the defaults) and puts
    // the window there, moved and shrunk to lie wholly on a screen area.
    // Call before the window is first shown.
    void restore(const SettingsStore &store);

    // The outer frame as it is now, under the window's keys, to be saved: a
    // maximized window gives its maximized bounds, no larger than the screen
    // area it is maximized on; a minimized one nothing, so that it keeps the
    // placement saved earlier.
    std::optional<SettingsValues> values() const;

    // Stores values() in one save of the store. Returns what to tell the
    // user (a failed write, an unreadable settings file kept aside).
    QString save(SettingsStore &store) const;

    // Call from the window's event() after the window has handled it.
    void follow(const QEvent *event);

    const ScreenAreas &screenAreas() const { return m_screenAreas; }

private:
    std::optional<Placement> placementNow() const;
    void applyOuterGeometry(const QRect &outer);
    void settleFrame();

    QWidget &m_window;
    const PlacementKeys m_keys;
    ScreenAreas m_screenAreas;
    // The outer rectangle asked for, until the window frame is known and the
    // client size has been corrected to it.
    QRect m_outerTarget;
    QSize m_clientRequested;
    bool m_frameSettled = true;
};

} // namespace ondal
