#pragma once

#include "core/worksheet/Worksheet.h"

#include <QMap>
#include <QString>

namespace ondal::test {

// Field number → text.
using Texts = QMap<int, QString>;

// Writes the texts into the worksheet's fields, the others left as they are.
inline void fill(Worksheet &worksheet, const Texts &texts)
{
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        worksheet.setText(it.key(), it.value());
}

// The worksheet model holding the texts from the start.
class FilledWorksheet : public Worksheet
{
public:
    explicit FilledWorksheet(const test::Texts &texts = {}) { fill(*this, texts); }
};

} // namespace ondal::test
