#pragma once

#include "core/tide/TideReading.h"

#include <QList>

class QLabel;
class QString;
class QWidget;

namespace ondal {

// Shows worked-out lines in a selectable label: notes and reasons set apart
// in italics, a disclaimer smaller, no colours of its own so that any scheme
// reads it. A label offers screen readers only its name, so the lines go
// into its description as well, one to a line.
void showLines(QLabel &label, const QList<ResultLine> &lines);

// A label for a window's lines: wrapped, selectable by mouse and keyboard,
// and taking the focus so that a screen reader reaches it.
QLabel *resultsLabel(QWidget *parent, const QString &objectName, const QString &accessibleName);

} // namespace ondal
