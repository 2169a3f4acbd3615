#pragma once
// What the reader hears without asking: the events the tracked processes
// raise (a dialog starts or ends, the focus moves, a value changes), taken
// by an out-of-context event hook on a thread of its own. That thread reads
// the object of a focus or value change at once and prints it, while the
// main thread may be busy reading a whole window: the installer answers one
// call each time it pumps its messages, so the two must not wait for each
// other.

#include "platform/win32/Windows.h"

#include <atomic>
#include <condition_variable>
#include <list>
#include <mutex>
#include <string>
#include <vector>

#include "Objects.h"
#include "pilot/Log.h"
#include "platform/win32/Handles.h"

namespace lecteur {

class Listener {
public:
  explicit Listener(pilot::Log& log);
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;
  // Stops the thread (Stop).
  ~Listener();

  // Starts the thread; false when it cannot start.
  bool Start();

  // Hooks the events of process `pid` from now on; returns once the hooks
  // are set (or the thread cannot set them).
  void Track(DWORD pid);

  // The windows that ended a dialog since the last call, in order.
  std::vector<HWND> TakeEnded();

  // Reports the events already queued, then ends the thread; waits for it
  // at most `ms` milliseconds, then ends it by force (it is stuck in a call
  // to a process that hangs).
  void Stop(DWORD ms = 5000);

private:
  struct Event {
    DWORD kind;
    HWND window;
    LONG object;
    LONG child;
    std::string title;  // ANSI, taken when the event came: the window may be gone when it is read
  };

  // An object an event named, kept while its window's dialog lasts: the
  // installer answers one call each time it pumps, and asking for the object
  // anew at every change of the bar would let most changes go unheard.
  struct Source {
    HWND window;
    LONG object;
    LONG child;
    win32::ComPtr<IAccessible> accessible;
    long id;    // the element's child id in `accessible`
    Said said;  // its role and name, once read
  };

  static DWORD WINAPI ThreadMain(void* self);
  static void CALLBACK Hook(HWINEVENTHOOK, DWORD kind, HWND w, LONG object, LONG child, DWORD, DWORD);
  void Loop();
  void HookNew(std::vector<HWINEVENTHOOK>& hooks);
  void Drain();
  void Report(const Event& e);
  HRESULT ReadSource(const Event& e, Said& out);
  HRESULT Open(HWND w, LONG object, LONG child, std::list<Source>::iterator& out);

  pilot::Log& log_;
  win32::UniqueHandle thread_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable hooked_;
  std::vector<DWORD> toHook_;  // pids waiting for their hooks
  std::vector<HWND> ended_;
  // The thread's own: filled by Hook, emptied by Drain; the sources of the
  // dialogs now showing.
  std::vector<Event> pending_;
  std::list<Source> sources_;
};

}  // namespace lecteur
