#pragma once

class frmMain;

namespace ondal {
struct WindowServices;
}

// The start-up module: the program begins in Main, which creates the main
// window with the program's services, keeps it in MainFormRef and shows it.
namespace Module1 {

extern frmMain *MainFormRef;

void Main(const ondal::WindowServices &services);

} // namespace Module1
