#pragma once

#include <QLabel>
#include <QString>
#include <QStringList>
#include <QTextDocument>
#include <QWidget>

namespace ondal::test {

// The lines a window's results label shows, one to an entry; a screen
// reader must get the same lines, or the one entry says what it gets.
inline QStringList shownLines(const QWidget *window, const QString &label)
{
    using namespace Qt::StringLiterals;
    const auto *shown = window->findChild<QLabel *>(label);
    QTextDocument document;
    document.setHtml(shown->text());
    const QStringList lines = document.toPlainText().split(u'\n');
    if (shown->accessibleDescription().split(u'\n') != lines)
        return {u"screen readers get other lines: "_s + shown->accessibleDescription()};
    return lines;
}

} // namespace ondal::test
