#pragma once

#include "core/runtime/MessageBoxService.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace ondal::test {

// A message box that never blocks: it notes each prompt, in order, and calls
// onMessage (where set) while the box would be open, for a test to look at
// the window as the user would see it then.
class RecordingMessages final : public MessageBoxService
{
public:
    void msgBox(const QString &prompt) override
    {
        prompts << prompt;
        if (onMessage)
            onMessage(prompt);
    }

    // A question is noted among the prompts too and answered with the next
    // of answers, No once they run out.
    bool askYesNo(const QString &prompt) override
    {
        msgBox(prompt);
        return answers.isEmpty() ? false : answers.takeFirst();
    }

    QStringList prompts;
    QList<bool> answers;
    std::function<void(const QString &prompt)> onMessage;
};

} // namespace ondal::test
