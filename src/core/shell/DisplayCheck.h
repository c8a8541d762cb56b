#pragma once

#include <QString>
#include <QStringList>

namespace ondal {

// What tells whether the program can reach a window system, on systems where
// Qt looks for X11 or Wayland: three environment variables (an empty one
// counts as unset, as it does for Qt) and the command line.
struct DisplayEnvironment
{
    QString qpaPlatform;    // QT_QPA_PLATFORM
    QString display;        // DISPLAY
    QString waylandDisplay; // WAYLAND_DISPLAY
    QStringList arguments;  // the command line, the program's name first
};

// The one sentence to print before stopping when there is no display to open
// a window on (an SSH session without forwarding, say), where Qt would abort
// the program instead. Empty while a display is named, and wherever a
// platform is chosen explicitly (QT_QPA_PLATFORM, or -platform on the command
// line): Qt decides then.
QString missingDisplaySentence(const DisplayEnvironment &environment);

} // namespace ondal
