#pragma once

#include "core/shell/AppServices.h"
#include "gui/curve/RecordDialogs.h"

namespace ondal {

// The services of the windows: those of the program, and the dialogs that
// only windows ask for. main() makes this system's once; a test makes fakes.
// Not owned: they outlive every window.
struct WindowServices : AppServices
{
    RecordDialogs &dialogs;
};

} // namespace ondal
