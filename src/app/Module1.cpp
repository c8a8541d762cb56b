#include "app/Module1.h"

#include "gui/shell/frmMain.h"

namespace Module1 {

frmMain *MainFormRef = nullptr;

void Main(const ondal::WindowServices &services)
{
    // Creating the window loads it, placement included, before it is shown.
    MainFormRef = new frmMain(services);
    MainFormRef->show();
}

} // namespace Module1
