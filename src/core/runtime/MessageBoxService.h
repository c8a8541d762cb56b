#pragma once

#include <QString>

namespace ondal {

// The application title: the settings store's application name, the caption
// of every message box and the About box's title.
inline constexpr char16_t ApplicationTitle[] = u"Ondal";

// A reason the system gave ("no such file or directory") as it stands in a
// message, after a line break: "No such file or directory".
inline QString asSentence(QString reason)
{
    if (!reason.isEmpty())
        reason.front() = reason.front().toUpper();
    return reason;
}

// A modal message with the prompt, one OK button, no icon and the application
// title as caption. The answer is never used. The real one (a QMessageBox)
// lives with the windows; tests hand the windows a recorder, so nothing ever
// blocks.
class MessageBoxService
{
public:
    virtual ~MessageBoxService() = default;
    virtual void msgBox(const QString &prompt) = 0;
    // A modal question with Yes and No buttons, No the default, with the
    // application title as caption: true only for Yes. Closing the box is No.
    virtual bool askYesNo(const QString &prompt) = 0;
};

} // namespace ondal
