// Throwaway targets for the pilot's own tests. The exit code tells what the
// target received, so a test can check that the pilot's input arrived.
//   pilot_testapp box TITLE TEXT        MessageBoxA with Yes/No; exits with IDYES (6) or IDNO (7)
//   pilot_testapp form TITLE CAPTIONS [TIMES]
//       a box like the installer's own: window-less buttons (captions
//       separated by ",") painted at lefts 20, 160, 300, 135 x 27, three to a
//       row, 30 pixels apart, the last row 37 pixels above the client bottom;
//       no control takes the focus. Enter answers 1, Escape 9, closing 8, a
//       letter the button it starts, a click the button under it. The same
//       window is shown TIMES times (hidden in between, title unchanged); the
//       exit code is the answers' digits in order.
//   pilot_testapp child COMMAND...      starts COMMAND and exits at once with 0
//   pilot_testapp hang TITLE            a window that refuses to close
//   pilot_testapp flash TITLE MS        a window shown for MS milliseconds; exits with 0
//   pilot_testapp flash TITLE MS blank  the same, all of one colour (never painted, as a shot sees it)
//   pilot_testapp exit N                no window; exits with N

#include "platform/win32/Windows.h"

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/Handles.h"

namespace {

constexpr char kFormClass[] = "PilotTestForm";
constexpr int kLabelBottom = 60;

struct Form {
  std::vector<std::string> captions;
  std::vector<RECT> buttons;
  int answer = 0;
  int pressed = 0;  // button under the mouse press, 0 none
  bool done = false;
};

Form* form = nullptr;

int ButtonAt(int x, int y) {
  for (size_t i = 0; i < form->buttons.size(); ++i) {
    const RECT& r = form->buttons[i];
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return static_cast<int>(i) + 1;
  }
  return 0;
}

void Finish(HWND w, int answer) {
  form->answer = answer;
  form->done = true;
  ShowWindow(w, SW_HIDE);
}

LRESULT CALLBACK FormProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(w, &ps);
      RECT text{20, 5, 461, kLabelBottom};
      SetBkMode(dc, TRANSPARENT);
      DrawTextA(dc, "Pilot test form: press a button.", -1, &text, DT_LEFT | DT_WORDBREAK);
      for (size_t i = 0; i < form->buttons.size(); ++i) {
        RECT r = form->buttons[i];
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
        DrawTextA(dc, form->captions[i].c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      }
      EndPaint(w, &ps);
      return 0;
    }
    case WM_KEYDOWN:
      if (wp == VK_RETURN) Finish(w, 1);
      else if (wp == VK_ESCAPE) Finish(w, 9);
      return 0;
    case WM_CHAR: {
      int c = std::toupper(static_cast<unsigned char>(wp));
      for (size_t i = 0; i < form->captions.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(form->captions[i][0])) == c) {
          Finish(w, static_cast<int>(i) + 1);
          break;
        }
      return 0;
    }
    case WM_LBUTTONDOWN:
      form->pressed = ButtonAt(LOWORD(lp), HIWORD(lp));
      SetCapture(w);
      return 0;
    case WM_LBUTTONUP: {
      ReleaseCapture();
      int b = ButtonAt(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
      if (b && b == form->pressed) Finish(w, b);
      form->pressed = 0;
      return 0;
    }
    case WM_CLOSE: Finish(w, 8); return 0;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

std::vector<std::string> Split(const std::string& s) {
  std::vector<std::string> out;
  size_t start = 0;
  for (;;) {
    size_t comma = s.find(',', start);
    std::string item = s.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (!item.empty()) out.push_back(item);
    if (comma == std::string::npos) return out;
    start = comma + 1;
  }
}

int RunForm(const std::string& title, const std::string& captions, int times) {
  Form f;
  form = &f;
  f.captions = Split(captions);
  int x = 20, y = kLabelBottom + 15;
  for (size_t i = 0; i < f.captions.size(); ++i) {
    if (i && i % 3 == 0) x = 20, y += 30;
    f.buttons.push_back({x, y, x + 135, y + 27});
    x += 140;
  }
  WNDCLASSA wc{};
  wc.lpfnWndProc = FormProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = kFormClass;
  RegisterClassA(&wc);
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT r{0, 0, 481, y + 37};
  AdjustWindowRectEx(&r, style, FALSE, WS_EX_TOPMOST);
  HWND w = CreateWindowExA(WS_EX_TOPMOST, kFormClass, title.c_str(), style, 200, 106, r.right - r.left,
                           r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
  int code = 0;
  for (int i = 0; i < times; ++i) {
    if (i) Sleep(400);
    f.done = false;
    f.answer = 0;
    ShowWindow(w, SW_SHOW);
    SetForegroundWindow(w);
    MSG m;
    while (!f.done && GetMessageA(&m, nullptr, 0, 0) > 0) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    code = code * 10 + f.answer;
  }
  DestroyWindow(w);
  return code;
}

LRESULT CALLBACK HangProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CLOSE) return 0;
  return DefWindowProcA(w, msg, wp, lp);
}

int RunHang(const std::string& title) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = HangProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "PilotTestHang";
  RegisterClassA(&wc);
  HWND w = CreateWindowExA(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                           nullptr, nullptr, wc.hInstance, nullptr);
  CreateWindowExA(0, "STATIC", "This window does not close.", WS_CHILD | WS_VISIBLE, 10, 10, 260, 20, w, nullptr,
                  nullptr, nullptr);
  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
  return 0;
}

int RunFlash(const std::string& title, int ms, bool blank) {
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE | (blank ? SS_BLACKRECT : 0);
  HWND w = CreateWindowExA(0, "STATIC", title.c_str(), style, 100, 100, 300, 200, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  const ULONGLONG end = GetTickCount64() + ms;
  MSG m;
  while (GetTickCount64() < end) {
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    Sleep(5);
  }
  DestroyWindow(w);
  return 0;
}

// The raw text after the first `skip` arguments of the command line.
const char* Tail(const char* p, int skip) {
  for (int i = 0; i < skip; ++i) {
    while (*p == ' ' || *p == '\t') ++p;
    bool quoted = false;
    while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
      if (*p == '"') quoted = !quoted;
      ++p;
    }
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "box" && argc == 4) {
    int r = MessageBoxA(nullptr, argv[3], argv[2], MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND);
    return r;
  }
  if (mode == "form" && (argc == 4 || argc == 5)) return RunForm(argv[2], argv[3], argc == 5 ? std::atoi(argv[4]) : 1);
  if (mode == "child" && argc >= 3) {
    std::string cmd = Tail(GetCommandLineA(), 2);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
    win32::UniqueHandle thread(pi.hThread), process(pi.hProcess);
    return 0;
  }
  if (mode == "hang" && argc == 3) return RunHang(argv[2]);
  if (mode == "flash" && (argc == 4 || (argc == 5 && std::string(argv[4]) == "blank")))
    return RunFlash(argv[2], std::atoi(argv[3]), argc == 5);
  if (mode == "exit" && argc == 3) return std::atoi(argv[2]);
  return 99;
}
