// waitbench [SECONDS]: what the running-instance wait costs while it waits.
// Holds "c:\Brannoch\Brannoch.EXE" open without sharing (as a running
// program holds its executable), runs AttendFermeture with the Win32
// services and the real waiting window, releases the file after SECONDS
// (default 5), and prints the attempts made, attempts per second and the
// process's CPU time over the wait.
#include <cstdio>
#include <cstdlib>

#include "controls/win32/Application.h"
#include "installer/UAttente.h"
#include "installer/win32/Win32WaitingWindow.h"
#include "platform/win32/Win32FileSystem.h"

namespace {

const char* const Programme = "c:\\Brannoch\\Brannoch.EXE";

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return double(to.QuadPart - from.QuadPart) / double(f.QuadPart);
}

double CpuSeconds(double* user) {
  FILETIME c, e, k, u;
  GetProcessTimes(GetCurrentProcess(), &c, &e, &k, &u);
  auto s = [](FILETIME t) { return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7; };
  *user = s(u);
  return s(u) + s(k);
}

// Counts the opens, and when the 499th came.
class CountingFiles : public win32::Win32FileSystem {
public:
  std::unique_ptr<platform::File> Open(const std::string& path, platform::Access a, platform::Share s,
                                       platform::Disposition d, uint32_t* error) override {
    if (++opens == 499) QueryPerformanceCounter(&at499);
    if (opens == 500) QueryPerformanceCounter(&at500);
    return Win32FileSystem::Open(path, a, s, d, error);
  }
  long long opens = 0;
  LARGE_INTEGER at499{}, at500{};
};

// Pumps as the installer does, and lets the program go after the time is up.
class TimedPump : public platform::Pump {
public:
  TimedPump(win32::UniqueHandle& lock, LARGE_INTEGER start, double seconds)
      : lock_(lock), start_(start), seconds_(seconds) {}
  void ProcessMessages() override {
    win32::Application::Instance().ProcessMessages();
    ++pumps;
    if ((pumps & 0x3FF) != 0 || !lock_.Valid()) return;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    if (Seconds(start_, now) >= seconds_) lock_.Reset();
  }
  long long pumps = 0;

private:
  win32::UniqueHandle& lock_;
  LARGE_INTEGER start_;
  double seconds_;
};

}  // namespace

int main(int argc, char** argv) {
  double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
  CreateDirectoryA("c:\\Brannoch", nullptr);
  bool made = GetFileAttributesA(Programme) == INVALID_FILE_ATTRIBUTES;
  win32::UniqueHandle lock(
      CreateFileA(Programme, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!lock.Valid()) {
    std::fprintf(stderr, "waitbench: cannot hold %s\n", Programme);
    return 1;
  }

  CountingFiles files;
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  TimedPump pump(lock, start, seconds);
  installer::WaitServices s{pump, files, win32::CreeAttente};
  double user0, user1;
  double cpu0 = CpuSeconds(&user0);
  installer::AttendFermeture(s);
  double cpu1 = CpuSeconds(&user1);
  QueryPerformanceCounter(&end);
  if (made) DeleteFileA(Programme);

  double wall = Seconds(start, end);
  std::printf("attempts %lld in %.3f s: %.0f attempts/s\n", files.opens, wall, files.opens / wall);
  std::printf("window shown after %.1f ms (attempt 499), hidden at the end: %s\n", Seconds(start, files.at499) * 1000,
              s.Attente && !s.Attente->IsVisible() ? "yes" : "no");
  double shown = Seconds(files.at500, end);
  std::printf("with the window up: %lld attempts in %.3f s: %.0f attempts/s\n", files.opens - 499, shown,
              (files.opens - 499) / shown);
  std::printf("process CPU %.3f s (user %.3f, kernel %.3f): %.0f%% of one core\n", cpu1 - cpu0, user1 - user0,
              (cpu1 - cpu0) - (user1 - user0), 100 * (cpu1 - cpu0) / wall);
  return 0;
}
