#include "core/runtime/UncaughtError.h"

namespace ondal {

QString uncaughtErrorText(const RuntimeError &error)
{
    return QStringLiteral("Run-time error '%1':\n\n%2")
        .arg(error.number())
        .arg(error.description());
}

void reportUncaught(const RuntimeError &error, MessageBoxService &messages)
{
    messages.msgBox(uncaughtErrorText(error));
}

} // namespace ondal
