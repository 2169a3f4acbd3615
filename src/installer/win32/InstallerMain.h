#pragma once
// The installer's entry on Windows: wires the Win32 services into the
// sequence, and turns an error that reaches the top into the standard report.

namespace win32 {

// Runs INSTALL.EXE; returns its exit code (0 on every ordinary end, 1 after
// an unhandled error).
int InstallerMain();

}  // namespace win32
