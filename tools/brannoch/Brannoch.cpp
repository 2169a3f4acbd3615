// The demo application that the installer carries, installs and starts. It
// shows where it runs from and the parameters it was given, so an end-to-end
// run can read both back from its window:
//   top-level window titled "Brannoch";
//   child control id 101 (read-only EDIT): the program's full path;
//   child control id 102 (read-only EDIT): the raw command line after the
//   program name;
//   child control id 103 (read-only EDIT): the working folder it started in.
// WM_GETTEXT on either control works from another process.

#include "platform/win32/Windows.h"

#include <string>

namespace {

constexpr char kTitle[] = "Brannoch";
constexpr char kClass[] = "BrannochDemo";
constexpr int kPathId = 101;
constexpr int kParamsId = 102;
constexpr int kFolderId = 103;

std::string CurrentFolder() {
  char buf[MAX_PATH];
  DWORD n = GetCurrentDirectoryA(sizeof buf, buf);
  return n > 0 && n < sizeof buf ? std::string(buf, n) : std::string();
}

std::string ModulePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// The command line after the program name, as the system passed it: the
// name ends at the closing quote when it starts with one, else at the first
// blank; the blanks after it are not part of the parameters.
std::string Parameters() {
  const char* p = GetCommandLineA();
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p && *p != ' ' && *p != '\t') ++p;
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

void AddRow(HWND parent, int top, const char* label, int id, const std::string& value) {
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HWND l = CreateWindowExA(0, "STATIC", label, WS_CHILD | WS_VISIBLE, 10, top + 3, 80, 20, parent, nullptr, nullptr,
                           nullptr);
  HWND e = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", value.c_str(),
                           WS_CHILD | WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL, 90, top, 420, 22, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessageA(l, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageA(e, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

LRESULT CALLBACK WindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      AddRow(w, 12, "Programme :", kPathId, ModulePath());
      AddRow(w, 44, "Paramètres :", kParamsId, Parameters());
      AddRow(w, 76, "Dossier :", kFolderId, CurrentFolder());
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClass;
  if (!RegisterClassA(&wc)) return 1;

  constexpr DWORD style = WS_OVERLAPPEDWINDOW;
  RECT r{0, 0, 520, 110};
  AdjustWindowRect(&r, style, FALSE);
  HWND w = CreateWindowExA(0, kClass, kTitle, style, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top,
                           nullptr, nullptr, instance, nullptr);
  if (!w) return 1;
  ShowWindow(w, show);
  UpdateWindow(w);

  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  return static_cast<int>(m.wParam);
}
