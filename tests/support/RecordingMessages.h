#pragma once

#include "runtime/MessageBoxService.h"

#include <QString>
#include <QStringList>

namespace ondal::test {

// A message box that never blocks: it notes each prompt, in order.
class RecordingMessages final : public MessageBoxService
{
public:
    void msgBox(const QString &prompt) override { prompts << prompt; }
    QStringList prompts;
};

} // namespace ondal::test
