#include "gui/shell/ListPrompts.h"

#include "core/runtime/MessageBoxService.h"

#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace ondal {

ListPrompts::ListPrompts(MessageBoxService &messages, lists::ListStore &store, QString askName,
                         std::function<QString(const QString &key)> fieldName)
    : m_messages(messages), m_store(store), m_askName(std::move(askName)),
      m_fieldName(std::move(fieldName))
{}

void ListPrompts::attach(QComboBox &box, QLabel &fileState)
{
    m_box = &box;
    m_fileState = &fileState;
    box.setEditable(true);
    box.lineEdit()->setMaxLength(lists::NameFieldLength);
    box.setInsertPolicy(QComboBox::NoInsert);
    box.setMaxVisibleItems(20);
    box.setMinimumContentsLength(18);
    box.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box.completer()->setCompletionMode(QCompleter::PopupCompletion);
    box.completer()->setCaseSensitivity(Qt::CaseInsensitive);
    m_store.reload();
    showList(box.currentText());
}

bool ListPrompts::holdsTyped() const
{
    return m_box && m_store.indexOf(m_box->currentText()) >= 0;
}

void ListPrompts::showList(const QString &current)
{
    {
        // The typed name stays as it is; the list alone is refilled.
        const QSignalBlocker blocker(m_box);
        m_box->clear();
        QStringList names;
        names.reserve(m_store.entries().size());
        for (const lists::ListEntry &entry : m_store.entries())
            names << entry.name;
        m_box->addItems(names);
        m_box->setCurrentIndex(-1);
        m_box->setEditText(current);
    }
    // Why the file could not be read, else what was last done to it.
    const QString shown = m_store.loadProblem().isEmpty() ? m_lastChange : m_store.loadProblem();
    m_fileState->setText(shown);
    m_fileState->setVisible(!shown.isEmpty());
}

void ListPrompts::save(const lists::ListEntry &entry)
{
    using Status = lists::ListStore::Outcome::Status;
    const QString &word = m_store.kind().entryWord;
    // The question is asked of the file as it is now, whoever saved the
    // entry there, and asked again should another Ondal change that entry
    // while it is open; a few rounds are more than any chart room sees.
    std::optional<lists::ListEntry> replacing;
    for (int round = 0;; ++round) {
        const lists::ListStore::Outcome outcome = m_store.save(entry, replacing);
        if (outcome.status != Status::Exists) {
            tellOutcome(outcome, entry.name.trimmed(), u"saved"_s);
            break;
        }
        if (round == 4) {
            m_messages.msgBox(u"The %1 was not saved: another Ondal changed “%2” again while you "
                              u"were asked."_s.arg(word, outcome.existing->name));
            break;
        }
        if (!m_messages.askYesNo(u"A %1 named “%2” is saved already. Replace it?"_s.arg(
                word, outcome.existing->name)))
            break;
        replacing = outcome.existing;
    }
    showList(entry.name);
}

void ListPrompts::remove()
{
    const QString typed = m_box->currentText();
    const qsizetype existing = m_store.indexOf(typed);
    if (existing >= 0) {
        const QString saved = m_store.entries().at(existing).name;
        if (m_messages.askYesNo(
                u"Delete the saved %1 “%2”?"_s.arg(m_store.kind().entryWord, saved)))
            tellOutcome(m_store.remove(saved), saved, u"deleted"_s);
    }
    showList(typed);
}

bool ListPrompts::fitsFields(const lists::ListEntry &entry) const
{
    const std::optional<QString> key = m_store.overLong(entry);
    if (!key)
        return true;
    m_messages.msgBox(u"The saved %1 “%2” holds more in “%3” than its field can show (%4 "
                      u"characters), so it is not filled in. It is kept in the %5 as it is."_s
                          .arg(m_store.kind().entryWord, entry.name.left(lists::NameFieldLength),
                               m_fieldName(*key))
                          .arg(m_store.fieldLength(*key))
                          .arg(m_store.kind().listName));
    return false;
}

void ListPrompts::tellOutcome(const lists::ListStore::Outcome &outcome, const QString &name,
                              const QString &done)
{
    using Status = lists::ListStore::Outcome::Status;
    const QString &word = m_store.kind().entryWord;
    if (!outcome.movedTo.isEmpty()) {
        m_messages.msgBox(u"The %1 that could not be read was kept as\n%2"_s.arg(
            m_store.kind().listName, QDir::toNativeSeparators(outcome.movedTo)));
    }
    switch (outcome.status) {
    case Status::NoName:
        m_messages.msgBox(m_askName);
        break;
    case Status::TooLong:
        m_messages.msgBox(u"The %1 was not saved: “%2” holds more than %3 characters."_s
                              .arg(word, m_fieldName(outcome.key))
                              .arg(m_store.fieldLength(outcome.key)));
        break;
    case Status::NotFound:
        m_messages.msgBox(u"There is no saved %1 named “%2”."_s.arg(word, name));
        break;
    case Status::Failed:
        m_messages.msgBox(outcome.failure);
        break;
    case Status::Done: {
        // Confirmed in the window, where a failure would have been told.
        const qsizetype count = m_store.entries().size();
        m_lastChange = u"%1 %2; %3 %4%5 in the list"_s.arg(name, done, QString::number(count), word,
                                                           count == 1 ? QString() : u"s"_s);
        break;
    }
    case Status::Exists:
        break;
    }
}

} // namespace ondal
