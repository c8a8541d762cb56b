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
// says the same things the same way. Attach it before the box is used.
class ListPrompts
{
public:
    // `askName` is what a save without a name says ("Type the secondary
    // port's name before saving it."); `fieldName` gives, for a key of the
    // list (or "name"), the field's name as a screen reader says it.
    ListPrompts(MessageBoxService &messages, lists::ListStore &store, QString askName,
                std::function<QString(const QString &key)> fieldName);

    // Reads the list afresh (another Ondal may have saved since), and from
    // then on keeps the box of names (editable, completed as typed) and the
    // label of the file's state up to date.
    void attach(QComboBox &box, QLabel &fileState);

    // Whether the file as last read holds the name in the box; false before
    // the box is attached.
    bool holdsTyped() const;

    // Saves the entry, asking before it replaces one of the same name
    // (without regard to case) in the file as it is now, and again should
    // another Ondal change that one while the user is asked. Tells whatever
    // kept it from being saved.
    void save(const lists::ListEntry &entry);
    // Asks, then removes the entry named in the box; what was typed stays.
    void remove();
    // Whether every text of the entry fits its field, so that choosing it
    // can fill the fields whole; where one does not, says which and that it
    // is kept in the list as it is (an earlier Ondal saved it), and the
    // fields are left as they are.
    bool fitsFields(const lists::ListEntry &entry) const;

private:
    // Refills the box with the names in the file as last read, the typed
    // name as given, and shows why the file could not be read, or nothing.
    void showList(const QString &current);
    // Tells where an unreadable list was moved and why nothing was saved,
    // and keeps what was done ("saved", "deleted") to confirm it.
    void tellOutcome(const lists::ListStore::Outcome &outcome, const QString &name,
                     const QString &done);

    MessageBoxService &m_messages;
    lists::ListStore &m_store;
    QString m_askName;
    std::function<QString(const QString &key)> m_fieldName;
    QComboBox *m_box = nullptr;
    QLabel *m_fileState = nullptr;
    QString m_lastChange; // "Littleport saved; 12 ports in the list"
};

} // namespace ondal
