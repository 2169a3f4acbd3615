#include "CommandLine.h"

#include "platform/win32/Handles.h"
#include "platform/win32/Windows.h"

namespace pilot {

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

std::string DosPath(const std::string& p) {
  if (p.empty() || p[0] != '/') return p;
  using ToDos = LPWSTR(CDECL*)(LPCSTR);
  auto toDos = reinterpret_cast<ToDos>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
  if (toDos) {
    win32::HeapMemory<WCHAR> w(toDos(p.c_str()));
    if (w.Get()) {
      int n = WideCharToMultiByte(CP_ACP, 0, w.Get(), -1, nullptr, 0, nullptr, nullptr);
      std::string out(n > 0 ? n - 1 : 0, '\0');
      WideCharToMultiByte(CP_ACP, 0, w.Get(), -1, out.data(), n, nullptr, nullptr);
      return out;
    }
  }
  std::string out = "Z:" + p;
  for (auto& c : out)
    if (c == '/') c = '\\';
  return out;
}

std::string DosCommandLine(const std::string& cmd) {
  auto args = SplitCommandLine(cmd);
  if (args.empty() || args[0].value.empty() || args[0].value[0] != '/') return cmd;
  return "\"" + DosPath(args[0].value) + "\"" + cmd.substr(args[0].end);
}

}  // namespace pilot
