#pragma once

#include "core/worksheet/FieldStore.h"

#include <QMap>
#include <QString>

#include <array>

namespace ondal::test {

// Field number → text.
using Texts = QMap<int, QString>;

// The worksheet's 23 field texts without a window.
class FakeFields final : public FieldStore
{
public:
    FakeFields() = default;
    explicit FakeFields(const Texts &given)
    {
        for (auto it = given.cbegin(); it != given.cend(); ++it)
            setText(it.key(), it.value());
    }
    QString text(int field) const override { return texts.at(field - 1); }
    void setText(int field, const QString &text) override { texts.at(field - 1) = text; }

    std::array<QString, FieldCount> texts;
};

} // namespace ondal::test
