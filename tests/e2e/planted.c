/* A DLL planted beside an installer under the name of one the installer
   loads: when loaded, it appends the path of the program that loaded it to
   a marker file beside itself, named after it ("uxtheme.dll.loaded"), and
   refuses to stay, so that the program goes on without it. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
  (void)reserved;
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char marker[MAX_PATH + 16], program[MAX_PATH + 2];
  DWORD n = GetModuleFileNameA(self, marker, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return FALSE;
  lstrcpyA(marker + n, ".loaded");
  DWORD m = GetModuleFileNameA(NULL, program, MAX_PATH);
  program[m] = '\n';
  HANDLE h = CreateFileA(marker, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, NULL);
  if (h != INVALID_HANDLE_VALUE) {
    DWORD done;
    WriteFile(h, program, m + 1, &done, NULL);
    CloseHandle(h);
  }
  return FALSE;
}
