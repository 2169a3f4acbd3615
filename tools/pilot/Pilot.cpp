// pilot: starts a Windows program, watches the top-level windows of its
// process tree, logs and photographs each one, and answers them from a
// script the way a person at the keyboard would. README.md has the command
// line, the script language, the log lines and the exit codes.

#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Capture.h"
#include "Handles.h"
#include "Input.h"
#include "Script.h"

namespace pilot {
namespace {

// The pilot's own failures, kept apart from the program's exit codes.
constexpr int kUsageError = 100;    // bad command line or script
constexpr int kStartError = 101;    // the program could not be started
constexpr int kTimeout = 102;       // the run did not end in time; every process was killed
constexpr int kActionFailed = 103;  // an action or a screenshot failed; the run went on

constexpr DWORD kPollMs = 50;

std::string Convert(const std::string& s, UINT from, UINT to, DWORD flags = 0) {
  if (s.empty()) return s;
  int n = MultiByteToWideChar(from, flags, s.data(), static_cast<int>(s.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring w(n, L'\0');
  MultiByteToWideChar(from, flags, s.data(), static_cast<int>(s.size()), w.data(), n);
  int m = WideCharToMultiByte(to, 0, w.data(), n, nullptr, 0, nullptr, nullptr);
  std::string out(m, '\0');
  WideCharToMultiByte(to, 0, w.data(), n, out.data(), m, nullptr, nullptr);
  return out;
}

// Script files are written in UTF-8 or in the ANSI code page; titles are ANSI.
std::string ScriptToAnsi(const std::string& bytes) {
  std::string s = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? bytes.substr(3) : bytes;
  bool ascii = true;
  for (char c : s) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return s;
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, s.data(), static_cast<int>(s.size()),
                          nullptr, 0) <= 0)
    return s;
  return Convert(s, CP_UTF8, CP_ACP, MB_ERR_INVALID_CHARS);
}

// A path given in the host's form (/tmp/x) becomes the Windows path of the
// same file, so tests can pass build paths unchanged.
std::string DosPath(const std::string& p) {
  if (p.empty() || p[0] != '/') return p;
  using ToDos = LPWSTR(CDECL*)(LPCSTR);
  auto toDos = reinterpret_cast<ToDos>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
  if (toDos) {
    HeapString w(toDos(p.c_str()));
    if (w.get()) {
      int n = WideCharToMultiByte(CP_ACP, 0, w.get(), -1, nullptr, 0, nullptr, nullptr);
      std::string out(n > 0 ? n - 1 : 0, '\0');
      WideCharToMultiByte(CP_ACP, 0, w.get(), -1, out.data(), n, nullptr, nullptr);
      return out;
    }
  }
  std::string out = "Z:" + p;
  for (auto& c : out)
    if (c == '/') c = '\\';
  return out;
}

struct Arg {
  std::string value;
  size_t begin = 0;
  size_t end = 0;
};

// The C run-time's splitting of a command line (quotes, backslashes before
// quotes), keeping where each argument lies so a tail can be passed on as is.
std::vector<Arg> SplitCommandLine(const std::string& s) {
  std::vector<Arg> out;
  size_t i = 0;
  const size_t n = s.size();
  while (true) {
    while (i < n && (s[i] == ' ' || s[i] == '\t')) ++i;
    if (i >= n) break;
    Arg a;
    a.begin = i;
    bool quoted = false;
    while (i < n && (quoted || (s[i] != ' ' && s[i] != '\t'))) {
      if (s[i] == '\\') {
        size_t k = 0;
        while (i < n && s[i] == '\\') ++k, ++i;
        if (i < n && s[i] == '"') {
          a.value.append(k / 2, '\\');
          if (k % 2) a.value += '"', ++i;
        } else {
          a.value.append(k, '\\');
        }
      } else if (s[i] == '"') {
        if (quoted && i + 1 < n && s[i + 1] == '"') {
          a.value += '"';
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        a.value += s[i++];
      }
    }
    a.end = i;
    out.push_back(a);
  }
  return out;
}

// The program of a command line in Windows form, the rest untouched.
std::string DosCommandLine(const std::string& cmd) {
  auto args = SplitCommandLine(cmd);
  if (args.empty() || args[0].value.empty() || args[0].value[0] != '/') return cmd;
  return "\"" + DosPath(args[0].value) + "\"" + cmd.substr(args[0].end);
}

class Log {
public:
  bool Open(const std::string& path) {
    file_ = std::fopen(path.c_str(), "wb");
    return file_ != nullptr;
  }
  ~Log() {
    if (file_) std::fclose(file_);
  }
  // One line, given in the ANSI code page, written in UTF-8.
  void Line(const std::string& ansi) {
    std::string s = Convert(ansi, CP_ACP, CP_UTF8) + "\n";
    std::fwrite(s.data(), 1, s.size(), stdout);
    std::fflush(stdout);
    if (file_) {
      std::fwrite(s.data(), 1, s.size(), file_);
      std::fflush(file_);
    }
  }

private:
  std::FILE* file_ = nullptr;
};

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

// Control texts on one line: line breaks written as \r and \n.
std::string OneLine(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else out += c;
  }
  return out;
}

std::string WindowTitle(HWND w) {
  char buf[512];
  int n = GetWindowTextA(w, buf, sizeof buf);
  return std::string(buf, n > 0 ? n : 0);
}

// The text of a control of another process: WM_GETTEXT is marshalled across
// processes; the timeout keeps a busy target from stopping the pilot.
std::string ControlText(HWND w) {
  DWORD_PTR len = 0;
  if (!SendMessageTimeoutA(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &len)) return {};
  std::string buf(len + 1, '\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutA(w, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()),
                           SMTO_ABORTIFHUNG, 2000, &got))
    return {};
  buf.resize(got);
  return buf;
}

// The file name of a process's program, or "?" when the system does not tell.
std::string ExeName(HANDLE process) {
  char path[MAX_PATH];
  DWORD n = sizeof path;
  if (!QueryFullProcessImageNameA(process, 0, path, &n)) return "?";
  std::string full(path, n);
  size_t slash = full.find_last_of("\\/");
  return slash == std::string::npos ? full : full.substr(slash + 1);
}

BOOL CALLBACK Collect(HWND w, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
  return TRUE;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> out;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&out));
  return out;
}

std::vector<HWND> ChildWindows(HWND w) {
  std::vector<HWND> out;
  EnumChildWindows(w, Collect, reinterpret_cast<LPARAM>(&out));
  return out;
}

SIZE ClientSize(HWND w) {
  RECT r{};
  GetClientRect(w, &r);
  return {r.right - r.left, r.bottom - r.top};
}

// A file name from a title: ASCII letters, digits, "." and "-" kept, accented
// letters of code page 1252 without their accent, runs of anything else "_".
std::string Sanitize(const std::string& title) {
  static const char* const kFold =
      "AAAAAAACEEEEIIIIDNOOOOO_OUUUUYTsaaaaaaaceeeeiiiidnooooo_ouuuuyty";
  std::string out;
  for (char ch : title) {
    unsigned char c = static_cast<unsigned char>(ch);
    char k = 0;
    if (std::isalnum(c) && c < 0x80) k = static_cast<char>(c);
    else if (c == '.' || c == '-') k = static_cast<char>(c);
    else if (c >= 0xC0 && std::isalpha(static_cast<unsigned char>(kFold[c - 0xC0]))) k = kFold[c - 0xC0];
    if (k) out += k;
    else if (!out.empty() && out.back() != '_') out += '_';
  }
  while (!out.empty() && out.back() == '_') out.pop_back();
  if (out.size() > 60) out.resize(60);
  return out.empty() ? "window" : out;
}

bool MakeFolders(const std::string& path) {
  for (size_t i = 1; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '\\' || path[i] == '/') {
      std::string part = path.substr(0, i);
      if (!CreateDirectoryA(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        if (i == path.size()) return false;
    }
  }
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

struct Options {
  std::string log;
  std::string shots;
  std::string scriptFile;
  std::vector<std::string> lines;
  bool answerFirst = false;
  std::string cwd;
  int timeout = 120;
  int settle = 300;
  InputMethod input = InputMethod::Send;
  CaptureMethod capture = CaptureMethod::Screen;
  bool waitAll = false;
  bool killRest = false;
  std::string command;
};

constexpr char kUsage[] =
    "usage: pilot [--log FILE] [--shots DIR] [--timeout SECONDS] [--settle MS]\n"
    "             [--script FILE] [--do LINE]... [--answer-first] [--cwd DIR]\n"
    "             [--input send|post] [--capture screen|window|print]\n"
    "             [--wait-all] [--kill-rest] -- PROGRAM ARGS...\n";

// Reads the options from the raw command line; the text after "--" is the
// program's command line, kept exactly as written.
bool ParseOptions(const std::string& cmd, Options& o, std::string& error) {
  auto args = SplitCommandLine(cmd);
  size_t i = 1;
  auto value = [&](std::string& out) {
    if (i + 1 >= args.size()) {
      error = args[i].value + " needs a value";
      return false;
    }
    out = args[++i].value;
    return true;
  };
  auto number = [&](int& out) {
    std::string v;
    if (!value(v)) return false;
    char* end = nullptr;
    long n = std::strtol(v.c_str(), &end, 10);
    if (v.empty() || *end || n < 0 || n > 86400000) {
      error = "bad number \"" + v + "\" for " + args[i - 1].value;
      return false;
    }
    out = static_cast<int>(n);
    return true;
  };
  for (; i < args.size(); ++i) {
    const std::string& a = args[i].value;
    std::string v;
    if (a == "--") {
      if (i + 1 >= args.size()) {
        error = "no program after --";
        return false;
      }
      o.command = DosCommandLine(cmd.substr(args[i + 1].begin));
      return true;
    } else if (a == "--log") {
      if (!value(v)) return false;
      o.log = DosPath(v);
    } else if (a == "--shots") {
      if (!value(v)) return false;
      o.shots = DosPath(v);
    } else if (a == "--script") {
      if (!value(v)) return false;
      o.scriptFile = DosPath(v);
    } else if (a == "--cwd") {
      if (!value(v)) return false;
      o.cwd = DosPath(v);
    } else if (a == "--do") {
      if (!value(v)) return false;
      o.lines.push_back(v);
    } else if (a == "--timeout") {
      if (!number(o.timeout)) return false;
    } else if (a == "--settle") {
      if (!number(o.settle)) return false;
    } else if (a == "--answer-first") {
      o.answerFirst = true;
    } else if (a == "--wait-all") {
      o.waitAll = true;
    } else if (a == "--kill-rest") {
      o.killRest = true;
    } else if (a == "--input") {
      if (!value(v)) return false;
      if (v == "send") o.input = InputMethod::Send;
      else if (v == "post") o.input = InputMethod::Post;
      else return error = "--input takes send or post", false;
    } else if (a == "--capture") {
      if (!value(v)) return false;
      if (v == "screen") o.capture = CaptureMethod::Screen;
      else if (v == "window") o.capture = CaptureMethod::Window;
      else if (v == "print") o.capture = CaptureMethod::Print;
      else return error = "--capture takes screen, window or print", false;
    } else {
      error = "unknown option " + a;
      return false;
    }
  }
  error = "no -- PROGRAM";
  return false;
}

struct Process {
  DWORD pid = 0;
  DWORD parent = 0;     // 0 for the processes the pilot started itself
  bool logged = false;  // a child's "process" line is written
  Handle handle;
  bool ended = false;
  DWORD code = 0;
};

class Deadline {
public:
  explicit Deadline(int seconds) : end_(GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000) {}
  bool Passed() const { return GetTickCount64() >= end_; }
  DWORD Left() const {
    ULONGLONG now = GetTickCount64();
    return now >= end_ ? 0 : static_cast<DWORD>(end_ - now);
  }

private:
  ULONGLONG end_;
};

class Pilot {
public:
  Pilot(const Options& o, Script& s, Log& log) : o_(o), script_(s), log_(log), deadline_(o.timeout) {}

  int Run() {
    for (const auto& a : script_.before) Do(nullptr, "", a);
    if (deadline_.Passed()) return TimedOut();

    Process* main = Start(o_.command, "start");
    if (!main) return kStartError;

    for (;;) {
      Discover();
      Reap();
      Watch();
      if (main->ended && ExpectsMet() && (!o_.waitAll || AllEnded())) break;
      if (deadline_.Passed()) return TimedOut();
      Sleep(kPollMs);
    }
    if (o_.killRest) KillAll("killed");
    log_.Line("exit " + std::to_string(main->code));
    if (failed_) {
      std::fprintf(stderr, "pilot: an action failed (see the log)\n");
      return kActionFailed;
    }
    return static_cast<int>(main->code);
  }

private:
  struct Seen {
    std::string title;
  };

  Process* Start(const std::string& command, const char* verb) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = DosCommandLine(command);
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        o_.cwd.empty() ? nullptr : o_.cwd.c_str(), &si, &pi)) {
      DWORD e = GetLastError();
      log_.Line(std::string("error cannot start ") + Quote(cmd) + " (system error " + std::to_string(e) + ")");
      std::fprintf(stderr, "pilot: cannot start %s (system error %lu)\n", cmd.c_str(), e);
      return nullptr;
    }
    Handle thread(pi.hThread);
    auto p = std::make_unique<Process>();
    p->pid = pi.dwProcessId;
    p->handle = Handle(pi.hProcess);
    log_.Line(std::string(verb) + " " + std::to_string(p->pid) + " " + Quote(cmd));
    processes_.push_back(std::move(p));
    return processes_.back().get();
  }

  bool Tracked(DWORD pid) const {
    for (const auto& p : processes_)
      if (p->pid == pid) return true;
    return false;
  }

  Process* Find(DWORD pid) {
    for (auto& p : processes_)
      if (p->pid == pid) return p.get();
    return nullptr;
  }

  // Children of tracked processes are tracked too (the program may start
  // another one, as the installer starts the application at its end). A
  // process is logged once its name shows, which takes a moment after its
  // creation, or when it ends.
  void Discover() {
    Handle snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (snap.get() == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32 e{};
    e.dwSize = sizeof e;
    for (BOOL ok = Process32First(snap.get(), &e); ok; ok = Process32Next(snap.get(), &e)) {
      if (e.th32ProcessID == GetCurrentProcessId()) continue;
      Process* p = Find(e.th32ProcessID);
      if (!p) {
        if (!Tracked(e.th32ParentProcessID)) continue;
        HANDLE h = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE,
                               FALSE, e.th32ProcessID);
        if (!h) continue;
        auto fresh = std::make_unique<Process>();
        fresh->pid = e.th32ProcessID;
        fresh->parent = e.th32ParentProcessID;
        fresh->handle = Handle(h);
        processes_.push_back(std::move(fresh));
        p = processes_.back().get();
      }
      if (p->parent && !p->logged && *e.szExeFile) LogChild(*p, e.szExeFile);
    }
  }

  void LogChild(Process& p, const std::string& name) {
    p.logged = true;
    log_.Line("process " + std::to_string(p.pid) + " " + Quote(name) + " parent " + std::to_string(p.parent));
  }

  void Reap() {
    for (auto& p : processes_) {
      if (p->ended || WaitForSingleObject(p->handle.get(), 0) != WAIT_OBJECT_0) continue;
      p->ended = true;
      GetExitCodeProcess(p->handle.get(), &p->code);
      if (p->parent && !p->logged) LogChild(*p, ExeName(p->handle.get()));
      log_.Line("ended " + std::to_string(p->pid) + " code " + std::to_string(p->code));
    }
  }

  bool AllEnded() const {
    for (const auto& p : processes_)
      if (!p->ended) return false;
    return true;
  }

  bool ExpectsMet() const {
    for (const auto& e : script_.expects)
      if (!seenTitles_.count(e)) return false;
    return true;
  }

  // Visible top-level windows with an area, of the tracked processes or of
  // every process but the pilot.
  std::vector<HWND> TopWindows(bool trackedOnly) {
    std::vector<HWND> out;
    for (HWND w : TopLevelWindows()) {
      if (!IsWindowVisible(w)) continue;
      RECT r;
      if (!GetWindowRect(w, &r) || r.right <= r.left || r.bottom <= r.top) continue;
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      if (pid == GetCurrentProcessId() || (trackedOnly && !Tracked(pid))) continue;
      out.push_back(w);
    }
    return out;
  }

  void Watch() {
    std::vector<HWND> now = TopWindows(true);
    for (HWND w : now) {
      auto it = seen_.find(w);
      if (it == seen_.end() || it->second.title != WindowTitle(w)) Appear(w);
    }
    for (auto it = seen_.begin(); it != seen_.end();) {
      bool still = false;
      for (HWND w : now) still = still || w == it->first;
      if (still) {
        ++it;
        continue;
      }
      log_.Line("gone " + Quote(it->second.title));
      it = seen_.erase(it);
    }
  }

  // A window shown (or retitled) is logged at once, so that one that shows
  // only for a moment is still seen; it is photographed and answered after
  // it had time to paint.
  void Appear(HWND w) {
    const std::string title = WindowTitle(w);
    seen_[w].title = title;
    SIZE c = ClientSize(w);
    log_.Line("window " + Quote(title) + " " + std::to_string(c.cx) + "x" + std::to_string(c.cy));
    for (const auto& e : script_.expects)
      if (MatchTitle(e, title)) seenTitles_.insert(e);
    Sleep(std::min<DWORD>(o_.settle, deadline_.Left()));
    if (!IsWindow(w) || !IsWindowVisible(w) || WindowTitle(w) != title) return;
    if (!o_.shots.empty()) Shot(w);
    Rule* r = FindRule(script_, title);
    if (!r) return;
    for (const auto& a : r->actions) {
      log_.Line("answer " + Quote(title) + " " + a.source);
      Do(w, title, a);
    }
  }

  void Fail(const std::string& title, const Action& a, const std::string& why) {
    failed_ = true;
    log_.Line("error " + Quote(title) + " " + a.source + ": " + why);
    std::fprintf(stderr, "pilot: %s: %s\n", a.source.c_str(), why.c_str());
  }

  void Shot(HWND w) {
    char name[16];
    std::snprintf(name, sizeof name, "%02d-", ++shots_);
    std::string file = name + Sanitize(WindowTitle(w)) + ".png";
    Focus(w);
    ShotResult r = SaveShot(w, o_.capture, o_.shots + "\\" + file);
    if (!r.ok) {
      failed_ = true;
      log_.Line("error shot " + Quote(file) + ": " + r.error);
      return;
    }
    log_.Line("shot " + Quote(file) + " " + std::to_string(r.width) + "x" + std::to_string(r.height) +
              (r.blank ? " blank" : ""));
  }

  void Texts(HWND w, const std::string& title) {
    for (HWND c : ChildWindows(w)) {
      char cls[64] = "";
      GetClassNameA(c, cls, sizeof cls);
      log_.Line("text " + Quote(title) + " " + std::to_string(GetDlgCtrlID(c)) + " " + cls + " " +
                Quote(OneLine(ControlText(c))));
    }
  }

  // The child control whose caption (with or without its "&") matches.
  static HWND FindControl(HWND w, const std::string& pattern) {
    for (HWND c : ChildWindows(w)) {
      if (!IsWindowVisible(c)) continue;
      std::string t = ControlText(c), plain;
      for (char ch : t)
        if (ch != '&') plain += ch;
      if (MatchTitle(pattern, t) || MatchTitle(pattern, plain)) return c;
    }
    return nullptr;
  }

  void Do(HWND w, const std::string& title, const Action& a) {
    std::string error;
    const bool needsWindow = a.verb == Verb::Key || a.verb == Verb::Char || a.verb == Verb::ClickPoint ||
                             a.verb == Verb::ClickButton || a.verb == Verb::ClickControl ||
                             a.verb == Verb::Close || a.verb == Verb::Shot || a.verb == Verb::Texts;
    if (needsWindow && !w) return Fail(title, a, "no window to act on before the program starts");
    if (needsWindow && !IsWindow(w)) return Fail(title, a, "the window is gone");
    switch (a.verb) {
      case Verb::Key:
        if (!PressKey(w, o_.input, a.vk, a.mods, error)) Fail(title, a, error);
        break;
      case Verb::Char:
        if (!TypeChars(w, o_.input, a.text, error)) Fail(title, a, error);
        break;
      case Verb::ClickPoint:
        if (!ClickAt(w, o_.input, a.x, a.y, error)) Fail(title, a, error);
        break;
      case Verb::ClickButton: {
        int x = 0, y = 0;
        ButtonCentre(a.button, a.buttons, ClientSize(w).cy, x, y);
        if (!ClickAt(w, o_.input, x, y, error)) Fail(title, a, error);
        break;
      }
      case Verb::ClickControl: {
        HWND c = FindControl(w, a.text);
        if (!c) return Fail(title, a, "no control " + Quote(a.text));
        RECT r;
        GetWindowRect(c, &r);
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ScreenToClient(w, &p);
        if (!ClickAt(w, o_.input, p.x, p.y, error)) Fail(title, a, error);
        break;
      }
      case Verb::Close:
        if (!PostMessageA(w, WM_CLOSE, 0, 0)) Fail(title, a, "PostMessage failed");
        break;
      case Verb::CloseOther: {
        int closed = 0;
        for (HWND o : TopWindows(false)) {
          std::string t = WindowTitle(o);
          if (o == w || !MatchTitle(a.text, t)) continue;
          PostMessageA(o, WM_CLOSE, 0, 0);
          log_.Line("closed " + Quote(t));
          ++closed;
        }
        if (!closed) Fail(title, a, "no window titled " + Quote(a.text));
        break;
      }
      case Verb::Shot:
        if (o_.shots.empty()) return Fail(title, a, "no --shots folder");
        Shot(w);
        break;
      case Verb::Texts:
        Texts(w, title);
        break;
      case Verb::Sleep:
        Sleep(std::min<DWORD>(a.ms, deadline_.Left()));
        break;
      case Verb::Run:
        if (!Start(a.text, "run")) Fail(title, a, "cannot start");
        break;
      case Verb::WaitWindow:
        for (;;) {
          bool found = false;
          for (HWND o : TopWindows(false)) found = found || MatchTitle(a.text, WindowTitle(o));
          if (found) break;
          if (deadline_.Passed()) return Fail(title, a, "no such window in time");
          Sleep(kPollMs);
        }
        break;
    }
  }

  void KillAll(const char* verb) {
    for (auto& p : processes_) {
      if (p->ended || WaitForSingleObject(p->handle.get(), 0) == WAIT_OBJECT_0) continue;
      TerminateProcess(p->handle.get(), 1);
      WaitForSingleObject(p->handle.get(), 5000);
      p->ended = true;
      log_.Line(std::string(verb) + " " + std::to_string(p->pid));
    }
  }

  int TimedOut() {
    log_.Line("timeout after " + std::to_string(o_.timeout) + " s");
    for (const auto& e : script_.expects)
      if (!seenTitles_.count(e)) log_.Line("missing " + Quote(e));
    KillAll("killed");
    std::fprintf(stderr, "pilot: timeout after %d s; every process it started was killed\n", o_.timeout);
    return kTimeout;
  }

  const Options& o_;
  Script& script_;
  Log& log_;
  Deadline deadline_;
  std::vector<std::unique_ptr<Process>> processes_;
  std::map<HWND, Seen> seen_;
  std::set<std::string> seenTitles_;
  int shots_ = 0;
  bool failed_ = false;
};

int Main() {
  _setmode(_fileno(stdout), _O_BINARY);
  Options o;
  std::string error;
  if (!ParseOptions(GetCommandLineA(), o, error)) {
    std::fprintf(stderr, "pilot: %s\n%s", error.c_str(), kUsage);
    return kUsageError;
  }
  Script script;
  try {
    if (!o.scriptFile.empty()) {
      std::ifstream in(o.scriptFile, std::ios::binary);
      if (!in) {
        std::fprintf(stderr, "pilot: cannot read %s\n", o.scriptFile.c_str());
        return kUsageError;
      }
      std::stringstream text;
      text << in.rdbuf();
      script = ParseScript(ScriptToAnsi(text.str()), o.scriptFile);
    }
    for (size_t i = 0; i < o.lines.size(); ++i)
      ParseLine(script, o.lines[i], "--do " + std::to_string(i + 1));
    if (o.answerFirst) ParseLine(script, "when \"*\" key Enter", "--answer-first");
  } catch (const ScriptError& e) {
    std::fprintf(stderr, "pilot: %s\n", e.what());
    return kUsageError;
  }
  Log log;
  if (!o.log.empty() && !log.Open(o.log)) {
    std::fprintf(stderr, "pilot: cannot write %s\n", o.log.c_str());
    return kUsageError;
  }
  if (!o.shots.empty() && !MakeFolders(o.shots)) {
    std::fprintf(stderr, "pilot: cannot make %s\n", o.shots.c_str());
    return kUsageError;
  }
  return Pilot(o, script, log).Run();
}

}  // namespace
}  // namespace pilot

int main() { return pilot::Main(); }
