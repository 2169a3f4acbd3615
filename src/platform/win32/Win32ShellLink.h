#pragma once
// The shell link service on the shell's COM link object, and the component
// object system's lifetime for the installer's thread.

#include "platform/win32/Windows.h"

#include "platform/ShellLink.h"

namespace win32 {

// Holds one COM interface pointer and releases it once.
template <class T>
class ComPtr {
public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& o) noexcept : p_(o.p_) { o.p_ = nullptr; }
  ~ComPtr() {
    if (p_) p_->Release();
  }
  T* operator->() const { return p_; }
  T* Get() const { return p_; }
  // Where an API stores a new pointer; the held one is released first.
  void** Put() {
    if (p_) p_->Release();
    p_ = nullptr;
    return reinterpret_cast<void**>(&p_);
  }

private:
  T* p_ = nullptr;
};

// Initialises the component object system for the calling thread while it
// lives. Guards nest: only the outermost initialises and, when that
// succeeded, uninitialises. One guard lives for the whole program (the
// start-up and end of this unit), so callers never need their own.
class ComStartup {
public:
  ComStartup();
  ~ComStartup();
  ComStartup(const ComStartup&) = delete;
  ComStartup& operator=(const ComStartup&) = delete;
  // The guards alive now.
  static int Count();
};

class Win32ShellLinks : public platform::ShellLinks {
public:
  std::unique_ptr<platform::ShellLinkObject> Create() override;
};

}  // namespace win32
