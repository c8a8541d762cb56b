#include "core/worksheet/Worksheet.h"

#include <algorithm>

namespace ondal {

Worksheet::Worksheet(QObject *parent) : QObject(parent) {}

QString Worksheet::text(int field) const
{
    if (field < 1 || field > FieldCount)
        return QString();
    return m_texts.at(std::size_t(field - 1));
}

void Worksheet::setText(int field, const QString &text)
{
    if (field < 1 || field > FieldCount)
        return;
    QString &held = m_texts.at(std::size_t(field - 1));
    // A write of the same text is no change: a view that writes back what
    // it was shown ends the round there.
    if (held == text)
        return;
    held = text;
    emit fieldChanged(field);
}

void Worksheet::setTexts(const Texts &texts)
{
    for (int field = 1; field <= FieldCount; ++field)
        setText(field, texts.at(std::size_t(field - 1)));
}

void Worksheet::clear()
{
    m_handover = {};
    setTexts(Texts{});
}

bool Worksheet::isBlank() const
{
    return std::all_of(m_texts.cbegin(), m_texts.cend(),
                       [](const QString &text) { return text.trimmed().isEmpty(); });
}

void Worksheet::handOver(const worksheet::Handover &handover)
{
    for (const auto &[field, text] : handover.written)
        setText(field, text);
    m_handover = handover;
}

QStringList Worksheet::handedOverWorking() const
{
    const auto holds = [this](const std::pair<int, QString> &entry) {
        return text(entry.first) == entry.second;
    };
    if (m_handover.written.isEmpty() ||
        !std::all_of(m_handover.written.cbegin(), m_handover.written.cend(), holds))
        return {};
    return m_handover.working;
}

} // namespace ondal
