#include "Listener.h"

#include <algorithm>
#include <chrono>

#include "Objects.h"
#include "pilot/Text.h"

namespace lecteur {
namespace {

// The listener whose thread this is: the hook's callback carries no context.
thread_local Listener* listening = nullptr;

}  // namespace

Listener::Listener(pilot::Log& log) : log_(log) {}

Listener::~Listener() { Stop(); }

bool Listener::Start() {
  thread_ = win32::UniqueHandle(CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr));
  return thread_.Valid();
}

void Listener::Track(DWORD pid) {
  std::unique_lock<std::mutex> hold(mutex_);
  toHook_.push_back(pid);
  hooked_.wait_for(hold, std::chrono::seconds(2),
                   [&] { return std::find(toHook_.begin(), toHook_.end(), pid) == toHook_.end(); });
}

std::vector<HWND> Listener::TakeEnded() {
  std::lock_guard<std::mutex> hold(mutex_);
  return std::exchange(ended_, {});
}

void Listener::Stop(DWORD ms) {
  if (!thread_.Valid()) return;
  stop_ = true;
  // Still in a call after that, to a process that neither answers nor ends:
  // the thread must not outlive what it writes to.
  if (WaitForSingleObject(thread_.Get(), ms) == WAIT_TIMEOUT) TerminateThread(thread_.Get(), 1);
  thread_ = win32::UniqueHandle();
}

DWORD WINAPI Listener::ThreadMain(void* self) {
  listening = static_cast<Listener*>(self);
  // Proxies of the objects read belong to this thread's apartment.
  const bool com = SUCCEEDED(CoInitialize(nullptr));
  listening->Loop();
  if (com) CoUninitialize();
  return 0;
}

void CALLBACK Listener::Hook(HWINEVENTHOOK, DWORD kind, HWND w, LONG object, LONG child, DWORD, DWORD) {
  char title[512];
  const int n = GetWindowTextA(w, title, sizeof title);
  listening->pending_.push_back({kind, w, object, child, std::string(title, n > 0 ? n : 0)});
}

void Listener::Loop() {
  std::vector<HWINEVENTHOOK> hooks;
  while (!stop_) {
    HookNew(hooks);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    Drain();
  }
  Drain();
  for (HWINEVENTHOOK h : hooks) UnhookWinEvent(h);
}

void Listener::HookNew(std::vector<HWINEVENTHOOK>& hooks) {
  std::lock_guard<std::mutex> hold(mutex_);
  if (toHook_.empty()) return;
  constexpr DWORD kinds[][2] = {{EVENT_SYSTEM_DIALOGSTART, EVENT_SYSTEM_DIALOGEND},
                                {EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS},
                                {EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE}};
  for (DWORD pid : toHook_)
    for (const auto& k : kinds)
      if (HWINEVENTHOOK h = SetWinEventHook(k[0], k[1], nullptr, Hook, pid, 0, WINEVENT_OUTOFCONTEXT))
        hooks.push_back(h);
  toHook_.clear();
  hooked_.notify_all();
}

// The hook's calls come from the thread's message queue. A value that
// changed again before it was read is read once, at its latest.
void Listener::Drain() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  // Reading waits for the target, and meanwhile new events come in: they
  // wait for the next round.
  while (!pending_.empty()) {
    std::vector<Event> batch = std::exchange(pending_, {});
    for (size_t i = 0; i < batch.size(); ++i) {
      const Event& e = batch[i];
      auto again = [&](const Event& l) {
        return l.kind == e.kind && l.window == e.window && l.object == e.object && l.child == e.child;
      };
      const bool stale = e.kind == EVENT_OBJECT_VALUECHANGE && std::any_of(batch.begin() + i + 1, batch.end(), again);
      if (!stale) Report(e);
    }
  }
}

void Listener::Report(const Event& e) {
  const std::string title = pilot::Quote(pilot::Convert(e.title, CP_ACP, CP_UTF8));
  if (e.kind == EVENT_SYSTEM_DIALOGSTART || e.kind == EVENT_SYSTEM_DIALOGEND) {
    // A dialog shown again may hold other controls under the same ids.
    sources_.remove_if([&](const Source& s) { return s.window == e.window; });
    const bool end = e.kind == EVENT_SYSTEM_DIALOGEND;
    log_.Lines(std::string(end ? "event dialog-end " : "event dialog-start ") + title);
    std::list<Source>::iterator opened;
    if (!end) {
      Open(e.window, OBJID_CLIENT, CHILDID_SELF, opened);
      return;
    }
    std::lock_guard<std::mutex> hold(mutex_);
    ended_.push_back(e.window);
    return;
  }
  Said s;
  const HRESULT hr = ReadSource(e, s);
  s.id = e.child;
  log_.Lines(std::string(e.kind == EVENT_OBJECT_FOCUS ? "event focus " : "event value-change ") + title + " " +
             (SUCCEEDED(hr) ? ObjectLine(s) : std::to_string(e.child) + " unread (" + HresultText(hr) + ")"));
}

// A value change of a known object costs one call; a focus is read whole.
HRESULT Listener::ReadSource(const Event& e, Said& out) {
  std::list<Source>::iterator src;
  HRESULT hr = Open(e.window, e.object, e.child, src);
  if (FAILED(hr)) return hr;
  const bool focus = e.kind == EVENT_OBJECT_FOCUS;
  if (!focus && !src->said.role.empty()) {
    out = src->said;
    hr = ReadValue(src->accessible.Get(), src->id, out.value);
  } else {
    hr = Read(src->accessible.Get(), src->id, focus ? Fields::Focus : Fields::Value, out);
    src->said.role = out.role;
    src->said.name = out.name;
  }
  // An object that failed once is asked for anew at the next event.
  if (FAILED(hr)) sources_.erase(src);
  return hr;
}

// The client object of a dialog, asked for the moment it starts, gives its
// elements without another WM_GETOBJECT: the call AccessibleObjectFromEvent
// would make, but one pump sooner.
HRESULT Listener::Open(HWND w, LONG object, LONG child, std::list<Source>::iterator& out) {
  auto find = [&](LONG c) {
    return std::find_if(sources_.begin(), sources_.end(),
                        [&](const Source& s) { return s.window == w && s.object == object && s.child == c; });
  };
  out = find(child);
  if (out != sources_.end()) return S_OK;
  Source fresh{w, object, child, {}, CHILDID_SELF, {}};
  HRESULT hr;
  std::unique_lock<std::mutex> making(ProxyMaking());
  const auto whole = find(CHILDID_SELF);
  if (child != CHILDID_SELF && whole != sources_.end()) {
    IDispatch* d = nullptr;
    hr = whole->accessible->get_accChild(ChildVariant(child), &d);
    if (hr == S_OK && d) {
      hr = d->QueryInterface(IID_IAccessible, fresh.accessible.Put());
      d->Release();
    } else if (SUCCEEDED(hr)) {
      hr = whole->accessible->QueryInterface(IID_IAccessible, fresh.accessible.Put());
      fresh.id = child;
    }
  } else {
    VARIANT v;
    VariantInit(&v);
    hr = AccessibleObjectFromEvent(w, static_cast<DWORD>(object), static_cast<DWORD>(child),
                                   reinterpret_cast<IAccessible**>(fresh.accessible.Put()), &v);
    if (v.vt == VT_I4) fresh.id = v.lVal;
    VariantClear(&v);
  }
  making.unlock();
  if (FAILED(hr)) return hr;
  out = sources_.insert(sources_.end(), std::move(fresh));
  return S_OK;
}

}  // namespace lecteur
