#include "controls/Accelerators.h"

char UpCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

ShownCaption ShowCaption(std::string_view caption) {
  ShownCaption r;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      r.Text.push_back(caption[i]);
      continue;
    }
    if (i + 1 >= caption.size()) break;  // a trailing "&" marks nothing
    if (caption[i + 1] == '&') {
      r.Text.push_back('&');
      ++i;
      continue;
    }
    r.Underline = static_cast<int>(r.Text.size());  // the last single "&" wins
  }
  return r;
}

char AccelChar(std::string_view caption) {
  ShownCaption s = ShowCaption(caption);
  return s.Underline < 0 ? 0 : s.Text[static_cast<size_t>(s.Underline)];
}
