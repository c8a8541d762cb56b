#pragma once

#include "core/lists/ListStore.h"

#include <QString>

#include <functional>

class QComboBox;
class QLabel;

namespace ondal {

class MessageBoxService;

// A window's side of a list the user keeps (the ports, the stations): the
// box of names, the state of the file, and the questions and messages of
// saving and deleting an entry, worded by the list's kind so that every list
// says the same things the same way.
class ListPrompts
{
public:
    // `askName` is what a save without a name says ("Type the secondary
    // port's name before saving it."); `fieldName` gives, for a key of the
    // list (or "name"), the field's name as a screen reader says it.
    ListPrompts(MessageBoxService &messages, lists::ListStore &store, QString askName,
                std::function<QString(const QString &key)> fieldName);

    // An editable box of the list's names, completed as typed.
    void setUpNameBox(QComboBox &box) const;
    // Refills the box with the names in the file as last read; the typed
    // name stays as it is.
    void fillNames(QComboBox &box, const QString &current) const;
    // Shows why the file could not be read, or nothing.
    void showFileState(QLabel &label) const;

    // Saves the entry, asking before it replaces one of the same name
    // (without regard to case) in the file as it is now, and again should
    // another Ondal change that one while the user is asked. Tells whatever
    // kept it from being saved.
    void save(const lists::ListEntry &entry);
    // Asks, then removes the entry of that name; nothing where there is none.
    void remove(const QString &name);

private:
    // Tells where an unreadable list was moved, and why nothing was saved.
    void tellOutcome(const lists::ListStore::Outcome &outcome, const QString &name);

    MessageBoxService &m_messages;
    lists::ListStore &m_store;
    QString m_askName;
    std::function<QString(const QString &key)> m_fieldName;
};

} // namespace ondal
