#include "Text.h"

#include <cctype>

namespace pilot {

std::string Convert(const std::string& s, UINT from, UINT to, DWORD flags) {
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

std::string ScriptToAnsi(const std::string& bytes) {
  std::string s = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? bytes.substr(3) : bytes;
  bool ascii = true;
  for (char c : s) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return s;
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, s.data(), static_cast<int>(s.size()), nullptr, 0) <= 0)
    return s;
  return Convert(s, CP_UTF8, CP_ACP, MB_ERR_INVALID_CHARS);
}

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

std::string OneLine(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else out += c;
  }
  return out;
}

std::string Sanitize(const std::string& title) {
  static const char* const kFold = "AAAAAAACEEEEIIIIDNOOOOO_OUUUUYTsaaaaaaaceeeeiiiidnooooo_ouuuuyty";
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

}  // namespace pilot
