#include "gui/shell/AccessKeys.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QObject>
#include <QWidget>

namespace ondal {
namespace {

// A key press with Alt (and neither Ctrl nor Meta, so AltGr's characters
// still type) that no shortcut took is an access key of nothing: it is
// dropped rather than typed.
class AccessKeyGuard final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<const QKeyEvent *>(event);
            const Qt::KeyboardModifiers mods = key->modifiers();
            if ((mods & Qt::AltModifier) && !(mods & (Qt::ControlModifier | Qt::MetaModifier)) &&
                !key->text().isEmpty())
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void guardAccessKeys(QWidget &window)
{
    auto *guard = new AccessKeyGuard(&window);
    // An editable box takes the focus itself and hands the keys on to its
    // line: both are watched.
    for (QLineEdit *field : window.findChildren<QLineEdit *>())
        field->installEventFilter(guard);
    for (QComboBox *box : window.findChildren<QComboBox *>()) {
        if (box->isEditable())
            box->installEventFilter(guard);
    }
}

} // namespace ondal
