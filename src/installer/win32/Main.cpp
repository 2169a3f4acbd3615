// INSTALL.EXE: the whole installer is its one sequence.
#include "installer/win32/InstallerMain.h"

int main() { return win32::InstallerMain(); }
