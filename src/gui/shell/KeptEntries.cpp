#include "gui/shell/KeptEntries.h"

#include "core/runtime/MessageBoxService.h"
#include "core/shell/AppServices.h"
#include "core/shell/Placement.h"

#include <QLineEdit>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ondal {
namespace {

QString application()
{
    return QString::fromUtf16(ApplicationTitle);
}

} // namespace

void KeptEntries::load(const SettingsStore &settings)
{
    for (const Entry &entry : std::as_const(m_entries)) {
        const QString text = stored(settings, entry.key);
        if (text.size() > entry.field->maxLength())
            m_leftOut.insert(entry.field, text);
        else
            entry.field->setText(text);
    }
}

QString KeptEntries::stored(const SettingsStore &settings, const QString &key) const
{
    return settings.get(application(), m_section, key, QString());
}

bool KeptEntries::isLeftOut(const QLineEdit *field) const
{
    return m_leftOut.contains(field) && !field->isModified();
}

QString KeptEntries::typed(const QLineEdit *field) const
{
    return isLeftOut(field) ? m_leftOut.value(field) : field->text();
}

void KeptEntries::nameLeftOut(QList<ResultLine> &lines) const
{
    auto at = std::find_if(lines.begin(), lines.end(), [](const ResultLine &line) {
        return line.kind != ResultLine::Kind::Summary && line.kind != ResultLine::Kind::Note;
    });
    for (const Entry &entry : m_entries) {
        if (isLeftOut(entry.field))
            at = std::next(lines.insert(
                at, ResultLine{ResultLine::Kind::Reason,
                               entry.label + u": the stored entry is too long to be a value and "
                                             u"was left out"_s}));
    }
}

void KeptEntries::save(const AppServices &services, const SettingsValues &others,
                       const std::optional<SettingsValues> &placement, const QString &what) const
{
    SettingsValues values;
    for (const Entry &entry : m_entries) {
        if (!isLeftOut(entry.field))
            values.append({entry.key, entry.field->text()});
    }
    values.append(others);
    if (placement)
        values.append(*placement);
    services.settings.saveAll(application(), m_section, values);
    const QString told = saveMessage(services.settings, what);
    if (!told.isEmpty())
        services.messages.msgBox(told);
}

} // namespace ondal
