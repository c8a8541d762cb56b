#pragma once

#include "core/runtime/MessageBoxService.h"
#include "core/runtime/RuntimeError.h"

#include <QString>

#include <utility>

namespace ondal {

// "Run-time error '13':\n\nType mismatch"
QString uncaughtErrorText(const RuntimeError &error);

// What happens to an error no handler catches: the message above, then the
// program carries on with every window as the error left it.
void reportUncaught(const RuntimeError &error, MessageBoxService &messages);

// Runs an event handler; a RuntimeError escaping it is reported through the
// window's message box, never propagated into Qt's event loop.
template <typename Handler> void runHandler(Handler &&handler, MessageBoxService &messages)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const RuntimeError &error) {
        reportUncaught(error, messages);
    }
}

} // namespace ondal
