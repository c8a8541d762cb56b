#pragma once

class frmMain;

// The start-up module: the program begins in Main, which creates the main
// window, keeps it in MainFormRef and shows it.
namespace Module1 {

extern frmMain *MainFormRef;

void Main();

} // namespace Module1
