#pragma once

#include <QIcon>
#include <QList>

namespace ondal {

// The square sizes, in pixels, at which the application icon is drawn; each
// is one PNG rendered from dist/icons/ondal.svg and compiled into the program.
QList<int> applicationIconSizes();

// The application icon with every rendered size, for the window icon of every
// window. Qt has no SVG support here, so the window system gets the PNGs.
QIcon applicationIcon();

} // namespace ondal
