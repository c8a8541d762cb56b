#pragma once

#include "gui/shell/ResultLines.h"

#include <QString>
#include <QStringList>
#include <QWidget>

namespace ondal::test {

// The lines a window's results view shows, one to an entry; a screen reader
// must get the same lines, or the one entry says what it gets.
inline QStringList shownLines(const QWidget *window, const QString &view)
{
    using namespace Qt::StringLiterals;
    const auto *shown = window->findChild<ResultsView *>(view);
    const QStringList lines = shown->plainText().split(u'\n');
    if (shown->accessibleDescription().split(u'\n') != lines)
        return {u"screen readers get other lines: "_s + shown->accessibleDescription()};
    return lines;
}

} // namespace ondal::test
