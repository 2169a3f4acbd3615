#include "Processes.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "CommandLine.h"
#include "Text.h"

namespace pilot {
namespace {

// The file name of a process's program, or "?" when the system does not tell.
std::string ExeName(HANDLE process) {
  char path[MAX_PATH];
  DWORD n = sizeof path;
  if (!QueryFullProcessImageNameA(process, 0, path, &n)) return "?";
  std::string full(path, n);
  size_t slash = full.find_last_of("\\/");
  return slash == std::string::npos ? full : full.substr(slash + 1);
}

}  // namespace

ProcessTree::ProcessTree(Log& log, std::string cwd) : log_(log), cwd_(std::move(cwd)) {}

Process* ProcessTree::Start(const std::string& command, const char* verb) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string cmd = DosCommandLine(command);
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, cwd_.empty() ? nullptr : cwd_.c_str(),
                      &si, &pi)) {
    DWORD e = GetLastError();
    log_.Line(std::string("error cannot start ") + Quote(cmd) + " (system error " + std::to_string(e) + ")");
    std::fprintf(stderr, "pilot: cannot start %s (system error %lu)\n", cmd.c_str(), e);
    return nullptr;
  }
  win32::UniqueHandle thread(pi.hThread);
  auto p = std::make_unique<Process>();
  p->pid = pi.dwProcessId;
  p->handle = win32::UniqueHandle(pi.hProcess);
  log_.Line(std::string(verb) + " " + std::to_string(p->pid) + " " + Quote(cmd));
  processes_.push_back(std::move(p));
  return processes_.back().get();
}

Process* ProcessTree::StartProgram(const std::string& command) {
  // Under Wine the first process that needs the desktop window starts the
  // desktop's process as its own child: the caller takes that part, so that
  // the program's tree holds only what the program starts.
  GetDesktopWindow();
  // What the program has the desktop shell start is the program's too.
  // Wine's desktop process is its shell, though it names no shell window.
  DWORD shell = 0;
  HWND w = GetShellWindow();
  GetWindowThreadProcessId(w ? w : GetDesktopWindow(), &shell);
  if (shell != 0) FollowShell(shell);
  return Start(command, "start");
}

bool ProcessTree::Tracked(DWORD pid) const {
  for (const auto& p : processes_)
    if (p->pid == pid) return true;
  return false;
}

std::vector<DWORD> ProcessTree::Pids() const {
  std::vector<DWORD> out;
  for (const auto& p : processes_) out.push_back(p->pid);
  return out;
}

Process* ProcessTree::Find(DWORD pid) {
  for (auto& p : processes_)
    if (p->pid == pid) return p.get();
  return nullptr;
}

void ProcessTree::FollowShell(DWORD shell) {
  shell_ = shell;
  win32::UniqueHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snap.Valid()) return;
  PROCESSENTRY32 e{};
  e.dwSize = sizeof e;
  for (BOOL ok = Process32First(snap.Get(), &e); ok; ok = Process32Next(snap.Get(), &e))
    if (e.th32ParentProcessID == shell) shellBefore_.push_back(e.th32ProcessID);
}

void ProcessTree::Discover() {
  win32::UniqueHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snap.Valid()) return;
  PROCESSENTRY32 e{};
  e.dwSize = sizeof e;
  for (BOOL ok = Process32First(snap.Get(), &e); ok; ok = Process32Next(snap.Get(), &e)) {
    if (e.th32ProcessID == GetCurrentProcessId()) continue;
    Process* p = Find(e.th32ProcessID);
    if (!p) {
      const bool ofShell = shell_ != 0 && e.th32ParentProcessID == shell_ &&
                           std::find(shellBefore_.begin(), shellBefore_.end(), e.th32ProcessID) == shellBefore_.end();
      if (!ofShell && !Tracked(e.th32ParentProcessID)) continue;
      HANDLE h = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE,
                             e.th32ProcessID);
      if (!h) continue;
      auto fresh = std::make_unique<Process>();
      fresh->pid = e.th32ProcessID;
      fresh->parent = e.th32ParentProcessID;
      fresh->handle = win32::UniqueHandle(h);
      processes_.push_back(std::move(fresh));
      p = processes_.back().get();
    }
    if (p->parent && !p->logged && *e.szExeFile) LogChild(*p, e.szExeFile);
  }
}

void ProcessTree::LogChild(Process& p, const std::string& name) {
  p.logged = true;
  log_.Line("process " + std::to_string(p.pid) + " " + Quote(name) + " parent " + std::to_string(p.parent));
}

void ProcessTree::Reap() {
  for (auto& p : processes_) {
    if (p->ended || WaitForSingleObject(p->handle.Get(), 0) != WAIT_OBJECT_0) continue;
    p->ended = true;
    GetExitCodeProcess(p->handle.Get(), &p->code);
    if (p->parent && !p->logged) LogChild(*p, ExeName(p->handle.Get()));
    log_.Line("ended " + std::to_string(p->pid) + " code " + std::to_string(p->code));
  }
}

bool ProcessTree::AllEnded() const {
  for (const auto& p : processes_)
    if (!p->ended) return false;
  return true;
}

void ProcessTree::KillAll(const char* verb) {
  for (auto& p : processes_) {
    if (p->ended || WaitForSingleObject(p->handle.Get(), 0) == WAIT_OBJECT_0) continue;
    TerminateProcess(p->handle.Get(), 1);
    WaitForSingleObject(p->handle.Get(), 5000);
    p->ended = true;
    log_.Line(std::string(verb) + " " + std::to_string(p->pid));
  }
}

}  // namespace pilot
