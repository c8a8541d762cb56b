#pragma once

#include "core/worksheet/Worksheet.h"

#include <QString>

namespace ondal {

// The worksheet's whole state: the texts of its 23 fields, Text1 to Text23,
// reached by field number. Writing replaces a field's text at once, so a step
// that an error abandons keeps what it had already written.
class FieldStore
{
public:
    static constexpr int FieldCount = 23;

    virtual ~FieldStore() = default;
    virtual QString text(int field) const = 0;
    virtual void setText(int field, const QString &text) = 0;
};

} // namespace ondal
