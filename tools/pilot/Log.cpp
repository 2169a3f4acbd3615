#include "Log.h"

#include "platform/win32/Windows.h"

#include "Text.h"

namespace pilot {

Log::~Log() {
  if (file_) std::fclose(file_);
}

bool Log::Open(const std::string& path) {
  file_ = std::fopen(path.c_str(), "wb");
  return file_ != nullptr;
}

void Log::Line(const std::string& ansi) { Lines(Convert(ansi, CP_ACP, CP_UTF8)); }

void Log::Lines(const std::string& utf8) {
  const std::string s = utf8 + "\n";
  std::lock_guard<std::mutex> hold(mutex_);
  std::fwrite(s.data(), 1, s.size(), stdout);
  std::fflush(stdout);
  if (file_) {
    std::fwrite(s.data(), 1, s.size(), file_);
    std::fflush(file_);
  }
}

}  // namespace pilot
