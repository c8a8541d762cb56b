#include "shell/Module1.h"

#include "runtime/SettingsStore.h"
#include "shell/frmMain.h"

namespace Module1 {

frmMain *MainFormRef = nullptr;

void Main()
{
    static ondal::SettingsStore settings;
    // Creating the window loads it, placement included, before it is shown.
    MainFormRef = new frmMain(settings);
    MainFormRef->show();
}

} // namespace Module1
