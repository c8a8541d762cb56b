#pragma once

#include "core/runtime/LineText.h"
#include "core/runtime/SettingsStore.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

class QLineEdit;

namespace ondal {

struct AppServices;

// A window's entries kept as typed in its own section of the settings
// store, beside its placement, and written with it in one save as the window
// closes. A stored text longer than its field is a damaged entry, never put
// in cut: it is left out of the field, named in a reason, and read and saved
// back as stored until the field is typed into, so that what depends on it
// is refused rather than worked out as if it were blank.
class KeptEntries
{
public:
    // The key it is kept under, the label its reason begins with, its field.
    struct Entry
    {
        QString key;
        QString label;
        QLineEdit *field;
    };

    explicit KeptEntries(QString section) : m_section(std::move(section)) {}
    // The entries, once their fields are made.
    void setEntries(QList<Entry> entries) { m_entries = std::move(entries); }

    // Puts each stored text into its field.
    void load(const SettingsStore &settings);
    // A stored text of the section, for the window's other entries.
    QString stored(const SettingsStore &settings, const QString &key) const;

    // The field's text as typed, or as stored where it was left out.
    QString typed(const QLineEdit *field) const;
    // The field is typed over by other means than typing (a choice from a
    // list, a hand-over): a stored entry left out of it is dropped.
    void typedOver(const QLineEdit *field) { m_leftOut.remove(field); }

    // The entries left out are named first among the reasons: before the
    // first line that is neither a summary nor a note.
    void nameLeftOut(QList<ResultLine> &lines) const;

    // Writes the entries (a damaged one as stored), then the window's
    // others and its placement, in one save of the section. A save that does
    // not reach the disk is told, once, naming `what` ("The tide curve's
    // entries").
    void save(const AppServices &services, const SettingsValues &others,
              const std::optional<SettingsValues> &placement, const QString &what) const;

private:
    bool isLeftOut(const QLineEdit *field) const;

    QString m_section;
    QList<Entry> m_entries;
    QHash<const QLineEdit *, QString> m_leftOut; // by field: the text as stored
};

} // namespace ondal
