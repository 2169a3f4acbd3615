#pragma once
// The pilot's log: one line per event on standard output and, when asked,
// in a file too. Lines may come from several threads; each is written whole.

#include <cstdio>
#include <mutex>
#include <string>

namespace pilot {

class Log {
public:
  Log() = default;
  Log(const Log&) = delete;
  Log& operator=(const Log&) = delete;
  ~Log();

  // Also writes every line to the file at `path` (made anew); false when it
  // cannot be opened.
  bool Open(const std::string& path);

  // Writes one line, given in the ANSI code page, in UTF-8, and flushes it
  // at once so that a reader sees it while the run goes on.
  void Line(const std::string& ansi);

  // Writes lines given in UTF-8 ("\n" between them, none after the last)
  // as Line does, with no other thread's line between them.
  void Lines(const std::string& utf8);

private:
  std::mutex mutex_;
  std::FILE* file_ = nullptr;
};

}  // namespace pilot
