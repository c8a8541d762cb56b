#pragma once

#include "core/runtime/ValueReader.h"

#include <QStringList>

namespace ondal::test {

// The values refused, each as "Draught: read in part", for a test to
// compare refusals by kind rather than by their sentences.
inline QStringList refusedKinds(const QList<RefusedValue> &refused)
{
    static const char16_t *const names[] = {u"not given", u"not a number",  u"read in part",
                                            u"too large", u"out of bounds", u"negative",
                                            u"too long",  u"not in form"};
    QStringList out;
    for (const RefusedValue &value : refused)
        out << value.label + QStringLiteral(": ") +
                   QString::fromUtf16(names[int(value.refusal.kind)]);
    return out;
}

} // namespace ondal::test
