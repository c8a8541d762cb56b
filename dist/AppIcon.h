#pragma once

#include <QIcon>
#include <QList>

namespace ondal {

// The square sizes, in pixels, of the window icon: the sizes at which window
// systems draw a window's icon (title bars, task bars, window switchers).
// Each is a PNG rendered from dist/icons/ondal.svg and compiled into the
// program. The larger renders (128, 256) are installed in the icon theme for
// launchers and menus; the window icon leaves them out, because Qt decodes
// every size of a window icon and sends it to the X server at start-up, and
// those two alone cost more than the rest of the main window.
QList<int> applicationIconSizes();

// The application icon for every window, at each of those sizes. Qt has no
// SVG support here, so the window system gets the PNGs.
QIcon applicationIcon();

} // namespace ondal
